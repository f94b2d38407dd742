#include "tests/support/killed_release.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>

#include "host_standin/release_log.h"

namespace testsupport {

std::string KillBatchInvoice(int documentId) {
    char number[16];
    std::snprintf(number, sizeof number, "K%04d", documentId);
    return number;
}

int KillBatchLines(int documentId) { return 1 + documentId % 4; }

std::string KillBatchJson(int documents) {
    std::string text = R"({"formatVersion": 1, "batchName": "KILL", "batchFields": {}, "documents": [)";
    for (int id = 1; id <= documents; ++id) {
        const std::string invoice = KillBatchInvoice(id);
        std::string lines;
        for (int line = 1; line <= KillBatchLines(id); ++line) {
            lines += std::string(line > 1 ? ", " : "") + R"({"Item Code": "IT)" + std::to_string(line) +
                     R"(", "Description": "Line )" + std::to_string(line) +
                     R"(", "Quantity": "1", "VAT Code": "S", "Unit Price": "1.00", "Line Value": "1.00"})";
        }
        text += std::string(id > 1 ? ", " : "") + R"({"documentId": )" + std::to_string(id) +
                R"(, "pdfFileName": ")" + invoice + R"(.pdf", "indexFields": {"Invoice Number": ")" + invoice +
                R"(", "Supplier Account": "01SUP)" + std::to_string(id) +
                R"(", "Supplier Name": "Supplier", "Invoice Date": "1260302", "Currency": "GBP"}, "tables": {"Lines": [)" +
                lines + "]}}";
    }
    return text + "]}";
}

KilledRun ReleaseAndKill(const std::string& veldmark, const std::filesystem::path& directory,
                         const std::vector<std::string>& arguments, int released, std::chrono::microseconds delay,
                         int signal) {
    std::vector<char*> argv{const_cast<char*>(veldmark.c_str()), const_cast<char*>("release")};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return {};
    const pid_t child = fork();
    if (child == 0) {
        // Only what is safe between fork and exec.
        const int nothing = open("/dev/null", O_WRONLY);
        dup2(pipeEnds[1], STDOUT_FILENO);
        dup2(nothing, STDERR_FILENO);
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        if (chdir(directory.c_str()) != 0) _exit(127);
        execv(veldmark.c_str(), argv.data());
        _exit(127);
    }
    close(pipeEnds[1]);
    KilledRun run;
    int seen = 0;
    char buffer[4096];
    ssize_t got;
    while (seen < released && (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0) {
        run.out.append(buffer, static_cast<std::size_t>(got));
        seen = 0;
        for (std::size_t at = run.out.find(": released"); at != std::string::npos;
             at = run.out.find(": released", at + 1)) {
            ++seen;
        }
    }
    std::this_thread::sleep_for(delay);
    int status = 0;
    const bool ended = waitpid(child, &status, WNOHANG) == child;
    if (!ended) kill(child, signal);
    while ((got = read(pipeEnds[0], buffer, sizeof buffer)) > 0) run.out.append(buffer, static_cast<std::size_t>(got));
    close(pipeEnds[0]);
    if (!ended) waitpid(child, &status, 0);
    run.killed = WIFSIGNALED(status);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

namespace {

bool LogReads(const std::string& veldmark, const KillTrials& trials) {
    const std::string command = "cd '" + trials.directory.string() + "' && '" + veldmark + "' log '" +
                                trials.documentClass + "' > /dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The documents the run handed over and left without an outcome, when the
// log holds the run: a kill that landed inside a document.
int DocumentsLeftWithoutOutcome(const std::filesystem::path& logFile, std::set<std::string>& runsSeen) {
    const standin::ReleaseLog records = standin::ReadReleaseLog(logFile);
    if (records.entries.empty()) return 0;
    const std::string lastRun = records.entries.back().runId;
    if (!runsSeen.insert(lastRun).second) return 0;  // killed before its run was logged
    std::set<std::int64_t> started, ended;
    for (const standin::LogEntry& entry : records.entries) {
        if (entry.runId != lastRun) continue;
        if (const auto* s = std::get_if<standin::DocumentStarted>(&entry.record)) started.insert(s->documentId);
        if (const auto* o = std::get_if<standin::DocumentOutcome>(&entry.record)) ended.insert(o->documentId);
    }
    int left = 0;
    for (std::int64_t id : started) left += ended.contains(id) ? 0 : 1;
    return left;
}

}  // namespace

KillTrialsOutcome ReleaseKilledAgainAndAgain(const std::string& veldmark, const KillTrials& trials,
                                             const std::function<void(int documentId)>& removeLines,
                                             const std::function<void(const KilledRun&)>& afterRun) {
    std::mt19937 random(20260314);
    KillTrialsOutcome outcome;
    std::set<std::string> runsSeen;
    for (int trial = 0; trial < 4 * trials.kills && !outcome.completed; ++trial) {
        // Once the run is under way, at any moment of a document; on a busy
        // machine the kills may all land between documents, so the runs are
        // killed until one has landed inside a document too.
        const bool killThisOne = outcome.kills < trials.kills || outcome.midDocument == 0;
        const KilledRun run = ReleaseAndKill(veldmark, trials.directory, {trials.documentClass, trials.batch},
                                             killThisOne ? 1 + static_cast<int>(random() % 4) : 1 << 30,
                                             std::chrono::microseconds(killThisOne ? random() % 25000 : 0));
        if (run.killed) ++outcome.kills;
        if (!LogReads(veldmark, trials)) ADD_FAILURE() << "trial " << trial << ": veldmark log cannot read the log";

        // What this run did with the documents the run before left in doubt.
        std::istringstream lines(run.out);
        for (std::string line; std::getline(lines, line);) {
            if (!line.starts_with("Document ")) continue;
            const int id = std::stoi(line.substr(9));
            if (line.find(": released: its header is in AIP32 already") != std::string::npos) {
                outcome.foundReleased.insert(id);
            }
            if (line.find(": in doubt: ") != std::string::npos) {
                outcome.linesOnly.insert(id);
                removeLines(id);
            }
        }
        const int leftInDoubt = DocumentsLeftWithoutOutcome(trials.logFile, runsSeen);
        if (run.killed) outcome.midDocument += leftInDoubt;
        afterRun(run);
        outcome.completed = !run.killed && run.exitCode == 0;
    }
    return outcome;
}

}  // namespace testsupport
