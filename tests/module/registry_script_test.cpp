#include "module/registry_script.h"

#include <gtest/gtest.h>

#include <map>

namespace veldmark {
namespace {

// Keys by path, each with its values.
class RecordingRoot final : public ClassesRoot {
public:
    void CreateKey(const std::string& key) override { keys[key]; }
    void SetValue(const std::string& key, const std::string& name, const std::string& data) override {
        keys[key][name] = data;
    }
    void RemoveTree(const std::string& key) override {
        std::erase_if(keys, [&](const auto& entry) {
            return entry.first == key || entry.first.starts_with(key + "\\");
        });
    }
    std::map<std::string, std::map<std::string, std::string>> keys;
};

constexpr const char* kScript = R"(HKCR
{
    NoRemove CLSID
    {
        ForceRemove '{1234}' = s 'It''s %NAME%'
        {
            InprocServer32 = s '%MODULE%'
            {
                val ThreadingModel = s 'Both'
            }
            ForceRemove Programmable
        }
    }
    Some.ProgId
    {
        CLSID = s '{1234}'
    }
})";

const ScriptReplacements kReplacements = {{"NAME", "Kessarin"}, {"MODULE", "C:\\x's\\Kessarin.dll"}};

TEST(RegistryScriptTest, RegistersEveryKeyAndValueWithTheReplacementsMade) {
    RecordingRoot root;
    root.keys["CLSID\\{1234}\\Stale"]["left"] = "by an earlier registration";
    root.keys["CLSID\\{other}"];
    RunRegistryScript(kScript, kReplacements, ScriptAction::Register, root);
    const std::map<std::string, std::map<std::string, std::string>> expected = {
        {"CLSID", {}},
        {"CLSID\\{other}", {}},
        {"CLSID\\{1234}", {{"", "It's Kessarin"}}},
        {"CLSID\\{1234}\\InprocServer32", {{"", "C:\\x's\\Kessarin.dll"}, {"ThreadingModel", "Both"}}},
        {"CLSID\\{1234}\\Programmable", {}},
        {"Some.ProgId", {}},
        {"Some.ProgId\\CLSID", {{"", "{1234}"}}},
    };
    EXPECT_EQ(root.keys, expected) << "the ForceRemove key is written afresh";
}

TEST(RegistryScriptTest, UnregistersAllButTheNoRemoveKeys) {
    RecordingRoot root;
    RunRegistryScript(kScript, kReplacements, ScriptAction::Register, root);
    root.keys["CLSID\\{other}"];
    RunRegistryScript(kScript, kReplacements, ScriptAction::Unregister, root);
    EXPECT_EQ(root.keys, (std::map<std::string, std::map<std::string, std::string>>{{"CLSID", {}}, {"CLSID\\{other}", {}}}));
}

TEST(RegistryScriptTest, AScriptThatDoesNotReadChangesNothing) {
    const struct {
        const char* script;
        const char* problem;
    } cases[] = {
        {"HKLM { A }", "the script must begin with HKCR"},
        {"HKCR { A = s 'open }", "a quoted text is not closed"},
        {"HKCR { A = d '1' }", "a value must be a string"},
        {"HKCR { A = s '%UNKNOWN%' }", "no replacement for %UNKNOWN%"},
        {"HKCR { A { B }", "at character 15: a name was expected"},
        {"HKCR  A }", "'{' was expected"},
        {"HKCR { A } B", "text after the end of the script"},
        {"HKCR { 'A' = s '%NAME' }", "a % without its closing %"},
    };
    for (const auto& c : cases) {
        RecordingRoot root;
        try {
            RunRegistryScript(c.script, kReplacements, ScriptAction::Register, root);
            ADD_FAILURE() << c.script << " was run";
        } catch (const RegistryScriptError& error) {
            EXPECT_NE(std::string(error.what()).find(c.problem), std::string::npos) << c.script << ": " << error.what();
        }
        EXPECT_TRUE(root.keys.empty()) << c.script;
    }
}

}  // namespace
}  // namespace veldmark
