#include <gtest/gtest.h>

#include <sstream>

#include "host/utf8.h"
#include "host_standin/com_object.h"
#include "host_standin/release_log.h"
#include "tools/release_command.h"
#include "fake_component.h"
#include "temporary_store.h"

namespace standin {
namespace {

using testing::FakeLoader;
using testing::FakeReleaseScript;

constexpr const char* kDocumentClass = R"({
  "formatVersion": 1,
  "batchClassName": "AP Invoices",
  "documentClassName": "Supplier Invoice",
  "connectString": "sqlite:db",
  "indexFields": [{"name": "Invoice Number"}],
  "hostValueNames": [],
  "links": [
    {"source": "Invoice Number", "sourceType": 0, "destination": "AIP32.INVN32"},
    {"source": "Release Date", "sourceType": 2, "destination": "ReleaseDate"}
  ]
})";

std::string BatchOf(const std::vector<std::string>& invoiceNumbers) {
    std::string documents;
    for (std::size_t i = 0; i < invoiceNumbers.size(); ++i) {
        documents += (i ? ", " : "") + std::string(R"({"documentId": )") + std::to_string(i + 1) +
                     R"(, "pdfFileName": "inv)" + std::to_string(i + 1) + R"(.pdf", "indexFields": {"Invoice Number": ")" +
                     invoiceNumbers[i] + "\"}}";
    }
    return R"({"formatVersion": 1, "batchName": "B1", "documents": [)" + documents + "]}";
}

kfx::Text ValueOf(kfx::IReleaseData* data, const kfx::Text& destination) {
    kfx::ComPtr<kfx::IValues> values;
    kfx::ComPtr<kfx::IValue> value;
    kfx::Text text;
    if (kfx::Succeeded(data->get_Values(values.Put())) && kfx::Succeeded(values->get_Item(destination, value.Put())))
        value->get_Value(&text);
    return text;
}

// Refuses invoice numbers longer than seven characters, as the database would.
kfx::KfxReturnValue ReleaseLikeTheComponent(kfx::IReleaseData* data) {
    const kfx::Text invoice = ValueOf(data, u"AIP32.INVN32");
    if (invoice.size() > 7) {
        const kfx::Text message = u"Error Updating AIP32: value too long\nfor INVN32";
        data->LogError(1, 0, 0, message, u"releaseScript", 208);
        data->SendMessage(message, 1, kfx::KFX_REL_DOC_ERROR);
        return kfx::KFX_REL_ERROR;
    }
    kfx::Text pdf;
    data->get_KofaxPDFFileName(&pdf);
    data->LogError(0, 0, 0, u"Document Released Successfully " + pdf + u" on " + ValueOf(data, u"ReleaseDate"),
                   u"releaseScript", 539);
    return kfx::KFX_REL_SUCCESS;
}

class ReleaseCommandTest : public ::testing::Test {
protected:
    ReleaseCommandTest() {
        loader_.releaseScript = [this]() -> kfx::IUnknown* {
            auto* script = new FakeReleaseScript(calls_, behaviour_);
            script->openResult = openResult_;
            return script;
        };
    }

    int Release(const std::string& batch, bool errIsTerminal = false) {
        const auto classFile = store_.Write("class.json", kDocumentClass);
        const auto batchFile = store_.Write("batch.json", batch);
        // 2026-03-14T09:26:53Z
        const std::chrono::system_clock::time_point started{std::chrono::seconds(1773480413)};
        return RunRelease({classFile, batchFile, started}, loader_, {out_, err_, errIsTerminal});
    }

    std::vector<LogRecord> Log() const { return ReadReleaseLog(store_.Path("class.log.jsonl")); }

    testing::TemporaryStore store_;
    std::vector<std::string> calls_;
    FakeReleaseScript::ReleaseBehaviour behaviour_ = ReleaseLikeTheComponent;
    kfx::KfxReturnValue openResult_ = kfx::KFX_REL_SUCCESS;
    FakeLoader loader_;
    std::ostringstream out_;
    std::ostringstream err_;
    const std::int64_t liveBefore_ = LiveHostObjects();
};

