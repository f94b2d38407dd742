// A request from outside to stop a release: SIGTERM, SIGHUP or SIGINT
// (Ctrl-C) on POSIX, Ctrl-C, Ctrl-Break or the console closing on Windows.
// The first request lets the document in progress finish and be logged, and
// the run then stops as after an outage; a second one ends the process at once.
#pragma once

#include <optional>
#include <string>

namespace standin {

// Watches for requests from now on, for the rest of the process.
void WatchForStopRequests();

// The first request's name ("SIGTERM"), once one came.
std::optional<std::string> StopRequested();

}  // namespace standin
