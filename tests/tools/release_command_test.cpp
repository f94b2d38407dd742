#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>

#include <fstream>
#include <functional>
#include <sstream>

#include "data_access/ax_library.h"
#include "data_access/provider/embedded_database.h"
#include "data_access/sanitise/sanitise.h"
#include "host/utf8.h"
#include "host_standin/batch_lock.h"
#include "host_standin/com_object.h"
#include "host_standin/release_log.h"
#include "tools/release_command.h"
#include "fake_component.h"
#include "library_sql.h"
#include "temporary_store.h"

namespace standin {
namespace {

using testing::FakeLoader;
using testing::FakeReleaseScript;

// The keys of every invoice: supplier SUP1, record type I, the invoice number.
std::string DocumentClassOn(const std::filesystem::path& database, const std::string& moreLinks = "") {
    return R"({
  "formatVersion": 1,
  "batchClassName": "AP Invoices",
  "documentClassName": "Supplier Invoice",
  "connectString": "sqlite:)" + database.string() + R"(",
  "indexFields": [{"name": "Invoice Number"}],
  "hostValueNames": [],
  "links": [
    {"source": "Invoice Number", "sourceType": 0, "destination": "AIP32.INVN32"},
    {"source": "SUP1", "sourceType": 1, "destination": "AIP32.CDAC32"},
    {"source": "I", "sourceType": 1, "destination": "AIP32.RTYP32"},
    {"source": "APLIB", "sourceType": 1, "destination": "APILibrary"},
    {"source": "Release Date", "sourceType": 2, "destination": "ReleaseDate"})" + moreLinks + R"(
  ]
})";
}

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
    // The look-ups of earlier releases read the database as the executable does.
    void SetUp() override {
        dbAx::AxLibInit();
        dbAx::provider::CreateEmbeddedInterfaceFiles(database_, "APLIB");
    }
    void TearDown() override { dbAx::AxLibClose(); }

    int Release(const std::string& batch, bool errIsTerminal = false, const std::string& batchName = "batch.json") {
        store_.Write(batchName, batch);
        return ReleaseAgain(batchName, errIsTerminal);
    }
    // The batch file as it is, with the options given.
    int ReleaseAgain(const std::string& batchName = "batch.json", bool errIsTerminal = false, bool again = false,
                     bool releaseInDoubt = false) {
        const auto classFile = store_.Write("class.json", DocumentClassOn(database_));
        // 2026-03-14T09:26:53Z
        const std::chrono::system_clock::time_point started{std::chrono::seconds(1773480413)};
        return RunRelease({classFile, store_.Path(batchName), started, again, releaseInDoubt}, loader_,
                          {out_, err_, errIsTerminal});
    }

    std::vector<LogEntry> LogEntries() const { return ReadReleaseLog(store_.Path("class.log.jsonl")).entries; }
    std::vector<LogRecord> Log() const {
        std::vector<LogRecord> records;
        for (const LogEntry& entry : LogEntries()) records.push_back(entry.record);
        return records;
    }
    RunStarted RunOf(const std::string& batchName) const {
        return {"2026-03-14T09:26:53Z", store_.Path("class.json").string(), store_.Path(batchName).string(),
                std::filesystem::canonical(store_.Path(batchName)).string()};
    }
    // Writes straight into the library file, as an earlier release would have.
    void Execute(const std::string& sql) const { testing::ExecuteInLibrary(database_, "APLIB", sql); }
    std::size_t Rows(const std::string& table) const {
        return dbAx::provider::ReadEmbeddedRows(database_, "APLIB", table).rows.size();
    }
    // An earlier run of batch.json handed document 1 (invoice 1001) over,
    // then ended before its outcome was logged.
    void LeaveInDoubt() {
        store_.Write("batch.json", BatchOf({"1001"}));
        store_.Write("class.json", DocumentClassOn(database_));
        ReleaseLogWriter earlier(store_.Path("class.log.jsonl"), "earlier-run");
        earlier.Append(RunOf("batch.json"));
        earlier.Append(DocumentStarted{1});
    }
    long ReleaseDocCalls() const { return std::count(calls_.begin(), calls_.end(), "ReleaseDoc"); }
    void ClearOutput() {
        out_.str("");
        err_.str("");
        calls_.clear();
    }

    testing::TemporaryStore store_;
    std::filesystem::path database_ = store_.Path("db");
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
    EXPECT_EQ(ReleaseAgain("batch.json", true, true), 0);
    EXPECT_EQ(out_.str(), plainOut);
    EXPECT_NE(err_.str().find("] 6/6"), std::string::npos);
    EXPECT_EQ(err_.str().back(), '\r') << "the bar is wiped at the end";
}

