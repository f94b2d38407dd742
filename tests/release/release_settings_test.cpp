#include "release/release_settings.h"

#include <gtest/gtest.h>

#include "host_standin/release_data.h"
#include "host/utf8.h"

namespace veldmark {
namespace {

struct CodePageCase {
    const char16_t* text;
    std::optional<std::int32_t> codePage;
};

TEST(ParseCodePage, TakesOnlyAWholeDecimalNumber) {
    const CodePageCase cases[] = {
        {u"1252", 1252}, {u" 1252", 1252}, {u"+1252", 1252}, {u"\t850", 850}, {u"-5", -5},
        {u"99999999999", 2147483647}, {u"-99999999999", -2147483647 - 1},
        {u"1252 ", std::nullopt}, {u"cp1252", std::nullopt}, {u"l252", std::nullopt}, {u"850x", std::nullopt},
        {u"", std::nullopt}, {u"+", std::nullopt}, {u"0x4E4", std::nullopt}, {u"1 252", std::nullopt},
    };
    for (const CodePageCase& c : cases) EXPECT_EQ(ParseCodePage(c.text), c.codePage) << kfx::ToUtf8(c.text);
}

struct PathCase {
    const char16_t* folder;
    const char16_t* name;
    const char16_t* extension;
    const char16_t* path;
};

TEST(BuildOriginalFilePath, JoinsFolderAndNameAndReplacesTheExtension) {
    const PathCase cases[] = {
        {u"C:\\Scan", u"inv001.tif", u"pdf", u"C:\\Scan\\inv001.pdf"},
        {u"C:\\Scan\\", u"inv001.tif", u"pdf", u"C:\\Scan\\inv001.pdf"},
        {u"C:/Scan/", u"inv001", u".pdf", u"C:/Scan/inv001.pdf"},
        {u"C:\\Scan", u"inv001.tif", u"", u"C:\\Scan\\inv001.tif"},
        // The last '.' may lie in the folder part.
        {u"D:\\Inbox.old\\Scan", u"inv001", u".tif", u"D:\\Inbox.tif"},
    };
    for (const PathCase& c : cases) {
        EXPECT_EQ(BuildOriginalFilePath(c.folder, c.name, c.extension, u'\\'), c.path) << kfx::ToUtf8(c.path);
    }
    // A '.' that is the path's first character is not cut.
    EXPECT_EQ(BuildOriginalFilePath(u".", u"x", u"pdf", u'/'), u"./x.pdf");
}

class ResolveSettings : public ::testing::Test {
protected:
    ReleaseSettings Resolve() {
        kfx::ComPtr<standin::ReleaseData> data(
            new standin::ReleaseData(plan_, document_, std::make_shared<standin::MessageSink>()));
        kfx::ComPtr<kfx::IValues> values;
        EXPECT_EQ(data->get_Values(values.Put()), kfx::HR_S_OK);
        return ResolveReleaseSettings(data.Get(), values.Get(), u"doc.pdf");
    }
    void Add(const char16_t* destination, const char16_t* value) {
        document_.values.push_back({destination, value, {}, {}});
    }

