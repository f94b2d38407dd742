#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "host_standin/document_class_file.h"
#include "host_standin/store_error.h"
#include "store_samples.h"

namespace standin {
namespace {

DocumentClass Sample() { return ParseDocumentClass(samples::kDocumentClass, "class.json"); }

TEST(DocumentClassFileTest, ReadsEveryPart) {
    const DocumentClass read = Sample();
    EXPECT_EQ(read.batchClassName, u"AP Invoices");
    EXPECT_EQ(read.documentClassName, u"Supplier Invoice");
    EXPECT_EQ(read.releaseScriptName, u"Veldmark Export Connector for System21");
    EXPECT_EQ(read.connectString, u"sqlite:db");
    EXPECT_EQ(read.userName, u"clerk");
    EXPECT_EQ(read.password, u"secret");
    EXPECT_EQ(read.customProperties,
              (std::vector<CustomPropertyRecord>{{u"serverAPILibrary", u"APLIB"}, {u"SanitiseCodepage", u""}}));
    EXPECT_EQ(read.indexFields, (std::vector<IndexFieldRecord>{{u"Invoice Number", u""},
                                                               {u"Supplier", u""},
                                                               {u"Description", u"Lines"},
                                                               {u"Quantity", u"Lines"}}));
    EXPECT_EQ(read.batchFields, (std::vector<kfx::Text>{u"OriginalFolder", u"OriginalFileNameExt"}));
    EXPECT_EQ(read.hostValueNames,
              (std::vector<kfx::Text>{u"First Page Original File Name", u"Batch Name", u"Document ID"}));
    ASSERT_EQ(read.links.size(), 4u);
    EXPECT_EQ(read.links[2], (LinkRecord{u"Description", 0, u"AIP33.DESC33"}));
    EXPECT_EQ(read.links[3], (LinkRecord{u"First Page Original File Name", 2, u"OriginalFileName"}));
}

TEST(DocumentClassFileTest, LeftOutKeysAreEmpty) {
    const DocumentClass read = ParseDocumentClass(
        R"({"formatVersion": 1, "batchClassName": "B", "documentClassName": "D", "links": []})", "class.json");
    DocumentClass expected;
    expected.batchClassName = u"B";
    expected.documentClassName = u"D";
    EXPECT_EQ(read, expected);
}

TEST(DocumentClassFileTest, WrittenTextReadsBackEqual) {
    DocumentClass original = Sample();
    original.links.push_back({u"", -1, u"password"});
    original.links.push_back({u"Ünïcødé 名前", 4, u"AIP32.CLOC32"});
    EXPECT_EQ(ParseDocumentClass(DocumentClassJson(original), "written.json"), original);
}

struct BadFile {
    const char* name;
    std::string text;
    std::string message;
};

void PrintTo(const BadFile& file, std::ostream* out) { *out << file.name; }

std::string WithLinks(const std::string& links) {
    return R"({"formatVersion": 1, "batchClassName": "B", "documentClassName": "D", "links": [)" + links + "]}";
}

const std::string kGoodLink = R"({"source": "S", "sourceType": 0, "destination": "AIP32.INVN32"})";

class DocumentClassErrorTest : public ::testing::TestWithParam<BadFile> {};

TEST_P(DocumentClassErrorTest, NamesTheFileAndThePlace) {
    try {
        ParseDocumentClass(GetParam().text, "class.json");
        FAIL() << "accepted";
    } catch (const StoreError& error) {
        EXPECT_EQ(std::string(error.what()), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    StoreFiles, DocumentClassErrorTest,
    ::testing::Values(
        BadFile{"MissingColon", "{\n  \"formatVersion\": 1,\n  \"batchClassName\" \"B\"\n}",
                "class.json:3:22: syntax error while parsing object separator - unexpected string literal; expected "
                "':'"},
        BadFile{"TruncatedFile", "{\"formatVersion\": 1,\n",
                "class.json:2:1: syntax error while parsing object key - unexpected end of input; expected string "
                "literal"},
        BadFile{"UnknownTopLevelKey",
                R"({"formatVersion": 1, "batchClassName": "B", "documentClassName": "D", "links": [], "Batch Class": ""})",
                R"(class.json: ["Batch Class"]: unknown key)"},
        BadFile{"UnknownLinkKey",
                WithLinks(kGoodLink + R"(, {"source": "S", "sourceType": 1, "destination": "X", "comment": "c"})"),
                "class.json: links[1].comment: unknown key"},
        BadFile{"SourceTypeAsText", WithLinks(R"({"source": "S", "sourceType": "0", "destination": "X"})"),
                "class.json: links[0].sourceType: expected a source type from -1 to 4, found a text"},
        BadFile{"SourceTypeSeven",
                WithLinks(kGoodLink + "," + kGoodLink + "," + kGoodLink +
                          R"(, {"source": "S", "sourceType": 7, "destination": "X"})"),
                "class.json: links[3].sourceType: expected a source type from -1 to 4, found 7"},
        BadFile{"SourceTypeWithFraction", WithLinks(R"({"source": "S", "sourceType": 1.0, "destination": "X"})"),
                "class.json: links[0].sourceType: expected a source type from -1 to 4, found a number with a "
                "fraction"},
        BadFile{"LinkWithoutDestination", WithLinks(R"({"source": "S", "sourceType": 1})"),
                "class.json: links[0]: missing key \"destination\""},
        BadFile{"NoLinks", R"({"formatVersion": 1, "batchClassName": "B", "documentClassName": "D"})",
                "class.json: top level: missing key \"links\""},
        BadFile{"LaterFormat", R"({"formatVersion": 2, "batchClassName": "B", "documentClassName": "D", "links": []})",
                "class.json: formatVersion: expected the format version 1, found 2"},
        BadFile{"NotAnObject", "[]", "class.json: top level: expected an object, found a list"},
        BadFile{"RepeatedKey",
                R"({"formatVersion": 1, "batchClassName": "B", "documentClassName": "D", "links": [],
                    "customProperties": {"serverAPILibrary": "A", "serverAPILibrary": "B"}})",
                "class.json: customProperties.serverAPILibrary: duplicate key"},
        BadFile{"CustomPropertyNotText",
                R"({"formatVersion": 1, "batchClassName": "B", "documentClassName": "D", "links": [],
                    "customProperties": {"SanitiseCodepage": 1252}})",
                "class.json: customProperties.SanitiseCodepage: expected a text, found a whole number"},
        BadFile{"IndexFieldNamedTwice",
                R"({"formatVersion": 1, "batchClassName": "B", "documentClassName": "D", "links": [],
                    "indexFields": [{"name": "Invoice Number"}, {"name": "Invoice Number", "table": "T"}]})",
                "class.json: indexFields[1].name: \"Invoice Number\" is named twice"},
        BadFile{"NumberOutOfRange", "{\"formatVersion\": 1e400}", "class.json:1:19: number out of range: 1e400"},
        BadFile{"SourceTypeBeyond64Bits",
                WithLinks(R"({"source": "S", "sourceType": 18446744073709551616, "destination": "X"})"),
                "class.json:1:111: number out of range: 18446744073709551616"},
        BadFile{"NestedTooDeep", "{\"formatVersion\": 1,\n \"links\": " + std::string(10'000, '[') + "\n}",
                "class.json:2:74: nested deeper than 64 levels"},
        BadFile{"LongNameNamedTwiceIsExcerpted",
                R"({"formatVersion": 1, "batchClassName": "B", "documentClassName": "D", "links": [],
                    "hostValueNames": [")" + std::string(100'000, 'k') + R"(", ")" + std::string(100'000, 'k') + R"("]})",
                "class.json: hostValueNames[1]: \"" + std::string(40, 'k') + "…\" is named twice"},
        BadFile{"ControlCharacterInAKeyIsEscaped",
                R"({"formatVersion": 1, "batchClassName": "B", "documentClassName": "D", "links": [], "a\u001b[2J\n": ""})",
                R"(class.json: ["a\x1b[2J\n"]: unknown key)"},
        BadFile{"EmptyHostValueName",
                R"({"formatVersion": 1, "batchClassName": "B", "documentClassName": "D", "links": [],
                    "hostValueNames": ["Batch Name", ""]})",
                "class.json: hostValueNames[1]: a name cannot be empty"}),
    [](const ::testing::TestParamInfo<BadFile>& info) { return std::string(info.param.name); });

TEST(DocumentClassFileTest, AMissingFileIsNamed) {
    const std::filesystem::path missing = std::filesystem::path(::testing::TempDir()) / "no-such-class.json";
    try {
        LoadDocumentClass(missing);
        FAIL() << "loaded";
    } catch (const StoreError& error) {
        EXPECT_EQ(std::string(error.what()), missing.string() + ": cannot open for reading");
    }
}

}  // namespace
}  // namespace standin
