#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>

#include "data_access/ax_library.h"
#include "data_access/provider/embedded_database.h"
#include "host/utf8.h"
#include "host_standin/document_class_file.h"
#include "tools/check_command.h"
#include "temporary_store.h"

namespace standin {
namespace {

LinkRecord Constant(const std::string& text, const std::string& destination) {
    return {kfx::FromUtf8(text), 1, kfx::FromUtf8(destination)};
}
LinkRecord IndexField(const std::string& field, const std::string& destination) {
    return {kfx::FromUtf8(field), 0, kfx::FromUtf8(destination)};
}

class CheckCommandTest : public ::testing::Test {
protected:
    // The command expects the data access library started, as the
    // executable starts it.
    void SetUp() override {
        dbAx::AxLibInit();
        dbAx::provider::CreateEmbeddedInterfaceFiles(database_, "APLIB");
    }
    void TearDown() override { dbAx::AxLibClose(); }

    // A class that passes: the settings as text constants, every required
    // field and a few others mapped.
    DocumentClass GoodClass() const {
        DocumentClass documentClass;
        documentClass.batchClassName = u"AP Invoices";
        documentClass.documentClassName = u"Supplier Invoice";
        documentClass.indexFields = {{u"Invoice Number", u""}, {u"Description", u"Lines"}};
        documentClass.links = {Constant("I", "AIP32.RTYP32"),
                               IndexField("Supplier", "AIP32.CDAC32"),
                               IndexField("Invoice Number", "AIP32.INVN32"),
                               Constant("1260302", "AIP32.DTIN32"),
                               Constant("GBP", "AIP32.CURN32"),
                               IndexField("Description", "AIP33.DESC33"),
                               Constant("sqlite:" + database_.string(), "serverName"),
                               Constant("", "username"),
                               Constant("", "password"),
                               Constant("APLIB", "APILibrary"),
                               Constant("1252", "SanitiseCodepage")};
        return documentClass;
    }

    int Check(const DocumentClass& documentClass) {
        const std::filesystem::path file = store_.Path("class.json");
        SaveDocumentClass(file, documentClass);
        return RunCheck(file, {out_, err_, false});
    }

    std::size_t Rows(const std::string& table) const {
        return dbAx::provider::ReadEmbeddedRows(database_, "APLIB", table).rows.size();
    }

