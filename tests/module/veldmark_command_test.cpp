// The veldmark command end to end: it finds the component only through the
// registry, so release works after register and stops after unregister.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/module/loaded_component.h"

namespace standin {
namespace {

// The file of a shared library every system has, which exports none of the entry points.
std::string SharedLibraryThatIsNoComponent() {
    void* library = dlopen("libz.so.1", RTLD_NOW | RTLD_LOCAL);
    Dl_info info{};
    if (!library || dladdr(dlsym(library, "zlibVersion"), &info) == 0) return "libz.so.1 (not found)";
    std::string file = info.dli_fname;
    dlclose(library);
    return file;
}

struct CommandResult {
    int exitCode;
    std::string out;
    std::string err;
};

class VeldmarkCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        directory = registry.File().string() + ".work";
        std::filesystem::remove_all(directory);
        std::filesystem::create_directories(directory);
        for (const char* sample : {"supplier-invoice.json", "invoice-batch.json"})
            std::filesystem::copy_file(std::filesystem::path(VELDMARK_SOURCE_DIR) / "examples" / sample,
                                       directory / sample);
    }
    void TearDown() override { std::filesystem::remove_all(directory); }

    CommandResult Run(const std::string& arguments) {
        const std::string command = "cd '" + directory.string() + "' && '" VELDMARK_EXECUTABLE "' " + arguments +
                                    " > out.txt 2> err.txt";
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Read("out.txt"), Read("err.txt")};
    }
    std::string Read(const char* name) {
        std::ifstream stream(directory / name);
        std::ostringstream text;
        text << stream.rdbuf();
        return text.str();
    }

    veldmark::TemporaryRegistry registry;
    std::filesystem::path directory;
};

TEST_F(VeldmarkCommandTest, ReleaseFindsTheComponentOnlyOnceRegistered) {
    CommandResult result = Run("release supplier-invoice.json invoice-batch.json");
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("Kessarin.BrinmoorExportConnector is not registered"), std::string::npos) << result.err;

    result = Run("register '" KESSARIN_LIBRARY "'");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    ASSERT_EQ(Run("create-database demo-output/db APLIB").exitCode, 0);
    // The host's own connection, beside the component's.
    result = Run("check supplier-invoice.json");
    EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
    result = Run("release supplier-invoice.json invoice-batch.json");
    EXPECT_NE(result.out.find("Document 1: released"), std::string::npos) << result.out << result.err;

    result = Run("unregister");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    result = Run("release supplier-invoice.json invoice-batch.json");
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("is not registered"), std::string::npos) << result.err;
}

TEST_F(VeldmarkCommandTest, RegisteringWhatIsNotAComponentSaysWhy) {
    CommandResult result = Run("register /nonexistent/libkessarin.so");
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("/nonexistent/libkessarin.so cannot be loaded"), std::string::npos) << result.err;
    result = Run("register '" + SharedLibraryThatIsNoComponent() + "'");
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("does not export DllRegisterServer"), std::string::npos) << result.err;
    EXPECT_FALSE(std::filesystem::exists(registry.File()));
}

}  // namespace
}  // namespace standin
