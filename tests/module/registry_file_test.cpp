#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>

#include "host_standin/registry.h"
#include "tests/module/loaded_component.h"

namespace standin {
namespace {

class RegistryFileTest : public ::testing::Test {
protected:
    void Write(const std::string& text) {
        std::ofstream stream(file.File());
        stream << text;
    }
    veldmark::TemporaryRegistry file;
};

TEST_F(RegistryFileTest, MissingFileIsAnEmptyRegistry) {
    const Registry registry = Registry::Load(file.File());
    EXPECT_TRUE(registry.Root().subkeys.empty());
}

TEST_F(RegistryFileTest, SavedKeysAndValuesReadBackAlike) {
    Registry registry;
    RegistryKey& key = registry.Create("CLSID\\{X}\\InprocServer32");
    key.values[""] = "/lib/libx.so";
    key.values["ThreadingModel"] = "Both";
    registry.Save(file.File());
    const Registry read = Registry::Load(file.File());
    EXPECT_EQ(read.Value("CLSID\\{X}\\InprocServer32"), "/lib/libx.so");
    EXPECT_EQ(read.Value("CLSID\\{X}\\InprocServer32", "ThreadingModel"), "Both");
    EXPECT_EQ(read.Value("CLSID\\{X}"), std::nullopt);
    EXPECT_FALSE(std::filesystem::exists(file.File().string() + ".tmp"));
}

TEST_F(RegistryFileTest, RemoveTakesTheKeyWithEverythingBelowIt) {
    Registry registry;
    registry.Create("A\\B\\C");
    registry.Create("A\\D");
    EXPECT_TRUE(registry.Remove("A\\B"));
    EXPECT_FALSE(registry.Remove("A\\B"));
    EXPECT_EQ(registry.Find("A\\B\\C"), nullptr);
    EXPECT_NE(registry.Find("A\\D"), nullptr);
}

TEST_F(RegistryFileTest, AFifoIsRefusedWithoutWaitingForAWriter) {
    ASSERT_EQ(::mkfifo(file.File().c_str(), 0600), 0);
    try {
        Registry::Load(file.File());
        FAIL() << "a FIFO was read as the registry";
    } catch (const RegistryError& error) {
        EXPECT_EQ(std::string(error.what()), "the registry " + file.File().string() + ": is a FIFO, not a regular file");
    }
}

struct Malformed {
    const char* name;
    const char* text;
    const char* message;
};

class MalformedRegistryTest : public RegistryFileTest, public ::testing::WithParamInterface<Malformed> {};

TEST_P(MalformedRegistryTest, IsRefusedWithTheReason) {
    Write(GetParam().text);
    try {
        Registry::Load(file.File());
        FAIL() << "a malformed registry was read";
    } catch (const RegistryError& error) {
        const std::string what = error.what();
        EXPECT_NE(what.find(file.File().string()), std::string::npos) << what;
        EXPECT_NE(what.find(GetParam().message), std::string::npos) << what;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, MalformedRegistryTest,
    ::testing::Values(Malformed{"NotJson", "{", "is not valid JSON"},
                      Malformed{"NoVersion", R"({"root": {}})", "formatVersion is missing"},
                      Malformed{"OtherVersion", R"({"formatVersion": 2, "root": {}})", "formatVersion is not 1"},
                      Malformed{"UnknownMember", R"({"formatVersion": 1, "keys": {}})", "\"keys\""},
                      Malformed{"ValueNotText",
                                R"({"formatVersion": 1, "root": {"values": {"a": 1}}})", "root.values.a is not a text"},
                      // Reading keys recurses: a deep registry is refused before it is parsed.
                      Malformed{"NestedTooDeep",
                                R"({"formatVersion": 1, "root": {"values": {}, "subkeys": {"a": )"
                                R"({"subkeys": {"a": {"subkeys": {"a": {"subkeys": {"a": {"subkeys": {"a": {"subkeys": )"
                                R"([[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[)",
                                "is not valid JSON: line 1, column 198: nested deeper than 64 levels"},
                      Malformed{"NumberOutOfRange", R"({"formatVersion": 1e400})",
                                "is not valid JSON: line 1, column 19: number out of range: 1e400"},
                      Malformed{"LongNameExcerpted",
                                R"({"formatVersion": 1, "root": {"values": {"a\u001bkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkk": 1}}})",
                                R"(root.values["a\x1bkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkk…"] is not a text)"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace standin
