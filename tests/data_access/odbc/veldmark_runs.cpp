#include "tests/data_access/odbc/veldmark_runs.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "tests/data_access/odbc/driver_leaks.h"

namespace odbctest {
namespace {

void ReplaceLink(std::string& documentClass, const std::string& source, const std::string& destination,
                 const std::string& newSource) {
    const std::string tail = R"(", "sourceType": 1, "destination": ")" + destination + R"("})";
    const std::size_t at = documentClass.find(R"({"source": ")" + source + tail);
    if (at == std::string::npos) {
        ADD_FAILURE() << "the sample document class links no '" << source << "' to " << destination;
        return;
    }
    documentClass.replace(at, std::string(R"({"source": ")").size() + source.size() + tail.size(),
                          R"({"source": ")" + newSource + tail);
}

}  // namespace

std::string ReadText(const std::filesystem::path& file) {
    std::ifstream stream(file, std::ios::binary);
    std::ostringstream text;
    text << stream.rdbuf();
    return text.str();
}

VeldmarkRuns::VeldmarkRuns(std::filesystem::path directory) : directory_(std::move(directory)) {
    std::filesystem::remove_all(directory_);
    std::filesystem::create_directories(directory_);
    // The drivers' own leaks are not the release's.
    std::ofstream(directory_ / "lsan.supp") << kDriverLeakSuppressions;
    registry_.emplace("VELDMARK_REGISTRY", (directory_ / "registry.json").string());
    // Quietly: what the runs print is compared.
    leaks_.emplace("LSAN_OPTIONS", "suppressions=" + (directory_ / "lsan.supp").string() + ":print_suppressions=0");
    const VeldmarkRun registered = Run("register '" KESSARIN_LIBRARY "'", std::chrono::seconds(60));
    EXPECT_EQ(registered.exitCode, 0) << "the component cannot be registered: " << registered.out;
}

VeldmarkRuns::~VeldmarkRuns() {
    leaks_.reset();
    registry_.reset();
    // What the runs left is kept for a test that failed.
    if (::testing::Test::HasFailure()) return;
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
}

VeldmarkRun VeldmarkRuns::Run(const std::string& arguments, std::chrono::seconds limit,
                              const std::filesystem::path& in) const {
    const std::filesystem::path where = in.empty() ? directory_ : directory_ / in;
    const std::filesystem::path out = directory_ / "run.out";
    const std::string command = "cd '" + where.string() + "' && timeout -s KILL " + std::to_string(limit.count()) +
                                " '" VELDMARK_EXECUTABLE "' " + arguments + " > '" + out.string() + "' 2>&1";
    const int status = std::system(command.c_str());
    VeldmarkRun run;
    run.out = ReadText(out);
    // timeout ends with 137 when it had to kill the run.
    if (WIFEXITED(status) && WEXITSTATUS(status) != 137) run.exitCode = WEXITSTATUS(status);
    return run;
}

std::string SampleDocumentClass(const std::string& dataSource, const TestServer& server, const std::string& library) {
    std::string documentClass = ReadText(Examples() / "supplier-invoice.json");
    ReplaceLink(documentClass, "sqlite:demo-output/db", "serverName", dataSource);
    ReplaceLink(documentClass, "", "username", server.user);
    ReplaceLink(documentClass, "", "password", server.password);
    ReplaceLink(documentClass, "APLIB", "APILibrary", library);
    return documentClass;
}

std::filesystem::path Examples() { return std::filesystem::path(VELDMARK_SOURCE_DIR) / "examples"; }

}  // namespace odbctest