TEST_F(ReleaseCommandTest, DrivesTheScriptAsTheHostDoesAndPrintsEachOutcome) {
    EXPECT_EQ(Release(BatchOf({"1001", "10020030", "1003"})), 1);
    EXPECT_EQ(calls_, (std::vector<std::string>{"OpenScript", "putref_DocumentData", "ReleaseDoc",
                                                "putref_DocumentData", "ReleaseDoc", "putref_DocumentData",
                                                "ReleaseDoc", "CloseScript"}));
    EXPECT_EQ(out_.str(),
              "Document 1: released\n"
              "Document 2: failed: Error Updating AIP32: value too long / for INVN32\n"
              "Document 3: released\n"
              "2 released, 1 failed\n");
    EXPECT_EQ(err_.str(), "");
    EXPECT_EQ(LiveHostObjects(), liveBefore_) << "the run left host objects behind";
}

TEST_F(ReleaseCommandTest, AllReleasedExitsWithZero) {
    EXPECT_EQ(Release(BatchOf({"1001", "1002"})), 0);
    EXPECT_EQ(out_.str(), "Document 1: released\nDocument 2: released\n2 released, 0 failed\n");
}

TEST_F(ReleaseCommandTest, ShowsProgressOnATerminalWithoutTouchingTheOutcomeLines) {
    const std::string sixDocuments = BatchOf({"1", "2", "3", "4", "5", "6"});
    EXPECT_EQ(Release(sixDocuments, false), 0);
    EXPECT_EQ(err_.str(), "");
    const std::string plainOut = out_.str();
    out_.str("");
    EXPECT_EQ(Release(sixDocuments, true), 0);
    EXPECT_EQ(out_.str(), plainOut);
    EXPECT_NE(err_.str().find("] 6/6"), std::string::npos);
    EXPECT_EQ(err_.str().back(), '\r') << "the bar is wiped at the end";
}

TEST_F(ReleaseCommandTest, LogsEveryMessageAndOutcomeOfTheRun) {
    Release(BatchOf({"1001", "10020030"}));
    Release(BatchOf({"1003"}));
    const kfx::Text failure = u"Error Updating AIP32: value too long\nfor INVN32";
    const std::vector<LogRecord> expected = {
        RunStarted{"2026-03-14T09:26:53Z", store_.Path("class.json").string(), store_.Path("batch.json").string()},
        LoggedMessage{1, ErrorLogEntry{0, 0, 0, u"Document Released Successfully inv1.pdf on 2026-03-14",
                                       u"releaseScript", 539}},
        DocumentOutcome{1, "released"},
        LoggedMessage{2, ErrorLogEntry{1, 0, 0, failure, u"releaseScript", 208}},
        LoggedMessage{2, DocumentMessage{failure, 1, 1}},
        DocumentOutcome{2, "failed"},
        RunStarted{"2026-03-14T09:26:53Z", store_.Path("class.json").string(), store_.Path("batch.json").string()},
        LoggedMessage{1, ErrorLogEntry{0, 0, 0, u"Document Released Successfully inv1.pdf on 2026-03-14",
                                       u"releaseScript", 539}},
        DocumentOutcome{1, "released"},
    };
    EXPECT_EQ(Log(), expected);
}

TEST_F(ReleaseCommandTest, AResultThatStopsTheRunLeavesTheRestUnreleased) {
    behaviour_ = [](kfx::IReleaseData* data) {
        return ValueOf(data, u"AIP32.INVN32") == u"1002" ? kfx::KFX_REL_FATALBATCHERROR : kfx::KFX_REL_SUCCESS;
    };
    EXPECT_EQ(Release(BatchOf({"1001", "1002", "1003"})), 1);
    EXPECT_EQ(out_.str(),
              "Document 1: released\n"
              "Document 2: failed: ReleaseDoc answered KFX_REL_FATALBATCHERROR (-4)\n"
              "Document 3: not released: the run had stopped\n"
              "1 released, 1 failed, 1 not released\n");
    EXPECT_EQ(std::count(calls_.begin(), calls_.end(), "ReleaseDoc"), 2);
    EXPECT_EQ(calls_.back(), "CloseScript");
}