TEST_F(ReleaseCommandTest, LogsEveryMessageAndOutcomeOfTheRunUnderItsOwnRun) {
    Release(BatchOf({"1001", "10020030"}));
    Release(BatchOf({"1003"}), false, "batch2.json");
    const kfx::Text failure = u"Error Updating AIP32: value too long\nfor INVN32";
    const std::vector<LogRecord> expected = {
        RunOf("batch.json"),
        DocumentStarted{1},
        LoggedMessage{1, ErrorLogEntry{0, 0, 0, u"Document Released Successfully inv1.pdf on 2026-03-14",
                                       u"releaseScript", 539}},
        DocumentOutcome{1, "released"},
        DocumentStarted{2},
        LoggedMessage{2, ErrorLogEntry{1, 0, 0, failure, u"releaseScript", 208}},
        LoggedMessage{2, DocumentMessage{failure, 1, 1}},
        DocumentOutcome{2, "failed"},
        RunOf("batch2.json"),
        DocumentStarted{1},
        LoggedMessage{1, ErrorLogEntry{0, 0, 0, u"Document Released Successfully inv1.pdf on 2026-03-14",
                                       u"releaseScript", 539}},
        DocumentOutcome{1, "released"},
    };
    std::vector<LogRecord> logged = Log();
    // Each document's records carry the digest of its content: the same in
    // its start and its outcome, another for another document.
    std::vector<std::string> contents;
    for (LogRecord& record : logged) {
        std::string* content = std::visit(
            [](auto& r) -> std::string* {
                if constexpr (requires { r.content; }) return &r.content;
                return nullptr;
            },
            record);
        if (!content) continue;
        EXPECT_EQ(content->size(), 16u) << *content;
        contents.push_back(std::exchange(*content, ""));
    }
    ASSERT_EQ(contents.size(), 6u);
    EXPECT_EQ(contents[0], contents[1]);
    EXPECT_EQ(contents[2], contents[3]);
    EXPECT_EQ(contents[4], contents[5]);
    EXPECT_NE(contents[0], contents[2]);
    EXPECT_NE(contents[0], contents[4]) << "document 1 of another batch";
    EXPECT_EQ(logged, expected);
    const std::vector<LogEntry> entries = LogEntries();
    ASSERT_EQ(entries.size(), expected.size());
    for (std::size_t i = 1; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].runId == entries[0].runId, i < 8) << "record " << i;
    }
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
    EXPECT_FALSE(std::filesystem::exists(store_.Path("class.log.jsonl")));
}

TEST_F(ReleaseCommandTest, AComponentThatCannotBeCreatedReleasesNothing) {
    loader_.releaseScript = nullptr;
    EXPECT_EQ(Release(BatchOf({"1001"})), 2);
    EXPECT_EQ(err_.str(),
              "veldmark: cannot create Kessarin.BrinmoorExportConnector: 0x80040111\nNothing was released.\n");
    EXPECT_FALSE(std::filesystem::exists(store_.Path("class.log.jsonl")));
}

TEST_F(ReleaseCommandTest, ALogThatIsNoRegularFileReleasesNothing) {
    std::filesystem::create_symlink("/dev/full", store_.Path("class.log.jsonl"));
    EXPECT_EQ(Release(BatchOf({"1001"})), 2);
    EXPECT_EQ(err_.str(), "veldmark: " + store_.Path("class.log.jsonl").string() +
                              ": the log is not a regular file\nNothing was released.\n");
    EXPECT_TRUE(loader_.requested.empty()) << "the component was created";
}

