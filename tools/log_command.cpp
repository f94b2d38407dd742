#include "tools/log_command.h"

#include <map>
#include <set>
#include <string>
#include <vector>

#include "host/utf8.h"
#include "host_standin/display_text.h"
#include "host_standin/overloaded.h"
#include "host_standin/release_log.h"
#include "host_standin/store_error.h"
#include "tools/status_text.h"

namespace standin {
namespace {

// Continuation lines of a message line up under its first line; what the
// captured values brought in is shown escaped, never sent to the terminal.
std::string Indented(const kfx::Text& message) { return JoinedLines(message, "\n      "); }

struct RunRecords {
    const RunStarted* start = nullptr;  // null when the run's start is not in the log
    std::vector<const LogRecord*> records;
    std::set<std::int64_t> outcomes;  // documents with an outcome
};

void PrintRecord(const LogRecord& record, const RunRecords& run, std::ostream& out) {
    std::visit(Overloaded{
                   [&](const RunStarted&) {},
                   [&](const DocumentStarted& started) {
                       if (run.outcomes.contains(started.documentId)) return;
                       out << "  Document " << started.documentId
                           << ": handed to the component; the run ended before its outcome was logged\n";
                   },
                   [&](const LoggedMessage& logged) {
                       out << "  Document " << logged.documentId << ' ';
                       if (const auto* entry = std::get_if<ErrorLogEntry>(&logged.message)) {
                           out << "error log (Err1 " << entry->err1 << ", Err2 " << entry->err2 << ", Err3 "
                               << entry->err3 << ", " << DisplayText(kfx::ToUtf8(entry->codeModule)) << " line "
                               << entry->lineNumber << "):\n      " << Indented(entry->message) << '\n';
                       } else {
                           const auto& message = std::get<DocumentMessage>(logged.message);
                           out << "message (error " << message.errorNumber << ", InfoRet " << message.infoRet
                               << "):\n      " << Indented(message.message) << '\n';
                       }
                   },
                   [&](const DocumentOutcome& outcome) {
                       out << "  Document " << outcome.documentId << ": " << DisplayText(outcome.outcome) << '\n';
                   },
               },
               record);
}

// Runs in the order they started, each with its own records, however the
// records of runs that overlapped are interleaved in the file.
void PrintRuns(const std::vector<LogEntry>& entries, std::ostream& out) {
    std::vector<std::string> order;
    std::map<std::string, RunRecords> runs;
    for (const LogEntry& entry : entries) {
        auto [place, added] = runs.try_emplace(entry.runId);
        if (added) order.push_back(entry.runId);
        RunRecords& run = place->second;
        if (const auto* start = std::get_if<RunStarted>(&entry.record)) {
            run.start = start;
            continue;
        }
        run.records.push_back(&entry.record);
        if (const auto* outcome = std::get_if<DocumentOutcome>(&entry.record)) run.outcomes.insert(outcome->documentId);
    }
    for (const std::string& id : order) {
        const RunRecords& run = runs[id];
        if (run.start) {
            out << "Run " << DisplayText(run.start->time) << ": batch " << DisplayText(run.start->batchFile)
                << ", document class " << DisplayText(run.start->documentClassFile) << " (run " << DisplayText(id)
                << ")\n";
        } else {
            out << "Run " << id << " (its start is not in the log)\n";
        }
        for (const LogRecord* record : run.records) PrintRecord(*record, run, out);
    }
}

}  // namespace

int RunLog(const std::filesystem::path& documentClassFile, const CommandStreams& streams) {
    const std::filesystem::path logFile = LogPathFor(documentClassFile);
    try {
        const ReleaseLog log = ReadReleaseLog(logFile);
        for (const std::string& note : log.notes) streams.err << "veldmark: note: " << note << '\n';
        if (log.entries.empty()) streams.out << "No release is logged in " << logFile.string() << ".\n";
        PrintRuns(log.entries, streams.out);
        return kExitSuccess;
    } catch (const StoreError& error) {
        streams.err << "veldmark: " << error.what() << '\n';
        return kExitNothingDone;
    }
}

}  // namespace standin
