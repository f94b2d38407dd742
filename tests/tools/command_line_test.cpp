#include <gtest/gtest.h>

#include <sstream>

#include "tools/command_line.h"
#include "tools/in_process_loader.h"
#include "fake_component.h"

namespace standin {
namespace {

TEST(CommandLineTest, WrongUsePrintsTheUsageAndChangesNothing) {
    const std::vector<std::vector<std::string>> wrong = {
        {}, {"release", "class.json"}, {"release", "a", "b", "c"}, {"setup"}, {"log", "a", "b"}, {"publish", "a"},
        {"release", "--bogus", "a", "b"}, {"release", "--again", "a"}};
    for (const auto& arguments : wrong) {
        testing::FakeLoader loader;
        std::ostringstream out, err;
        EXPECT_EQ(RunVeldmark(arguments, loader, {out, err, false}, {}), 2);
        EXPECT_EQ(err.str().rfind("usage: veldmark release [--again] [--release-in-doubt] <document-class file> <batch file>\n", 0), 0u);
        EXPECT_EQ(out.str(), "");
        EXPECT_TRUE(loader.requested.empty());
    }
}

TEST(CommandLineTest, HelpGoesToStandardOutput) {
    testing::FakeLoader loader;
    std::ostringstream out, err;
    EXPECT_EQ(RunVeldmark({"--help"}, loader, {out, err, false}, {}), 0);
    EXPECT_NE(out.str().find("veldmark log <document-class file>"), std::string::npos);
}

TEST(CommandLineTest, EveryCommandAnswersHelpWithItsUsageOnStandardOutput) {
    const std::string commands[] = {"release", "setup", "log", "check", "create-database", "show", "register",
                                    "unregister"};
    std::ostringstream all, ignored;
    testing::FakeLoader loader;
    EXPECT_EQ(RunVeldmark({"-h"}, loader, {all, ignored, false}, {}), 0);
    for (const std::string& command : commands) {
        EXPECT_NE(all.str().find("veldmark " + command + " "), std::string::npos) << command << " is listed";
        for (const std::vector<std::string>& asked :
             {std::vector<std::string>{command, "--help"}, {command, "-h"}, {command, "file.json", "--help"},
              {"help", command}}) {
            std::ostringstream out, err;
            EXPECT_EQ(RunVeldmark(asked, loader, {out, err, false}, {}), 0) << command;
            EXPECT_EQ(out.str().rfind("usage: veldmark " + command + " ", 0), 0u) << out.str();
            EXPECT_NE(out.str().find('\n'), out.str().size() - 1) << "says what the command does";
            EXPECT_EQ(err.str(), "");
        }
    }
    EXPECT_TRUE(loader.requested.empty()) << "help loads no component";
}

TEST(CommandLineTest, VersionNamesTheComponentsAndTheHostsVersions) {
    testing::FakeLoader loader;
    std::ostringstream out, err;
    EXPECT_EQ(RunVeldmark({"--version"}, loader, {out, err, false}, {}), 0);
    const std::string version = VELDMARK_PROJECT_VERSION;
    EXPECT_EQ(out.str(), "Veldmark Export Connector for System21 " + version +
                             "\nveldmark stand-in capture host " + version + "\n");
    EXPECT_EQ(err.str(), "");
}

TEST(CommandLineTest, SubcommandsReachTheirFiles) {
    testing::FakeLoader loader;
    std::ostringstream out, err;
    EXPECT_EQ(RunVeldmark({"setup", "no-such-class.json"}, loader, {out, err, false}, {}), 2);
    EXPECT_EQ(err.str(), "veldmark: no-such-class.json: cannot open for reading\n");
    err.str("");
    EXPECT_EQ(RunVeldmark({"release", "--again", "--release-in-doubt", "no-such-class.json", "b.json"}, loader,
                          {out, err, false}, {}),
              2);
    EXPECT_EQ(err.str(), "veldmark: no-such-class.json: cannot open for reading\nNothing was released.\n");
}

std::vector<std::string>* createdWith = nullptr;

kfx::HRESULT RecordingCreate(kfx::IUnknown* outer, const kfx::Guid& iid, void** object) {
    createdWith->push_back(outer ? "outer" : "no outer");
    createdWith->push_back(kfx::GuidToString(iid));
    *object = nullptr;
    return kfx::HR_E_NOINTERFACE;
}

TEST(InProcessLoaderTest, CallsTheCreationFunctionOfTheProgIdWithoutAnOuterObject) {
    std::vector<std::string> calls;
    createdWith = &calls;
    InProcessLoader loader({{kReleaseScriptProgId, RecordingCreate}});
    void* object = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(loader.CreateInstance(kReleaseScriptProgId, kfx::IID_IKfxReleaseScript, &object), kfx::HR_E_NOINTERFACE);
    EXPECT_EQ(calls, (std::vector<std::string>{"no outer", kfx::GuidToString(kfx::IID_IKfxReleaseScript)}));
    object = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(loader.CreateInstance(kSetupScriptProgId, kfx::IID_IKfxReleaseSetupScript, &object),
              kfx::HR_CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);
    createdWith = nullptr;
}

}  // namespace
}  // namespace standin
