// Releases a typical invoice once for every host call and every database call
// it makes, with that one call failing, and checks that the outcome is always
// one a user can understand: the right result, the messages in their fixed
// form, and no header without all its lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "host/utf8.h"
#include "tests/support/release_fixture.h"
#include "tests/support/com_error_text.h"

namespace veldmark {
namespace {

using Table = std::vector<std::vector<std::string>>;

const std::set<std::int32_t> kReportingLines = {133, 185, 191, 208, 214, 245, 251, 306,
                                                313, 321, 327, 389, 526, 530, 539};
const std::set<std::string> kLineDescriptions = {"Copier paper A4", "Toner cartridge", "Delivery"};

// Each call of a clean release, as the name and which occurrence of it.
std::vector<std::pair<std::string, int>> Occurrences(const std::vector<std::string>& calls) {
    std::map<std::string, int> seen;
    std::vector<std::pair<std::string, int>> occurrences;
    for (const std::string& call : calls) occurrences.emplace_back(call, ++seen[call]);
    return occurrences;
}

class FaultSweep : public testsupport::ReleaseFixture {
protected:
    void SetUp() override { AddTypicalInvoice(); }

    kfx::KfxReturnValue ReleaseAfresh() {
        ClearFiles();
        sink_ = std::make_shared<standin::MessageSink>();
        return Release();
    }

