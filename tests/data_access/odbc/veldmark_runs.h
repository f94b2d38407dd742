// `veldmark` run as the user runs it, into the test server: a directory of
// the test's own with the component registered in a registry of its own,
// and the sample document class pointed at a library of the server. Linux
// only: each run is a child process.
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

#include "tests/data_access/odbc/scoped_variable.h"
#include "tests/data_access/odbc/test_server.h"

namespace odbctest {

struct VeldmarkRun {
    int exitCode = -1;  // -1: killed at its time limit
    std::string out;    // standard output and error
};

class VeldmarkRuns {
public:
    // The directory is emptied first, and removed at the end unless the
    // test failed; runs inherit the registry and the drivers' leak
    // suppressions through the environment while the object lives. A
    // registration that fails is a test failure.
    explicit VeldmarkRuns(std::filesystem::path directory);
    ~VeldmarkRuns();
    VeldmarkRuns(const VeldmarkRuns&) = delete;
    VeldmarkRuns& operator=(const VeldmarkRuns&) = delete;

    const std::filesystem::path& Directory() const { return directory_; }
    // Runs `veldmark <arguments>` in the directory (or in `in`, below it);
    // a run still going after `limit` is killed: nothing may hang.
    VeldmarkRun Run(const std::string& arguments, std::chrono::seconds limit,
                    const std::filesystem::path& in = {}) const;

private:
    std::filesystem::path directory_;
    std::optional<ScopedVariable> registry_;
    std::optional<ScopedVariable> leaks_;
};

// The sample document class of examples/, releasing into the library through
// the data source with the server's user and password.
std::string SampleDocumentClass(const std::string& dataSource, const TestServer& server, const std::string& library);
// The directory of the sample document class and batch.
std::filesystem::path Examples();
// A file's whole text; empty when it cannot be read.
std::string ReadText(const std::filesystem::path& file);

}  // namespace odbctest