// The file system's limit on file sizes stands in for a disk that fills up.
class FileSizeLimit {
public:
    FileSizeLimit() {
        getrlimit(RLIMIT_FSIZE, &before_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &before_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    void LimitTo(std::uintmax_t bytes) {
        rlimit limit = before_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }

private:
    rlimit before_{};
    void (*previousHandler_)(int) = nullptr;
};

TEST_F(ReleaseCommandTest, ALogThatFillsUpDuringTheRunStopsIt) {
    FileSizeLimit limit;
    behaviour_ = [&](kfx::IReleaseData* data) {
        if (ValueOf(data, u"AIP32.INVN32") == u"1002") limit.LimitTo(std::filesystem::file_size(store_.Path("class.log.jsonl")));
        return kfx::KFX_REL_SUCCESS;
    };
    EXPECT_EQ(Release(BatchOf({"1001", "1002", "1003"})), 1);
    EXPECT_EQ(out_.str(),
              "Document 1: released\n"
              "Document 2: released\n"
              "Document 3: not released: the run had stopped\n"
              "2 released, 0 failed, 1 not released\n");
    EXPECT_EQ(err_.str(), "veldmark: " + store_.Path("class.log.jsonl").string() +
                              ": cannot write to the log: File too large\nNo further document is released.\n");
    EXPECT_EQ(ReleaseDocCalls(), 2);
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

TEST_F(ReleaseCommandTest, ADocumentReleasedBeforeIsNotReleasedAgain) {
    EXPECT_EQ(Release(BatchOf({"1001", "10020030", "1003"})), 1);
    ClearOutput();
    // The failed document is fixed by the component now; the batch is released again.
    behaviour_ = [](kfx::IReleaseData*) { return kfx::KFX_REL_SUCCESS; };
    EXPECT_EQ(ReleaseAgain(), 0);
    EXPECT_EQ(out_.str(),
              "Document 1: already released\n"
              "Document 2: released\n"
              "Document 3: already released\n"
              "1 released, 0 failed, 2 already released\n");
    EXPECT_EQ(ReleaseDocCalls(), 1);
    ClearOutput();
    EXPECT_EQ(ReleaseAgain(), 0);
    EXPECT_EQ(ReleaseDocCalls(), 0);
    EXPECT_EQ(out_.str().substr(out_.str().rfind('\n', out_.str().size() - 2) + 1),
              "0 released, 0 failed, 3 already released\n");
}

TEST_F(ReleaseCommandTest, AgainReleasesEveryDocument) {
    Release(BatchOf({"1001", "1002"}));
    ClearOutput();
    EXPECT_EQ(ReleaseAgain("batch.json", false, true), 0);
    EXPECT_EQ(out_.str(), "Document 1: released\nDocument 2: released\n2 released, 0 failed\n");
    EXPECT_EQ(ReleaseDocCalls(), 2);
}

TEST_F(ReleaseCommandTest, AnotherBatchFileIsAnotherBatch) {
    Release(BatchOf({"1001"}));
    ClearOutput();
    EXPECT_EQ(Release(BatchOf({"1001"}), false, "other-batch.json"), 0);
    EXPECT_EQ(out_.str(), "Document 1: released\n1 released, 0 failed\n");
}

struct InDoubtCase {
    const char* name;
    std::string rowsLeft;  // SQL run on the library first
    bool releaseInDoubt;
    std::string outcomeLine;
    long releaseDocCalls;
    int exitCode;
};

void PrintTo(const InDoubtCase& inDoubt, std::ostream* out) { *out << inDoubt.name; }

class ReleaseInDoubtTest : public ReleaseCommandTest, public ::testing::WithParamInterface<InDoubtCase> {};

TEST_P(ReleaseInDoubtTest, IsLookedUpInTheInterfaceFilesFirst) {
    LeaveInDoubt();
    if (!GetParam().rowsLeft.empty()) Execute(GetParam().rowsLeft);
    EXPECT_EQ(ReleaseAgain("batch.json", false, false, GetParam().releaseInDoubt), GetParam().exitCode);
    EXPECT_EQ(out_.str().substr(0, out_.str().find('\n') + 1), GetParam().outcomeLine) << out_.str() << err_.str();
    EXPECT_EQ(ReleaseDocCalls(), GetParam().releaseDocCalls);
    // Its outcome is on record now: the next run does not look it up again.
    ClearOutput();
    ReleaseAgain("batch.json", false, false, GetParam().releaseInDoubt);
    if (GetParam().exitCode == 0) {
        EXPECT_EQ(out_.str().substr(0, 29), "Document 1: already released\n");
    }
}

constexpr const char* kHeaderOf1001 = "INSERT INTO AIP32 (CDAC32, INVN32, RTYP32) VALUES ('SUP1', '1001   ', 'I');";
constexpr const char* kTwoLinesOf1001 =
    "INSERT INTO AIP33 (CDAC33, INVN33, RTYP33) VALUES ('SUP1', '1001', 'I');"
    "INSERT INTO AIP33 (CDAC33, INVN33, RTYP33) VALUES ('SUP1', '1001', 'I');";

INSTANTIATE_TEST_SUITE_P(
    EarlierRows, ReleaseInDoubtTest,
    ::testing::Values(
        InDoubtCase{"HeaderThereCountsAsReleased", std::string(kHeaderOf1001) + kTwoLinesOf1001, false,
                    "Document 1: released: its header is in AIP32 already, with every value it writes: an earlier run released it\n", 0, 0},
        InDoubtCase{"NothingThereIsReleased", "", false, "Document 1: released\n", 1, 0},
        InDoubtCase{"RowsOfOtherInvoicesDoNotCount",
                    "INSERT INTO AIP32 (CDAC32, INVN32, RTYP32) VALUES ('SUP2', '1001', 'I');"
                    "INSERT INTO AIP33 (CDAC33, INVN33, RTYP33) VALUES ('SUP2', '1001', 'I');"
                    "INSERT INTO AIP33 (CDAC33, INVN33, RTYP33) VALUES ('SUP1', '1002', 'I');",
                    false, "Document 1: released\n", 1, 0},
        InDoubtCase{"OrphanLinesAreReportedAndSkipped", kTwoLinesOf1001, false,
                    "Document 1: in doubt: an earlier run left 2 line rows of it in AIP33 and no header in AIP32; "
                    "it is not released again until those lines are removed, or released with --release-in-doubt\n",
                    0, 1},
        InDoubtCase{"OrphanLinesAreReleasedWhenTheUserSaysSo", kTwoLinesOf1001, true, "Document 1: released\n", 1, 0}),
    [](const ::testing::TestParamInfo<InDoubtCase>& info) { return std::string(info.param.name); });

// Writes the document's header row, as the component would, and succeeds.
FakeReleaseScript::ReleaseBehaviour WritingTheHeaderInto(const std::filesystem::path& database) {
    return [database](kfx::IReleaseData* data) {
        testing::ExecuteInLibrary(database, "APLIB",
                                  "INSERT INTO AIP32 (CDAC32, INVN32, RTYP32) VALUES ('SUP1', '" +
                                      kfx::ToUtf8(ValueOf(data, u"AIP32.INVN32")) + "', 'I');");
        return kfx::KFX_REL_SUCCESS;
    };
}

constexpr const char* kFoundReleased =
    ": released: its header is in AIP32 already, with every value it writes: an earlier run released it\n";

struct LostLogCase {
    const char* name;
    std::function<void(const std::filesystem::path&)> lose;
};

void PrintTo(const LostLogCase& lost, std::ostream* out) { *out << lost.name; }

class LostLogTest : public ReleaseCommandTest, public ::testing::WithParamInterface<LostLogCase> {};

// Whatever became of the log, the interface files tell what was released.
TEST_P(LostLogTest, NothingIsReleasedTwice) {
    behaviour_ = WritingTheHeaderInto(database_);
    ASSERT_EQ(Release(BatchOf({"1001", "1002", "1003"})), 0);
    GetParam().lose(store_.Path("class.log.jsonl"));
    ClearOutput();
    EXPECT_EQ(ReleaseAgain(), 0) << out_.str() << err_.str();
    EXPECT_EQ(out_.str(), std::string("Document 1") + kFoundReleased + "Document 2" + kFoundReleased + "Document 3" +
                              kFoundReleased + "3 released, 0 failed\n");
    EXPECT_EQ(ReleaseDocCalls(), 0);
    EXPECT_EQ(Rows("AIP32"), 3u);
}

INSTANTIATE_TEST_SUITE_P(
    Lost, LostLogTest,
    ::testing::Values(LostLogCase{"Deleted", [](const auto& log) { std::filesystem::remove(log); }},
                      LostLogCase{"Emptied", [](const auto& log) { std::filesystem::resize_file(log, 0); }},
                      LostLogCase{"CutShort",
                                  [](const auto& log) {
                                      std::filesystem::resize_file(log, std::filesystem::file_size(log) / 3);
                                  }}),
    [](const ::testing::TestParamInfo<LostLogCase>& info) { return std::string(info.param.name); });

TEST_F(ReleaseCommandTest, TheSameBatchThroughAnotherPathIsNotReleasedTwice) {
    behaviour_ = WritingTheHeaderInto(database_);
    ASSERT_EQ(Release(BatchOf({"1001", "1002"})), 0);
    std::filesystem::create_hard_link(store_.Path("batch.json"), store_.Path("link.json"));
    ClearOutput();
    EXPECT_EQ(ReleaseAgain("link.json"), 0);
    EXPECT_EQ(out_.str(), std::string("Document 1") + kFoundReleased + "Document 2" + kFoundReleased +
                              "2 released, 0 failed\n");
    EXPECT_EQ(Rows("AIP32"), 2u);
}

TEST_F(ReleaseCommandTest, ANewBatchWrittenWhereAnEarlierOneLayIsReleased) {
    behaviour_ = WritingTheHeaderInto(database_);
    ASSERT_EQ(Release(BatchOf({"1001", "1002"})), 0);
    ClearOutput();
    // Document 1 is another invoice now; document 2 is what it was.
    EXPECT_EQ(Release(BatchOf({"2001", "1002"})), 0);
    EXPECT_EQ(out_.str(), "Document 1: released\nDocument 2: already released\n1 released, 0 failed, 1 already released\n");
    EXPECT_EQ(Rows("AIP32"), 3u);
}

// Two documents that would write the same header: one header found is one
// of them released.
TEST_F(ReleaseCommandTest, EachHeaderFoundAccountsForOneDocumentThatWritesIt) {
    Execute(kHeaderOf1001);
    EXPECT_EQ(Release(BatchOf({"1001", "1001"})), 0);
    EXPECT_EQ(out_.str(), std::string("Document 1") + kFoundReleased + "Document 2: released\n2 released, 0 failed\n");
    EXPECT_EQ(ReleaseDocCalls(), 1);
}

// Many documents are looked up in a few selections; each gets its own answer.
TEST_F(ReleaseCommandTest, EveryDocumentOfALargeBatchGetsItsOwnAnswer) {
    std::vector<std::string> invoices;
    std::string headers;
    for (int i = 0; i < 450; ++i) {
        invoices.push_back(std::to_string(100000 + i));
        if (i % 3 == 0) headers += "INSERT INTO AIP32 (CDAC32, INVN32, RTYP32) VALUES ('SUP1', '" + invoices.back() + "', 'I');";
    }
    Execute(headers);
    EXPECT_EQ(Release(BatchOf(invoices)), 0);
    EXPECT_EQ(ReleaseDocCalls(), 300);
    std::istringstream lines(out_.str());
    std::string line;
    for (int i = 0; i < 450 && std::getline(lines, line); ++i) {
        const std::string document = "Document " + std::to_string(i + 1);
        EXPECT_EQ(line + '\n', document + (i % 3 == 0 ? kFoundReleased : ": released\n"));
    }
}

struct OtherValuesCase {
    const char* name;
    const char* supplierName;  // written to INAM32, CHAR(35)
    const char* weight;        // written to IWGH32, DECIMAL(11,3)
    bool releaseInDoubt;
    std::string outcome;
    long releaseDocCalls;
};

void PrintTo(const OtherValuesCase& other, std::ostream* out) { *out << other.name; }

class HeaderWithTheSameKeysTest : public ReleaseCommandTest, public ::testing::WithParamInterface<OtherValuesCase> {};

// The header of invoice 1001 holds "Acme Ltd" and 12.5: a document is that
// release only when it writes the same, as the column stores it.
TEST_P(HeaderWithTheSameKeysTest, IsThisDocumentOnlyWithEveryValueItWrites) {
    const OtherValuesCase& c = GetParam();
    Execute("INSERT INTO AIP32 (CDAC32, INVN32, RTYP32, INAM32, IWGH32) VALUES ('SUP1', '1001', 'I', 'Acme Ltd', 12.5);");
    store_.Write("batch.json", BatchOf({"1001"}));
    store_.Write("class.json", DocumentClassOn(database_, std::string(R"(,
    {"source": ")") + c.supplierName + R"(", "sourceType": 1, "destination": "AIP32.INAM32"},
    {"source": ")" + c.weight + R"(", "sourceType": 1, "destination": "AIP32.IWGH32"})"));
    const std::chrono::system_clock::time_point started{std::chrono::seconds(1773480413)};
    RunRelease({store_.Path("class.json"), store_.Path("batch.json"), started, false, c.releaseInDoubt}, loader_,
               {out_, err_, false});
    EXPECT_EQ(out_.str().substr(0, out_.str().find('\n') + 1), "Document 1" + c.outcome) << err_.str();
    EXPECT_EQ(ReleaseDocCalls(), c.releaseDocCalls);
}

const std::string kOtherValues =
    ": in doubt: AIP32 holds 1 header with its keys (CDAC32 'SUP1', INVN32 '1001', RTYP32 'I') and other values: "
    "another invoice, or this one written with other values; it is not released until that is settled, or "
    "released with --release-in-doubt\n";

INSTANTIATE_TEST_SUITE_P(
    Values, HeaderWithTheSameKeysTest,
    ::testing::Values(OtherValuesCase{"SameAsStored", "Acme Ltd   ", " 12.50", false, kFoundReleased, 0},
                      OtherValuesCase{"FractionCutAsStored", "Acme Ltd", "12.5009", false, kFoundReleased, 0},
                      OtherValuesCase{"AnotherName", "Acme Limited", "12.5", false, kOtherValues, 0},
                      OtherValuesCase{"AnotherWeight", "Acme Ltd", "12.51", false, kOtherValues, 0},
                      OtherValuesCase{"AnotherWeightReleasedOnRequest", "Acme Ltd", "12.51", true, ": released\n", 1}),
    [](const ::testing::TestParamInfo<OtherValuesCase>& info) { return std::string(info.param.name); });

TEST_F(ReleaseCommandTest, AFailedDocumentThatLeftLinesIsNotReleasedOverThem) {
    EXPECT_EQ(Release(BatchOf({"10010000"})), 1);
    Execute("INSERT INTO AIP33 (CDAC33, INVN33, RTYP33) VALUES ('SUP1', '10010000', 'I');");
    ClearOutput();
    EXPECT_EQ(ReleaseAgain(), 1);
    EXPECT_EQ(out_.str().rfind("Document 1: in doubt: an earlier run left 1 line rows of it in AIP33", 0), 0u)
        << out_.str();
    EXPECT_EQ(ReleaseDocCalls(), 0);
}

TEST_F(ReleaseCommandTest, AnEarlierReleaseThatCannotBeCheckedIsNotReleased) {
    LeaveInDoubt();
    std::filesystem::remove_all(database_);
    EXPECT_EQ(ReleaseAgain(), 1);
    EXPECT_EQ(out_.str().rfind("Document 1: not released: whether an earlier run released it could not be checked: ", 0), 0u)
        << out_.str();
    EXPECT_EQ(ReleaseDocCalls(), 0);
}

// Nothing can have been written with settings the component refuses: the
// document goes to the component, which fails it in its own words.
TEST_F(ReleaseCommandTest, ADocumentWithUnusableSettingsIsLeftToTheComponent) {
    store_.Write("batch.json", BatchOf({"1001"}));
    store_.Write("class.json", DocumentClassOn(database_, R"(,
    {"source": "l252", "sourceType": 1, "destination": "SanitiseCodepage"})"));
    const std::chrono::system_clock::time_point started{std::chrono::seconds(1773480413)};
    RunRelease({store_.Path("class.json"), store_.Path("batch.json"), started}, loader_, {out_, err_, false});
    EXPECT_EQ(ReleaseDocCalls(), 1) << out_.str();
}

TEST_F(ReleaseCommandTest, AnEarlierReleaseIsFoundByItsKeysAsTheyWereStoredSanitised) {
    // The supplier key as the sanitising to code page 1252 stores it.
    const kfx::Text sanitised = dbAx::SanitiseText(u"SUPŁ", 1252, u'?');
    ASSERT_NE(sanitised, u"SUPŁ");
    const std::string sanitising = R"(,
    {"source": "SUPŁ", "sourceType": 1, "destination": "AIP32.CDAC32"},
    {"source": "1252", "sourceType": 1, "destination": "SanitiseCodepage"},
    {"source": "?", "sourceType": 1, "destination": "SanitiseReplacementChar"})";
    LeaveInDoubt();
    store_.Write("class.json", DocumentClassOn(database_, sanitising));
    Execute("INSERT INTO AIP32 (CDAC32, INVN32, RTYP32) VALUES ('" + kfx::ToUtf8(sanitised) + "', '1001', 'I');");
    const std::chrono::system_clock::time_point started{std::chrono::seconds(1773480413)};
    EXPECT_EQ(RunRelease({store_.Path("class.json"), store_.Path("batch.json"), started}, loader_, {out_, err_, false}),
              0);
    EXPECT_EQ(out_.str().substr(0, out_.str().find('\n') + 1),
              "Document 1: released: its header is in AIP32 already, with every value it writes: an earlier run released it\n")
        << out_.str();
    EXPECT_EQ(ReleaseDocCalls(), 0);
}

// Fails the documents whose invoice number starts with "X" as the component
// does when the connection cannot be opened.
kfx::KfxReturnValue UnreachableForX(kfx::IReleaseData* data) {
    if (!ValueOf(data, u"AIP32.INVN32").starts_with(u"X")) return kfx::KFX_REL_SUCCESS;
    data->SendMessage(u"Error in ReleaseDoc: CAxConnection::Open\n[0x80004005] could not connect", 1,
                      kfx::KFX_REL_DOC_ERROR);
    return kfx::KFX_REL_ERROR;
}

TEST_F(ReleaseCommandTest, DocumentsInARowThatCannotReachTheDatabaseStopTheRun) {
    behaviour_ = UnreachableForX;
    EXPECT_EQ(Release(BatchOf({"1001", "X2", "X3", "X4", "1005", "1006"})), 1);
    const std::string unreachable = ": failed: Error in ReleaseDoc: CAxConnection::Open / [0x80004005] could not connect\n";
    EXPECT_EQ(out_.str(), "Document 1: released\n"
                          "Document 2" + unreachable + "Document 3" + unreachable + "Document 4" + unreachable +
                          "Document 5: not released: the run had stopped\n"
                          "Document 6: not released: the run had stopped\n"
                          "1 released, 3 failed, 2 not released\n");
    EXPECT_EQ(err_.str(), "veldmark: 3 documents in a row could not reach the database; the run stops. Release the "
                          "batch again when the database is back: the documents not released are released then.\n");
    EXPECT_EQ(ReleaseDocCalls(), 4);

    // The database is back: the rest of the batch is released, nothing twice.
    ClearOutput();
    behaviour_ = [](kfx::IReleaseData*) { return kfx::KFX_REL_SUCCESS; };
    EXPECT_EQ(ReleaseAgain(), 0);
    EXPECT_EQ(out_.str(), "Document 1: already released\nDocument 2: released\nDocument 3: released\n"
                          "Document 4: released\nDocument 5: released\nDocument 6: released\n"
                          "5 released, 0 failed, 1 already released\n");
}

TEST_F(ReleaseCommandTest, UnreachableDocumentsWithAReachingOneBetweenDoNotStopTheRun) {
    behaviour_ = UnreachableForX;
    EXPECT_EQ(Release(BatchOf({"X1", "X2", "1003", "X4", "X5", "1006"})), 1);
    EXPECT_EQ(err_.str(), "");
    EXPECT_EQ(ReleaseDocCalls(), 6);
}

TEST_F(ReleaseCommandTest, ALogWithAnUnfinishedLastLineIsReadAndContinued) {
    Release(BatchOf({"1001", "1002"}));
    std::ofstream(store_.Path("class.log.jsonl"), std::ios::app) << R"({"kind":"outcome","run":"x","documentId":2,"out)";
    ClearOutput();
    EXPECT_EQ(ReleaseAgain(), 0);
    EXPECT_EQ(err_.str(), "veldmark: note: " + store_.Path("class.log.jsonl").string() +
                              ":8: a record cut short when its run ended; skipped\n");
    EXPECT_EQ(out_.str(), "Document 1: already released\nDocument 2: already released\n"
                          "0 released, 0 failed, 2 already released\n");
    EXPECT_EQ(ReadReleaseLog(store_.Path("class.log.jsonl")).notes.size(), 1u);
}

TEST_F(ReleaseCommandTest, ABatchThatAnotherRunIsReleasingIsLeftToIt) {
    store_.Write("batch.json", BatchOf({"1001"}));
    const std::unique_ptr<BatchLock> otherRun = LockBatch(store_.Path("batch.json"));
    EXPECT_EQ(ReleaseAgain(), 2);
    EXPECT_EQ(err_.str(), "veldmark: " + store_.Path("batch.json").string() +
                              ": another veldmark is releasing this batch; try again when it is done\nNothing was released.\n");
    EXPECT_TRUE(loader_.requested.empty());
}

}  // namespace
}  // namespace standin