    // What must hold whichever call failed.
    void CheckConsistent(const std::string& failing, kfx::KfxReturnValue result, bool hostMayLoseMessages) {
        SCOPED_TRACE(failing);
        ASSERT_TRUE(result == kfx::KFX_REL_SUCCESS || result == kfx::KFX_REL_ERROR);
        std::vector<kfx::Text> errors;
        for (const standin::ErrorLogEntry& entry : Log()) {
            EXPECT_EQ(entry.codeModule, u"releaseScript");
            EXPECT_TRUE(kReportingLines.count(entry.lineNumber)) << entry.lineNumber;
            EXPECT_EQ(entry.err1, entry.lineNumber == 539 ? 0 : 1);
            if (entry.err1 == 1) errors.push_back(entry.message);
        }
        std::vector<kfx::Text> sent;
        for (const standin::DocumentMessage& message : Messages()) {
            EXPECT_EQ(message.errorNumber, 1);
            EXPECT_EQ(message.infoRet, 1);
            sent.push_back(message.message);
        }
        if (!hostMayLoseMessages) {
            EXPECT_EQ(sent, errors);
        }

        const std::size_t headers = RowCount("AIP32");
        std::set<std::string> lines;
        for (const auto& row : Rows("AIP33", {"DESC33"})) {
            EXPECT_TRUE(kLineDescriptions.count(row[0]) || row[0] == " " || row[0].empty()) << row[0];
            lines.insert(row[0]);
        }
        EXPECT_LE(headers, 1u);
        if (headers == 1) {
            EXPECT_EQ(RowCount("AIP33"), 3u) << "a header was committed without all its lines";
        } else {
            EXPECT_EQ(RowCount("AIP33"), 0u) << "lines were left without their header";
        }
        if (result == kfx::KFX_REL_SUCCESS) {
            EXPECT_EQ(headers, 1u);
            EXPECT_TRUE(errors.empty());
            if (!hostMayLoseMessages) {
                ASSERT_EQ(Log().size(), 1u);
                EXPECT_EQ(Log()[0].lineNumber, 539);
            }
        } else {
            for (const standin::ErrorLogEntry& entry : Log()) EXPECT_NE(entry.lineNumber, 539);
        }
    }
};

TEST_F(FaultSweep, EveryFailingHostCallEndsConsistently) {
    ASSERT_EQ(ReleaseAfresh(), kfx::KFX_REL_SUCCESS);
    const auto occurrences = Occurrences(hostPlan_->Calls());
    ASSERT_GT(occurrences.size(), 30u);
    int failedDocuments = 0;
    for (const auto& [call, occurrence] : occurrences) {
        hostPlan_ = std::make_shared<standin::FaultPlan>();
        hostPlan_->FailNthCall(call, occurrence, kfx::HR_E_FAIL);
        const kfx::KfxReturnValue result = ReleaseAfresh();
        const bool reporting = call == "ReleaseData.LogError" || call == "ReleaseData.SendMessage";
        CheckConsistent(call + " #" + std::to_string(occurrence), result, reporting);
        if (result == kfx::KFX_REL_ERROR) {
            ++failedDocuments;
            EXPECT_FALSE(Log().empty()) << call << " failed the document without a message";
        }
    }
    EXPECT_GT(failedDocuments, 0);
}

TEST_F(FaultSweep, EveryFailingDatabaseCallEndsConsistently) {
    ASSERT_EQ(ReleaseAfresh(), kfx::KFX_REL_SUCCESS);
    const auto occurrences = Occurrences(plan_.Calls());
    ASSERT_GT(occurrences.size(), 50u);
    for (const auto& [call, occurrence] : occurrences) {
        plan_.Reset();
        plan_.Add({call, occurrence, kfx::HR_E_FAIL, {Record(-99, u"injected")}});
        const kfx::KfxReturnValue result = ReleaseAfresh();
        CheckConsistent(call + " #" + std::to_string(occurrence), result, false);
        // Only a failed close of a recordset is silent; everything else that
        // fails the document says so.
        if (result == kfx::KFX_REL_ERROR && call != "Recordset.Close") {
            EXPECT_FALSE(Log().empty()) << call << " #" << occurrence;
        }
    }
}

struct Expected {
    std::string call;
    int occurrence;
    kfx::KfxReturnValue result;
    std::string message;  // the whole first message
    std::int32_t line;
    std::size_t headers;
    Table lines;  // DESC33 of the surviving lines
};

TEST_F(FaultSweep, TypicalFailuresReportTheirFixedMessagesAndKeepWholeInvoicesOnly) {
    const std::string injected = "\ninjected" + testsupport::ComErrorLineUtf8(kfx::HR_E_FAIL);
    const Table all = {{"Copier paper A4"}, {"Toner cartridge"}, {"Delivery"}};
    const Expected cases[] = {
        {"Connection.Open", 1, kfx::KFX_REL_ERROR, "Error in ReleaseDoc: CAxConnection::Open" + injected, 526, 0, {}},
        {"Recordset.Open", 1, kfx::KFX_REL_ERROR, "Error in ReleaseDoc: CAxRecordset::Open" + injected, 526, 0, {}},
        {"Recordset.AddNew", 1, kfx::KFX_REL_ERROR, "Error in ReleaseDoc: CAxRecordset::Properties" + injected, 526,
         0, {}},
        {"Field.SetValue(INVN32)", 1, kfx::KFX_REL_ERROR,
         "Error in readVariables: Failed to set Field 'INVN32' to value 'INV0001' (Error Code: 0x80004005)", 185, 0,
         {}},
        {"Recordset.Open", 2, kfx::KFX_REL_ERROR, "Error Creating AIP33 Record: CAxRecordset::Open" + injected, 245,
         0, {}},
        {"Recordset.Update", 1, kfx::KFX_REL_ERROR,
         "Error Updating AIP33 record 1 of 3: CAxRecordset::Update" + injected, 306, 0, {}},
        {"Field.SetValue(DESC33)", 2, kfx::KFX_REL_ERROR,
         "Error Updating AIP33 record 2 of 3: Failed to set Field 'DESC33' to value 'Toner cartridge' (Error Code: "
         "0x80004005)",
         306, 0, {}},
        {"Recordset.Update", 4, kfx::KFX_REL_ERROR, "Error Updating AIP32: CAxRecordset::Update" + injected, 208, 0,
         {}},
        {"Connection.Close", 1, kfx::KFX_REL_ERROR, "Error in ReleaseDoc: CAxConnection::Close" + injected, 526, 1,
         all},
        {"Field.Type(DTIN32)", 1, kfx::KFX_REL_SUCCESS, "Document Released Successfully invoice.pdf", 539, 1, all},
    };
    for (const Expected& c : cases) {
        SCOPED_TRACE(c.call + " #" + std::to_string(c.occurrence));
        plan_.Reset();
        plan_.Add({c.call, c.occurrence, kfx::HR_E_FAIL, {Record(-99, u"injected")}});
        EXPECT_EQ(ReleaseAfresh(), c.result);
        ASSERT_FALSE(Log().empty());
        EXPECT_EQ(LogTexts()[0], c.message);
        EXPECT_EQ(Log()[0].lineNumber, c.line);
        EXPECT_EQ(RowCount("AIP32"), c.headers);
        EXPECT_EQ(Rows("AIP33", {"DESC33"}), c.lines);
    }
}

TEST_F(FaultSweep, AFailedCancelAfterAFailedLineStopsTheLines) {
    plan_.Add({"Recordset.Update", 1, kfx::HR_E_FAIL});
    plan_.Add({"Recordset.CancelUpdate", 1, kfx::HR_E_FAIL, {Record(-5, u"cannot cancel")}});
    EXPECT_EQ(ReleaseAfresh(), kfx::KFX_REL_ERROR);
    EXPECT_EQ(LogTexts(), (std::vector<std::string>{
                              "Error Updating AIP33 record 1 of 3: CAxRecordset::Update" + testsupport::ComErrorLineUtf8(kfx::HR_E_FAIL),
                              "Error Updating AIP33: CAxRecordset::CancelUpdate\ncannot cancel" +
                                  testsupport::ComErrorLineUtf8(kfx::HR_E_FAIL)}));
    EXPECT_EQ(Log()[1].lineNumber, 321);
    EXPECT_EQ(RowCount("AIP33"), 0u);
    EXPECT_EQ(RowCount("AIP32"), 0u);
}

}  // namespace
}  // namespace veldmark
