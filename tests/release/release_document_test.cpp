#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "host/utf8.h"
#include "tests/support/release_fixture.h"
#include "tests/support/com_error_text.h"

namespace veldmark {
namespace {

using namespace std::string_literals;
using Table = std::vector<std::vector<std::string>>;
using standin::DocumentMessage;
using standin::ErrorLogEntry;

class ReleaseDocument : public testsupport::ReleaseFixture {
protected:
    // The one error the document reported, with its line.
    void ExpectOneError(const std::string& text, std::int32_t line) {
        ASSERT_EQ(Log().size(), 1u) << ::testing::PrintToString(LogTexts());
        const ErrorLogEntry entry = Log()[0];
        EXPECT_EQ(kfx::ToUtf8(entry.message), text);
        EXPECT_EQ(entry.err1, 1);
        EXPECT_EQ(entry.lineNumber, line);
        EXPECT_EQ(entry.codeModule, u"releaseScript");
        ASSERT_EQ(Messages().size(), 1u);
        EXPECT_EQ(Messages()[0], (DocumentMessage{entry.message, 1, 1}));
    }

    bool Connected() const {
        return std::count(plan_.Calls().begin(), plan_.Calls().end(), "Connection.Open") > 0;
    }
};

TEST_F(ReleaseDocument, WritesEachLineWithTheHeaderKeysAndThenTheHeader) {
    AddTypicalInvoice();
    EXPECT_EQ(Release(), kfx::KFX_REL_SUCCESS);
    EXPECT_EQ(Rows("AIP32", {"RTYP32", "CDAC32", "INVN32", "DTIN32", "CURN32"}),
              (Table{{"3", "01SUPP0001001", "INV0001", "1240131", "EUR"}}));
    EXPECT_EQ(Rows("AIP33", {"CDAC33", "INVN33", "RTYP33", "DESC33", "LQTY33", "UPRC33"}),
              (Table{{"01SUPP0001001", "INV0001", "3", "Copier paper A4", "10.000", "4.25000"},
                    {"01SUPP0001001", "INV0001", "3", "Toner cartridge", "2.000", "59.90000"},
                    {"01SUPP0001001", "INV0001", "3", "Delivery", "1.000", "12.50000"}}));
    ASSERT_EQ(Log().size(), 1u);
    EXPECT_EQ(Log()[0], (ErrorLogEntry{0, 0, 0, u"Document Released Successfully invoice.pdf", u"releaseScript", 539}));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ReleaseDocument, CommonLineValuesReachEveryLineAndRowValuesWinOverThem) {
    AddTypicalInvoice();
    Add(u"AIP33.VATC33", u"S");
    Add(u"AIP33.CURN33", u"EUR");
    AddTable(u"AIP33.CURN33", u"Lines", {u"GBP", u"", u"USD"});
    EXPECT_EQ(Release(), kfx::KFX_REL_SUCCESS);
    EXPECT_EQ(Rows("AIP33", {"VATC33", "CURN33"}), (Table{{"S", "GBP"}, {"S", ""}, {"S", "USD"}}));
}

// The rows of a table field are asked for by the identifier the host
// publishes; a host object that does not offer it loses that field of every
// line, and the rest of the invoice is written.
TEST_F(ReleaseDocument, TableRowsWithoutTheirInterfaceLeaveThatFieldBlank) {
    AddTypicalInvoice();
    hostPlan_->FailNthCall("RowValues.QueryInterface", 1, kfx::HR_E_NOINTERFACE);
    EXPECT_EQ(Release(), kfx::KFX_REL_SUCCESS);
    EXPECT_EQ(Rows("AIP33", {"DESC33", "LQTY33"}), (Table{{" ", "10.000"}, {" ", "2.000"}, {" ", "1.000"}}));
    EXPECT_EQ(hostPlan_->CallCount("RowValues.QueryInterface"), 3);
}

TEST_F(ReleaseDocument, TwoTablesMakeAsManyLinesAsTheLongerHas) {
    AddTypicalInvoice();
    AddTable(u"AIP33.ADVN33", u"Advice", {u"ADV1", u"ADV2", u"ADV3", u"ADV4"});
    EXPECT_EQ(Release(), kfx::KFX_REL_SUCCESS);
    EXPECT_EQ(Rows("AIP33", {"DESC33", "ADVN33", "INVN33"}),
              (Table{{"Copier paper A4", "ADV1", "INV0001"},
                    {"Toner cartridge", "ADV2", "INV0001"},
                    {"Delivery", "ADV3", "INV0001"},
                    {" ", "ADV4", "INV0001"}}));
}

TEST_F(ReleaseDocument, HeaderValuesAloneMakeOneLineWithTheKeys) {
    Add(u"APILibrary", u"APLIB");
    Add(u"AIP32.INVN32", u"INV0002");
    Add(u"AIP32.CDAC32", u"01SUPP0002001");
    EXPECT_EQ(Release(), kfx::KFX_REL_SUCCESS);
    EXPECT_EQ(Rows("AIP33", {"CDAC33", "INVN33", "RTYP33"}), (Table{{"01SUPP0002001", "INV0002", " "}}));
}

TEST_F(ReleaseDocument, WithoutLineValuesNoLineIsWrittenButTheHeaderIs) {
    Add(u"APILibrary", u"APLIB");
    Add(u"AIP32.CURN32", u"EUR");
    Add(u"serverName", u"");  // an empty override leaves the host's connect string
    EXPECT_EQ(Release(), kfx::KFX_REL_SUCCESS);
    EXPECT_EQ(RowCount("AIP32"), 1u);
    EXPECT_EQ(RowCount("AIP33"), 0u);
}

TEST_F(ReleaseDocument, ValuesThatCannotBeObtainedFailBeforeConnecting) {
    AddTypicalInvoice();
    hostPlan_->FailEveryCall("ReleaseData.get_Values", kfx::HR_E_FAIL);
    EXPECT_EQ(Release(), kfx::KFX_REL_ERROR);
    ExpectOneError("Failed to get values", 389);
    EXPECT_FALSE(Connected());
}

TEST_F(ReleaseDocument, ACountThatCannotBeReadWritesNothing) {
    AddTypicalInvoice();
    hostPlan_->FailEveryCall("Values.get_Count", kfx::HR_E_FAIL);
    EXPECT_EQ(Release(), kfx::KFX_REL_ERROR);
    ExpectOneError("Failed to get count of values", 133);
    EXPECT_EQ(RowCount("AIP32") + RowCount("AIP33"), 0u);
}

TEST_F(ReleaseDocument, AHeaderValueWithTooManyDigitsCancelsTheDocument) {
    AddTypicalInvoice();
    Remove(u"AIP32.DTIN32");
    Add(u"AIP32.DTIN32", u"20240131");
    EXPECT_EQ(Release(), kfx::KFX_REL_ERROR);
    ExpectOneError(
        "Error in readVariables: Invalid number of digits in decimal Field 'DTIN32' (8 > 7) (Error Code: 0x00000000)",
        185);
    EXPECT_EQ(RowCount("AIP32") + RowCount("AIP33"), 0u);
}

// The line is cancelled and the others written, but without their header
// none of them is committed: the document leaves nothing behind.
TEST_F(ReleaseDocument, ALineValueTheColumnCannotTakeFailsTheDocumentAndLeavesNoLine) {
    AddTypicalInvoice();
    Remove(u"AIP33.LQTY33");
    AddTable(u"AIP33.LQTY33", u"Lines", {u"10", u"two", u"1"});
    AddTable(u"AIP33.ADVN33", u"Lines", {u"A1", u"A2", u"A3", u"A4"});
    EXPECT_EQ(Release(), kfx::KFX_REL_ERROR);
    ExpectOneError(
        "Error Updating AIP33 record 2 of 4: Failed to set Field 'LQTY33' to value 'two' (Error Code: 0x80040e21)",
        306);
    EXPECT_EQ(RowCount("AIP33"), 0u);
    EXPECT_EQ(RowCount("AIP32"), 0u);
}

// A refusal at assignment leaves its reason on the connection; a later line's
// failure must not be reported with it.
TEST_F(ReleaseDocument, ALaterLinesFailureIsReportedWithItsOwnReasonOnly) {
    AddTypicalInvoice();
    Remove(u"AIP33.LQTY33");
    AddTable(u"AIP33.LQTY33", u"Lines", {u"10", u"two", u"1"});
    RefuseRows("AIP33");
    EXPECT_EQ(Release(), kfx::KFX_REL_ERROR);
    ASSERT_EQ(Log().size(), 3u);
    EXPECT_EQ(LogTexts()[1],
              "Error Updating AIP33 record 2 of 3: Failed to set Field 'LQTY33' to value 'two' (Error Code: 0x80040e21)");
    const std::string third = LogTexts()[2];
    EXPECT_EQ(third.rfind("Error Updating AIP33 record 3 of 3: CAxRecordset::Update\n", 0), 0u) << third;
    EXPECT_NE(third.find("the server refuses rows of AIP33"), std::string::npos) << third;
    EXPECT_EQ(third.find("two"), std::string::npos) << third;
    EXPECT_EQ(RowCount("AIP32") + RowCount("AIP33"), 0u);
}

struct RefusedHeaderValue {
    const char16_t* destination;
    const char16_t* value;
    const char* message;
};

class ReleaseDocumentRefusing : public ReleaseDocument, public ::testing::WithParamInterface<RefusedHeaderValue> {};

// Refused when assigned, a header value stops the document before any line is written.
TEST_P(ReleaseDocumentRefusing, AHeaderValueTheColumnCannotTakeWritesNothing) {
    AddTypicalInvoice();
    Remove(GetParam().destination);
    Add(GetParam().destination, GetParam().value);
    EXPECT_EQ(Release(), kfx::KFX_REL_ERROR);
    ExpectOneError(GetParam().message, 185);
    EXPECT_EQ(RowCount("AIP32") + RowCount("AIP33"), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ReleaseDocumentRefusing,
    ::testing::Values(
        RefusedHeaderValue{
            u"AIP32.INVN32", u"TOOLONG12",
            "Error in readVariables: Failed to set Field 'INVN32' to value 'TOOLONG12' (Error Code: 0x80040e21)"},
        RefusedHeaderValue{
            u"AIP32.PODC32", u"YES",
            "Error in readVariables: Failed to set Field 'PODC32' to value 'YES' (Error Code: 0x80040e21)"},
        RefusedHeaderValue{
            u"AIP32.IWGH32", u"1e5",
            "Error in readVariables: Failed to set Field 'IWGH32' to value '1e5' (Error Code: 0x80040e21)"},
        RefusedHeaderValue{
            u"AIP32.IWGH32", u"NaN",
            "Error in readVariables: Failed to set Field 'IWGH32' to value 'NaN' (Error Code: 0x80040e21)"}));

TEST_F(ReleaseDocument, AHeaderTheDatabaseRefusesTakesItsLinesWithIt) {
    AddTypicalInvoice();
    RefuseRows("AIP32");
    EXPECT_EQ(Release(), kfx::KFX_REL_ERROR);
    ASSERT_EQ(Log().size(), 1u);
    EXPECT_EQ(LogTexts()[0].rfind("Error Updating AIP32: CAxRecordset::Update\n", 0), 0u) << LogTexts()[0];
    EXPECT_NE(LogTexts()[0].find("the server refuses rows of AIP32"), std::string::npos) << LogTexts()[0];
    EXPECT_EQ(Log()[0].lineNumber, 208);
    EXPECT_EQ(RowCount("AIP33"), 0u);
    EXPECT_EQ(RowCount("AIP32"), 0u);
}

TEST_F(ReleaseDocument, ARefusedSingleLineIsNumberedZeroOfZero) {
    Add(u"APILibrary", u"APLIB");
    Add(u"AIP32.INVN32", u"INV0003");
    Add(u"AIP33.LQTY33", u"many");
    EXPECT_EQ(Release(), kfx::KFX_REL_ERROR);
    ASSERT_EQ(Log().size(), 1u);
    EXPECT_EQ(LogTexts()[0].rfind("Error Updating AIP33 record 0 of 0: ", 0), 0u) << LogTexts()[0];
}

TEST_F(ReleaseDocument, ALibraryWithoutTheLineFileFailsEvenWithoutLines) {
    DropTable("AIP33");
    Add(u"APILibrary", u"APLIB");
    Add(u"AIP32.CURN32", u"EUR");
    EXPECT_EQ(Release(), kfx::KFX_REL_ERROR);
    ASSERT_EQ(Log().size(), 1u);
    EXPECT_EQ(LogTexts()[0].rfind("Error Creating AIP33 Record: CAxRecordset::Open\n", 0), 0u) << LogTexts()[0];
    EXPECT_EQ(Log()[0].lineNumber, 245);
    EXPECT_EQ(RowCount("AIP32"), 0u);
}

TEST_F(ReleaseDocument, AServerThatCannotBeReachedIsReported) {
    AddTypicalInvoice();
    Add(u"serverName", u"sqlite:" + DataSource().substr(7) + u"/nowhere");
    EXPECT_EQ(Release(), kfx::KFX_REL_ERROR);
    ASSERT_EQ(Log().size(), 1u);
    EXPECT_EQ(LogTexts()[0].rfind("Error in ReleaseDoc: CAxConnection::Open\n", 0), 0u) << LogTexts()[0];
    EXPECT_EQ(Log()[0].lineNumber, 526);
}

struct RefusedSetting {
    const char16_t* destination;
    const char16_t* value;
    const char* message;
};

TEST_F(ReleaseDocument, UnsafeOrUnusableSettingsFailBeforeAnythingIsConnected) {
    const RefusedSetting cases[] = {
        {u"APILibrary", u"APLIB.AIP32; DROP TABLE X; --",
         "Error in ReleaseDoc: The API library name 'APLIB.AIP32; DROP TABLE X; --' is not valid: use letters, "
         "digits, '_', '$', '#' or '@', not starting with a digit"},
        {u"APILibrary", u"1LIB",
         "Error in ReleaseDoc: The API library name '1LIB' is not valid: use letters, digits, '_', '$', '#' or '@', "
         "not starting with a digit"},
        {u"serverName", u"sqlite:/tmp;Provider=Other",
         "Error in ReleaseDoc: The server name 'sqlite:/tmp;Provider=Other' is not valid: it must not contain ';', "
         "'=', quotes or control characters"},
    };
    for (const RefusedSetting& c : cases) {
        sink_ = std::make_shared<standin::MessageSink>();
        document_.values.clear();
        AddTypicalInvoice();
        Remove(c.destination);
        Add(c.destination, c.value);
        EXPECT_EQ(Release(), kfx::KFX_REL_ERROR);
        ExpectOneError(c.message, 526);
    }
    EXPECT_FALSE(Connected());
}

TEST_F(ReleaseDocument, AnEmptyLibraryFromTheCustomPropertyIsRefused) {
    AddTypicalInvoice();
    Remove(u"APILibrary");
    document_.customProperties.push_back({u"serverAPILibrary", u""});
    EXPECT_EQ(Release(), kfx::KFX_REL_ERROR);
    ExpectOneError(
        "Error in ReleaseDoc: The API library name '' is not valid: use letters, digits, '_', '$', '#' or '@', not "
        "starting with a digit",
        526);
}

TEST_F(ReleaseDocument, TheCustomPropertySuppliesTheLibraryWhenNoValueDoes) {
    AddTypicalInvoice();
    Remove(u"APILibrary");
    document_.customProperties.push_back({u"serverAPILibrary", u"APLIB"});
    EXPECT_EQ(Release(), kfx::KFX_REL_SUCCESS);
    EXPECT_EQ(RowCount("AIP32"), 1u);
}

// A setting that cannot be sanitised with fails the document before anything
// is connected: values are neither emptied nor written unsanitised.
TEST_F(ReleaseDocument, ACodePageSettingThatCannotBeUsedFailsTheDocumentBeforeAnythingIsWritten) {
    const auto unusable = [](const std::string& number) {
        return "Code page " + number +
               " cannot be used for sanitising: it is not a code page this system can convert to. Set "
               "\"SanitiseCodepage\" to a supported code page, or to 0 to turn sanitising off.";
    };
    const auto notANumber = [](const std::string& setting) {
        return "\"SanitiseCodepage\" is set to '" + setting +
               "', which is not a code page number. Set \"SanitiseCodepage\" to a supported code page, or to 0 to "
               "turn sanitising off.";
    };
    // The number as it was set, a negative one included; a text that is not
    // entirely a number, which would otherwise turn sanitising off.
    const std::pair<std::string, std::string> cases[] = {
        {"99999", unusable("99999")}, {"-1", unusable("-1")}, {"2147483647", unusable("2147483647")},
        {"l252", notANumber("l252")}, {"1252x", notANumber("1252x")}, {"0x4E4", notANumber("0x4E4")},
        {"1252 ", notANumber("1252 ")},
    };
    for (const auto& [setting, message] : cases) {
        SCOPED_TRACE(setting);
        sink_ = std::make_shared<standin::MessageSink>();
        document_.values.clear();
        AddTypicalInvoice();
        Add(u"SanitiseCodepage", kfx::FromUtf8(setting));
        EXPECT_EQ(Release(), kfx::KFX_REL_ERROR);
        ExpectOneError("Error in ReleaseDoc: " + message, 526);
    }
    EXPECT_FALSE(Connected());
}

TEST_F(ReleaseDocument, SanitisesEveryValueToTheCodePage) {
    AddTypicalInvoice();
    Add(u"SanitiseCodepage", u" +1252");
    Add(u"SanitiseReplacementChar", u"#");
    Add(u"AIP32.INAM32", u"Zakład Łódź Ærø");
    Remove(u"AIP33.DESC33");
    AddTable(u"AIP33.DESC33", u"Lines", {u"Papier 請求", u"Toner", u"Delivery"});
    EXPECT_EQ(Release(), kfx::KFX_REL_SUCCESS);
    EXPECT_EQ(Rows("AIP32", {"INAM32"}), (Table{{"Zaklad Lódz Ærø"}}));
    EXPECT_EQ(Rows("AIP33", {"DESC33"}), (Table{{"Papier ##"}, {"Toner"}, {"Delivery"}}));
}

TEST_F(ReleaseDocument, NamesTheOriginalFileWhenItExists) {
    const std::filesystem::path scans = directory_ / "scans";
    std::filesystem::create_directories(scans);
    std::ofstream(scans / "inv001.pdf") << "%PDF";
    AddTypicalInvoice();
    Add(u"OriginalFolder", kfx::FromUtf8(scans.string()));
    Add(u"OriginalFileName", u"inv001.tif");
    Add(u"OriginalFileNameExt", u"pdf");
    EXPECT_EQ(Release(), kfx::KFX_REL_SUCCESS);
    EXPECT_EQ(LogTexts(), std::vector<std::string>{"Document Released Successfully " + (scans / "inv001.pdf").string()});
}

struct OriginalFileCase {
    const char* name;
    kfx::Text folder;  // inside the scans folder
    kfx::Text fileName;
    kfx::Text extension;
};

TEST_F(ReleaseDocument, AnOriginalFileNameThatNamesNoPathIsNotFound) {
    // Beside each name lies the file that a lenient conversion (an unpaired
    // surrogate made U+FFFD, a NUL ending the path) would find instead.
    const std::filesystem::path scans = directory_ / "scans";
    const std::string replacement = "\xEF\xBF\xBD";  // U+FFFD
    std::filesystem::create_directories(scans / ("in" + replacement + "box"));
    for (const std::string& file : {"inv001.pdf"s, "inv" + replacement + "001.pdf", "inv001.pdf" + replacement,
                                    "in" + replacement + "box/inv001.pdf"}) {
        std::ofstream(scans / file) << "%PDF";
    }
    const kfx::Text high(1, char16_t(0xD800)), low(1, char16_t(0xDC00));
    const OriginalFileCase cases[] = {
        {"unpaired surrogate in the folder", u"in" + high + u"box", u"inv001.tif", u"pdf"},
        {"unpaired surrogate in the name", u"", u"inv" + low + u"001.tif", u"pdf"},
        {"unpaired surrogate in the extension", u"", u"inv001.tif", u"pdf" + high},
        {"NUL in the name", u"", kfx::Text(u"inv001.pdf\0.tif", 15), u""},
    };
    for (const OriginalFileCase& c : cases) {
        sink_ = std::make_shared<standin::MessageSink>();
        document_.values.clear();
        ClearFiles();
        AddTypicalInvoice();
        Add(u"OriginalFolder", kfx::FromUtf8(scans.string()) + (c.folder.empty() ? u"" : u"/" + c.folder));
        Add(u"OriginalFileName", c.fileName);
        Add(u"OriginalFileNameExt", c.extension);
        EXPECT_EQ(Release(), kfx::KFX_REL_SUCCESS) << c.name;
        EXPECT_EQ(LogTexts(), std::vector<std::string>{"Document Released Successfully invoice.pdf"}) << c.name;
        EXPECT_EQ(RowCount("AIP32"), 1u) << c.name;
    }
}

TEST_F(ReleaseDocument, AnUnreadableDocumentNameLeavesTheMessageEmptyAfterIt) {
    AddTypicalInvoice();
    Add(u"OriginalFolder", u"/no/such/folder");
    Add(u"OriginalFileName", u"inv001");
    hostPlan_->FailEveryCall("ReleaseData.get_KofaxPDFFileName", kfx::HR_E_FAIL);
    EXPECT_EQ(Release(), kfx::KFX_REL_SUCCESS);
    EXPECT_EQ(LogTexts(), std::vector<std::string>{"Document Released Successfully "});
}

TEST_F(ReleaseDocument, MessagesAreCutAt1023Units) {
    const std::string prefix = "Error in ReleaseDoc: The API library name '";
    const std::string suffix = "' is not valid: use letters, digits, '_', '$', '#' or '@', not starting with a digit";
    for (std::size_t total : {std::size_t{1023}, std::size_t{1100}}) {
        sink_ = std::make_shared<standin::MessageSink>();
        document_.values.clear();
        AddTypicalInvoice();
        Remove(u"APILibrary");
        Add(u"APILibrary", kfx::Text(total - prefix.size() - suffix.size(), u';'));
        EXPECT_EQ(Release(), kfx::KFX_REL_ERROR);
        ASSERT_EQ(Log().size(), 1u);
        EXPECT_EQ(Log()[0].message.size(), 1023u);
        EXPECT_EQ(LogTexts()[0].ends_with(suffix), total == 1023);
        EXPECT_EQ(Messages()[0].message, Log()[0].message);
    }
}

TEST_F(ReleaseDocument, AFailedCloseOfTheLineFileFailsTheDocumentSilently) {
    AddTypicalInvoice();
    plan_.Add({"Recordset.Close", 1, kfx::HR_E_FAIL});  // the line file closes first
    EXPECT_EQ(Release(), kfx::KFX_REL_ERROR);
    EXPECT_TRUE(Log().empty());
    EXPECT_EQ(RowCount("AIP33"), 0u);
    EXPECT_EQ(RowCount("AIP32"), 0u);
}

TEST_F(ReleaseDocument, AFailedCloseOfTheConnectionAfterEverythingWasWrittenFailsTheDocument) {
    AddTypicalInvoice();
    plan_.Add({"Connection.Close", 1, kfx::HR_E_FAIL, {Record(77, u"connection reset")}});
    EXPECT_EQ(Release(), kfx::KFX_REL_ERROR);
    ExpectOneError("Error in ReleaseDoc: CAxConnection::Close\nconnection reset" + testsupport::ComErrorLineUtf8(kfx::HR_E_FAIL), 526);
    EXPECT_EQ(RowCount("AIP32"), 1u);
    EXPECT_EQ(RowCount("AIP33"), 3u);
}

}  // namespace
}  // namespace veldmark
