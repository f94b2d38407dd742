// Where a veldmark subcommand writes: results to out, problems and progress
// to err.
#pragma once

#include <ostream>

namespace standin {

struct CommandStreams {
    std::ostream& out;
    std::ostream& err;
    bool errIsTerminal = false;
};

// Exit codes of every subcommand.
constexpr int kExitSuccess = 0;
constexpr int kExitSomeFailed = 1;   // the run happened; something in it failed
constexpr int kExitNothingDone = 2;  // bad arguments or files: nothing was changed

}  // namespace standin