    std::shared_ptr<standin::FaultPlan> plan_ = std::make_shared<standin::FaultPlan>();
    standin::ReleaseDocument document_{u"doc.pdf", u"HOSTSERVER", u"HOSTUSER", u"HOSTPASS", {}, {}};
};

TEST_F(ResolveSettings, StartsFromTheHostsDefaults) {
    const ReleaseSettings settings = Resolve();
    EXPECT_EQ(settings.server, u"HOSTSERVER");
    EXPECT_EQ(settings.userName, u"HOSTUSER");
    EXPECT_EQ(settings.password, u"HOSTPASS");
    EXPECT_EQ(settings.apiLibrary, u"");
    EXPECT_EQ(settings.codePage, 0);
    EXPECT_EQ(settings.replacementChar, 0);
    EXPECT_EQ(settings.documentName, u"doc.pdf");
}

TEST_F(ResolveSettings, NonEmptyValuesOverrideTheDefaults) {
    Add(u"serverName", u"");
    Add(u"username", u"VALUEUSER");
    Add(u"password", u"valuepass");
    Add(u"APILibrary", u"VALUELIB");
    Add(u"SanitiseCodepage", u"850");
    Add(u"SanitiseReplacementChar", u"?");
    document_.customProperties.push_back({u"serverAPILibrary", u"PROPLIB"});
    const ReleaseSettings settings = Resolve();
    EXPECT_EQ(settings.server, u"HOSTSERVER");
    EXPECT_EQ(settings.userName, u"VALUEUSER");
    EXPECT_EQ(settings.password, u"valuepass");
    EXPECT_EQ(settings.apiLibrary, u"VALUELIB");
    EXPECT_EQ(settings.codePage, 850);
    EXPECT_EQ(settings.replacementChar, u'?');
}

TEST_F(ResolveSettings, AReplacementOfTwoCharactersIsNone) {
    Add(u"SanitiseReplacementChar", u"??");
    document_.customProperties.push_back({u"serverAPILibrary", u"PROPLIB"});
    const ReleaseSettings settings = Resolve();
    EXPECT_EQ(settings.replacementChar, 0);
    EXPECT_EQ(settings.apiLibrary, u"PROPLIB");
}

TEST_F(ResolveSettings, AnUnreadableCustomPropertyLeavesTheLibraryEmpty) {
    document_.customProperties.push_back({u"serverAPILibrary", u"PROPLIB"});
    plan_->FailEveryCall("ReleaseData.get_CustomProperties", kfx::HR_E_FAIL);
    EXPECT_EQ(Resolve().apiLibrary, u"");
}

TEST(ReadServerApiLibrary, TellsAnAbsentPropertyFromAnEmptyOne) {
    auto plan = std::make_shared<standin::FaultPlan>();
    standin::ReleaseDocument document;
    kfx::ComPtr<standin::ReleaseData> absent(
        new standin::ReleaseData(plan, document, std::make_shared<standin::MessageSink>()));
    kfx::Text library = u"stale";
    EXPECT_FALSE(ReadServerApiLibrary(absent.Get(), library));
    EXPECT_EQ(library, u"");
    document.customProperties.push_back({u"serverAPILibrary", u""});
    kfx::ComPtr<standin::ReleaseData> empty(
        new standin::ReleaseData(plan, document, std::make_shared<standin::MessageSink>()));
    EXPECT_TRUE(ReadServerApiLibrary(empty.Get(), library));
    EXPECT_EQ(library, u"");
}

struct ProblemCase {
    const char16_t* server;
    const char16_t* library;
    std::int32_t codePage;
    bool refused;
};

TEST(SettingsProblem, RefusesOnlyWhatCouldChangeTheSqlOrTheConnection) {
    const ProblemCase cases[] = {
        {u"sqlite:/data/db", u"APLIB", 0, false},
        {u"AS400.example", u"AP_LIB$#@9", 1252, false},
        {u"ibmi", u"", 0, true},
        {u"ibmi", u"9LIB", 0, true},
        {u"ibmi", u"AP LIB", 0, true},
        {u"ibmi", u"APLIB.AIP32", 0, true},
        {u"ibmi", u"AP\"LIB", 0, true},
        {u"ibmi", u"ÄPLIB", 0, true},
        {u"srv;Provider=x", u"APLIB", 0, true},
        {u"srv=1", u"APLIB", 0, true},
        {u"srv'", u"APLIB", 0, true},
        {u"srv\n", u"APLIB", 0, true},
        {u"ibmi", u"APLIB", 99999, true},
        {u"ibmi", u"APLIB", -1, true},
        {u"ibmi", u"APLIB", 65001, false},
    };
    for (const ProblemCase& c : cases) {
        ReleaseSettings settings;
        settings.server = c.server;
        settings.apiLibrary = c.library;
        settings.codePage = c.codePage;
        EXPECT_EQ(SettingsProblem(settings).has_value(), c.refused)
            << kfx::ToUtf8(c.server) << " " << kfx::ToUtf8(c.library) << " " << c.codePage;
    }
}

}  // namespace
}  // namespace veldmark
