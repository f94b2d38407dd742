// `veldmark release` killed at random moments again and again, for the tests
// that prove a batch ends whole however often its release is killed,
// whatever database it goes to. POSIX only: each run is a child process.
#pragma once

#include <signal.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace testsupport {

// The invoice number of a document of KillBatchJson: "K0001", ...
std::string KillBatchInvoice(int documentId);
// How many lines that document has: 1 to 4.
int KillBatchLines(int documentId);
// A batch of that many invoices for the sample document class
// (examples/supplier-invoice.json).
std::string KillBatchJson(int documents);

struct KilledRun {
    bool killed = false;
    int exitCode = -1;
    std::string out;
};

// Starts `veldmark release` with the arguments in the directory, and sends
// it the signal once `released` documents were released (those released
// before aside) and `delay` has passed, unless it ends first; then waits for
// it to end.
KilledRun ReleaseAndKill(const std::string& veldmark, const std::filesystem::path& directory,
                         const std::vector<std::string>& arguments, int released, std::chrono::microseconds delay,
                         int signal = SIGKILL);

struct KillTrials {
    std::filesystem::path directory;
    std::string documentClass;       // file names in the directory
    std::string batch;
    std::filesystem::path logFile;   // the document class's release log
    int kills = 10;  // how many runs are killed before the runs may end (more until one lands inside a document)
};

struct KillTrialsOutcome {
    int kills = 0;        // runs the kill ended
    int midDocument = 0;  // kills that landed inside a document
    std::set<int> foundReleased;  // documents left in doubt whose header the next run found
    std::set<int> linesOnly;      // documents left in doubt with lines and no header
    bool completed = false;       // a run released the batch to its end
};

// Releases the batch again and again: each of the first `kills` runs, and
// every later one until a kill has landed inside a document, is killed at a
// random moment of its first to fourth document, then the runs may end,
// until one releases the batch to its end. After every run
// `veldmark log` must read the log, and `afterRun` sees the run. A document
// a run finds with lines and no header is given to `removeLines`, as the
// README says to do, before the next run.
KillTrialsOutcome ReleaseKilledAgainAndAgain(const std::string& veldmark, const KillTrials& trials,
                                             const std::function<void(int documentId)>& removeLines,
                                             const std::function<void(const KilledRun&)>& afterRun);

}  // namespace testsupport