TEST_F(ReleaseCommandTest, AFailedOpenScriptReleasesNothing) {
    openResult_ = kfx::KFX_REL_ERROR;
    EXPECT_EQ(Release(BatchOf({"1001"})), 2);
    EXPECT_EQ(calls_, std::vector<std::string>{"OpenScript"});
    EXPECT_EQ(err_.str(), "veldmark: OpenScript answered KFX_REL_ERROR (-1)\nNothing was released.\n");
    EXPECT_EQ(out_.str(), "");
}

TEST_F(ReleaseCommandTest, AComponentThatCannotBeCreatedReleasesNothing) {
    loader_.releaseScript = nullptr;
    EXPECT_EQ(Release(BatchOf({"1001"})), 2);
    EXPECT_EQ(err_.str(),
              "veldmark: cannot create Kessarin.BrinmoorExportConnector: 0x80040111\nNothing was released.\n");
    EXPECT_TRUE(Log().empty());
}

TEST_F(ReleaseCommandTest, ALogThatCannotBeWrittenReleasesNothing) {
#ifndef __linux__
    GTEST_SKIP() << "needs /dev/full";
#else
    std::filesystem::create_symlink("/dev/full", store_.Path("class.log.jsonl"));
    EXPECT_EQ(Release(BatchOf({"1001"})), 2);
    EXPECT_EQ(err_.str(), "veldmark: " + store_.Path("class.log.jsonl").string() +
                              ": cannot write to the log\nNothing was released.\n");
    EXPECT_TRUE(calls_.empty()) << "the script was opened";
#endif
}

struct BadInput {
    const char* name;
    std::string batch;
    std::string message;
};

void PrintTo(const BadInput& input, std::ostream* out) { *out << input.name; }

class ReleaseBadInputTest : public ReleaseCommandTest, public ::testing::WithParamInterface<BadInput> {};

TEST_P(ReleaseBadInputTest, ReleasesNothingAndNamesTheProblem) {
    EXPECT_EQ(Release(GetParam().batch), 2);
    EXPECT_EQ(err_.str(), "veldmark: " + store_.Path("batch.json").string() + GetParam().message + "\nNothing was released.\n")
        << err_.str();
    EXPECT_TRUE(loader_.requested.empty()) << "the component was created";
    EXPECT_TRUE(calls_.empty());
    EXPECT_FALSE(std::filesystem::exists(store_.Path("class.log.jsonl")));
    EXPECT_EQ(out_.str(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReleaseBadInputTest,
    ::testing::Values(
        BadInput{"TruncatedAfterTheLastDocument", R"({"formatVersion": 1, "documents": [{"documentId": 1})",
                 ":1:53: syntax error while parsing array - unexpected end of input; expected ']'"},
        BadInput{"UnknownKey", R"({"formatVersion": 1, "documents": [{"documentId": 1}, {"documentId": 2, "x": 1}]})",
                 ": documents[1].x: unknown key"},
        BadInput{"ValueNotText",
                 R"({"formatVersion": 1, "documents": [{"documentId": 1, "indexFields": {"Invoice Number": 1001}}]})",
                 R"(: documents[0].indexFields["Invoice Number"]: expected a text, found a whole number)"}),
    [](const ::testing::TestParamInfo<BadInput>& info) { return std::string(info.param.name); });

TEST_F(ReleaseCommandTest, ABadDocumentClassFileReleasesNothing) {
    const auto classFile = store_.Write("class.json", R"({"formatVersion": 1, "links": [{"sourceType": 7}]})");
    const auto batchFile = store_.Write("batch.json", BatchOf({"1001"}));
    EXPECT_EQ(RunRelease({classFile, batchFile, {}}, loader_, {out_, err_, false}), 2);
    EXPECT_EQ(err_.str(),
              "veldmark: " + classFile.string() + ": top level: missing key \"batchClassName\"\nNothing was released.\n");
    EXPECT_TRUE(loader_.requested.empty());
}

}  // namespace
}  // namespace standin