    testing::TemporaryStore store_;
    std::filesystem::path database_ = store_.Path("db");
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(CheckCommandTest, AGoodClassPassesAndNothingIsWritten) {
    EXPECT_EQ(Check(GoodClass()), 0) << out_.str();
    EXPECT_EQ(out_.str(),
              "ok: every required field is mapped\n"
              "ok: every text constant fits its column (3 checked)\n"
              "ok: the settings are usable (server 'sqlite:" + database_.string() + "', library 'APLIB')\n"
              "ok: connected to 'sqlite:" + database_.string() + "'\n"
              "ok: a document's lines and header are committed together (the embedded database)\n"
              "ok: the library 'APLIB' holds AIP32 and AIP33\n"
              "ok: every mapped destination is a column (6 checked)\n");
    EXPECT_EQ(err_.str(), "");
    EXPECT_EQ(Rows("AIP32"), 0u);
    EXPECT_EQ(Rows("AIP33"), 0u);
}

TEST_F(CheckCommandTest, SettingsFallBackToTheHostSettings) {
    DocumentClass documentClass = GoodClass();
    std::erase_if(documentClass.links, [](const LinkRecord& link) {
        return link.destination == u"serverName" || link.destination == u"APILibrary";
    });
    documentClass.connectString = kfx::FromUtf8("sqlite:" + database_.string());
    documentClass.customProperties = {{u"serverAPILibrary", u"APLIB"}};
    EXPECT_EQ(Check(documentClass), 0) << out_.str();
    EXPECT_NE(out_.str().find("ok: the library 'APLIB' holds AIP32 and AIP33\n"), std::string::npos) << out_.str();
}

struct BrokenClass {
    const char* name;
    std::function<void(DocumentClass&)> breakIt;
    std::string expectedError;  // the whole error line without "error: " up to its first variable part
};

class CheckCommandErrorTest : public CheckCommandTest, public ::testing::WithParamInterface<BrokenClass> {};

void SetConstant(DocumentClass& documentClass, const char16_t* destination, const std::string& text) {
    for (LinkRecord& link : documentClass.links) {
        if (link.destination == destination) link.source = kfx::FromUtf8(text);
    }
}

TEST_P(CheckCommandErrorTest, IsReportedAndNothingIsWritten) {
    DocumentClass documentClass = GoodClass();
    GetParam().breakIt(documentClass);
    EXPECT_EQ(Check(documentClass), 1) << out_.str();
    // One line per finding, even when the database's message has several.
    std::istringstream lines(out_.str());
    for (std::string line; std::getline(lines, line);) {
        EXPECT_TRUE(line.starts_with("ok: ") || line.starts_with("error: ") || line.starts_with("note: ")) << line;
    }
    EXPECT_NE(("\n" + out_.str()).find("\nerror: " + GetParam().expectedError), std::string::npos) << out_.str();
    EXPECT_EQ(Rows("AIP32"), 0u);
    EXPECT_EQ(Rows("AIP33"), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Findings, CheckCommandErrorTest,
    ::testing::Values(
        BrokenClass{"MissingLibrary", [](DocumentClass& c) { SetConstant(c, u"APILibrary", "OTHERLIB"); },
                    "the library 'OTHERLIB' has no usable file AIP32: "},
        BrokenClass{"ConstantTooLong", [](DocumentClass& c) { SetConstant(c, u"AIP32.CURN32", "POUNDS"); },
                    "the constant 'POUNDS' mapped to AIP32.CURN32 is 6 characters long; the column holds 3 "
                    "(CHAR(3))\n"},
        BrokenClass{"LongConstantWithControlCharactersExcerpted",
                    [](DocumentClass& c) { SetConstant(c, u"AIP32.CURN32", "\x1b[2J" + std::string(100'000, 'G')); },
                    "the constant '\\x1b[2J" + std::string(36, 'G') +
                        "…' mapped to AIP32.CURN32 is 100004 characters long; the column holds 3 (CHAR(3))\n"},
        BrokenClass{"DecimalTooLarge", [](DocumentClass& c) { SetConstant(c, u"AIP32.DTIN32", "12603020"); },
                    "the constant '12603020' mapped to AIP32.DTIN32 has 8 integer digits; the column holds 7 "
                    "(DECIMAL(7, 0))\n"},
        BrokenClass{"DecimalNotANumber", [](DocumentClass& c) { SetConstant(c, u"AIP32.DTIN32", "2 March"); },
                    "the constant '2 March' mapped to AIP32.DTIN32 is not a number (DECIMAL(7, 0))\n"},
        BrokenClass{"UnknownColumn",
                    [](DocumentClass& c) { c.links.push_back(IndexField("Description", "AIP33.NOPE33")); },
                    "the mapped destination AIP33.NOPE33 is not a column of APLIB.AIP33\n"},
        BrokenClass{"RequiredFieldUnmapped",
                    [](DocumentClass& c) {
                        std::erase_if(c.links, [](const LinkRecord& l) { return l.destination == u"AIP32.DTIN32"; });
                    },
                    "the required field AIP32.DTIN32 (Date Of Invoice) is not mapped\n"},
        BrokenClass{"UnreachableServer", [](DocumentClass& c) { SetConstant(c, u"serverName", "NOSUCHDSN"); },
                    "cannot connect to 'NOSUCHDSN': "},
        BrokenClass{"UnsafeLibraryName", [](DocumentClass& c) { SetConstant(c, u"APILibrary", "APLIB; DROP"); },
                    "The API library name 'APLIB; DROP' is not valid"}),
    [](const ::testing::TestParamInfo<BrokenClass>& info) { return info.param.name; });

TEST_F(CheckCommandTest, ASettingKnownOnlyAtReleaseIsANote) {
    DocumentClass documentClass = GoodClass();
    for (LinkRecord& link : documentClass.links) {
        if (link.destination == u"serverName") link = IndexField("Invoice Number", "serverName");
    }
    EXPECT_EQ(Check(documentClass), 0) << out_.str();
    EXPECT_NE(out_.str().find("note: the setting 'serverName' comes from the index field 'Invoice Number' at release "
                              "and cannot be checked here\n"
                              "note: the database was not checked\n"),
              std::string::npos)
        << out_.str();
    EXPECT_EQ(out_.str().find("error:"), std::string::npos) << out_.str();
}

TEST_F(CheckCommandTest, ACodePageKnownOnlyAtReleaseStillChecksTheDatabase) {
    DocumentClass documentClass = GoodClass();
    for (LinkRecord& link : documentClass.links) {
        if (link.destination == u"SanitiseCodepage") link = IndexField("Invoice Number", "SanitiseCodepage");
    }
    EXPECT_EQ(Check(documentClass), 0) << out_.str();
    EXPECT_NE(out_.str().find("note: the setting 'SanitiseCodepage' comes from the index field 'Invoice Number'"),
              std::string::npos)
        << out_.str();
    EXPECT_NE(out_.str().find("ok: the library 'APLIB' holds AIP32 and AIP33\n"), std::string::npos) << out_.str();
}

TEST_F(CheckCommandTest, AnUnreadableFileChecksNothing) {
    const std::filesystem::path file = store_.Write("class.json", "{\"formatVersion\": 1,");
    EXPECT_EQ(RunCheck(file, {out_, err_, false}), 2);
    EXPECT_EQ(out_.str(), "");
    EXPECT_NE(err_.str().find(file.string()), std::string::npos) << err_.str();
}

}  // namespace
}  // namespace standin
