#include "tools/release_command.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/release_script.h"
#include "host/utf8.h"
#include "host_standin/batch_file.h"
#include "host_standin/batch_history.h"
#include "host_standin/batch_lock.h"
#include "host_standin/content_digest.h"
#include "host_standin/display_text.h"
#include "host_standin/document_class_file.h"
#include "host_standin/host_values.h"
#include "host_standin/link_resolver.h"
#include "host_standin/release_data.h"
#include "host_standin/release_log.h"
#include "host_standin/store_error.h"
#include "tools/progress_bar.h"
#include "tools/refused_assignment_note.h"
#include "tools/invoice_keys.h"
#include "tools/released_rows_lookup.h"
#include "tools/unreachable_database.h"
#include "tools/status_text.h"
#include "tools/stop_request.h"
#include "tools/utc_time.h"

namespace standin {
namespace {

// Results after which the real host releases no further document of the batch.
bool StopsTheRun(kfx::KfxReturnValue result) {
    return result == kfx::KFX_REL_STOPPED || result == kfx::KFX_REL_DOCCLASSERROR ||
           result == kfx::KFX_REL_FATALERROR || result == kfx::KFX_REL_FATALBATCHERROR;
}

struct DocumentResult {
    std::string outcome;
    std::vector<std::string> details;  // the component's document messages, then any problem of the call
    bool stopsTheRun = false;
    std::shared_ptr<MessageSink> messages;  // empty when the document was not handed over
    bool databaseUnreachable = false;
    bool reachedTheDatabase = false;
};

class BatchRelease {
public:
    BatchRelease(const ReleaseRequest& request, const DocumentClass& documentClass, const Batch& batch,
                 const BatchHistory& history, ReleaseLogWriter& log, const CommandStreams& streams)
        : request_(request), batch_(batch), history_(history), log_(log), streams_(streams),
          progress_(streams.err, batch.documents.size(),
                    ShouldShowProgress(streams.errIsTerminal, batch.documents.size())) {
        const ReleaseContext context{kfx::FromUtf8(UtcDate(request.startedAt))};
        for (const BatchDocument& document : batch.documents) {
            resolved_.push_back(ResolveDocument(documentClass, batch, document, context));
            logged_.push_back({document.documentId, ContentDigest(batch, document)});
        }
    }

    int Run(kfx::IKfxReleaseScript* script, const std::string& batchIdentity) {
        log_.AppendAndSync(RunStarted{UtcTimestamp(request_.startedAt), request_.documentClassFile.string(),
                                      request_.batchFile.string(), batchIdentity, request_.again});
        kfx::KfxReturnValue opened = kfx::KFX_REL_ERROR;
        const kfx::HRESULT hr = script->OpenScript(&opened);
        if (kfx::Failed(hr) || opened != kfx::KFX_REL_SUCCESS) {
            streams_.err << "veldmark: OpenScript " << Answer(hr, opened) << "\nNothing was released.\n";
            return kExitNothingDone;
        }
        LookUpEarlierReleases();
        for (std::size_t index = 0; index < batch_.documents.size(); ++index) {
            StopIfRequested();
            const DocumentResult result = stopped_ ? DocumentResult{kNotReleased, {"the run had stopped"}}
                                                   : Decide(script, index);
            stopped_ = stopped_ || result.stopsTheRun;
            Record(index, result);
            CountReach(result);
        }
        Logged([&] { log_.Sync(); });
        progress_.Clear();
        Close(script);
        streams_.out << counts_[kReleased] << " released, " << counts_[kFailed] << " failed";
        for (const char* outcome : {kNotReleased, kAlreadyReleased, kInDoubt}) {
            if (counts_[outcome] > 0) streams_.out << ", " << counts_[outcome] << ' ' << outcome;
        }
        streams_.out << '\n';
        const bool allDone = counts_[kFailed] + counts_[kNotReleased] + counts_[kInDoubt] == 0;
        return allDone ? kExitSuccess : kExitSomeFailed;
    }

private:
    static std::string Answer(kfx::HRESULT hr, kfx::KfxReturnValue result) {
        return kfx::Failed(hr) ? "failed with " + StatusText(hr) : "answered " + ReturnValueText(result);
    }

    // Every document the log does not show released is looked up in the
    // interface files, all together before the first is released; --again
    // releases every document whatever was released.
    void LookUpEarlierReleases() {
        if (request_.again) return;
        std::vector<DocumentToCheck> documents;
        for (std::size_t index = 0; index < resolved_.size(); ++index) {
            documents.push_back(
                {&resolved_[index], history_.ReleasesLogged(logged_[index]), !history_.Released(logged_[index])});
        }
        lookups_ = standin::LookUpEarlierReleases(documents);
    }

    // What earlier releases did decides whether the document goes to the component.
    DocumentResult Decide(kfx::IKfxReleaseScript* script, std::size_t index) {
        if (request_.again) return ReleaseOne(script, index);
        if (history_.Released(logged_[index])) return {kAlreadyReleased, {}};
        const LookupAnswer& lookup = lookups_[index];
        if (!lookup.rows) {
            DocumentResult result{kNotReleased,
                                  {"whether an earlier run released it could not be checked: " + lookup.problem}};
            result.databaseUnreachable = SaysTheDatabaseIsUnreachable(lookup.problem);
            return result;
        }
        const EarlierRows& found = *lookup.rows;
        DocumentResult result{kInDoubt, {}};
        result.reachedTheDatabase = true;
        if (found.headerUnaccounted) {
            result.outcome = kReleased;
            result.details.push_back("its header is in AIP32 already, with every value it writes: an earlier run "
                                     "released it");
            return result;
        }
        if (request_.releaseInDoubt) return ReleaseOne(script, index);
        if (found.otherHeaders > 0) {
            result.details.push_back(
                "AIP32 holds " + std::to_string(found.otherHeaders) + " header" + (found.otherHeaders == 1 ? "" : "s") +
                " with its keys (" + KeysText(resolved_[index]) +
                ") and other values: another invoice, or this one written with other values; it is not released "
                "until that is settled, or released with --release-in-doubt");
            return result;
        }
        if (found.lines > 0) {
            result.details.push_back("an earlier run left " + std::to_string(found.lines) +
                                     " line rows of it in AIP33 and no header in AIP32; it is not released again "
                                     "until those lines are removed, or released with --release-in-doubt");
            return result;
        }
        return ReleaseOne(script, index);
    }

    static std::string KeysText(const ReleaseDocument& document) {
        std::string text;
        for (const KeyValue& key : KeysOf(document.values).header) {
            text += (text.empty() ? "" : ", ") + key.column + " '" + DisplayText(kfx::ToUtf8(key.value)) + "'";
        }
        return text;
    }

    DocumentResult ReleaseOne(kfx::IKfxReleaseScript* script, std::size_t index) {
        if (logBroken_) return {kNotReleased, {"the log cannot be written"}};
        // On disk before the component sees the document: a run that ends
        // now leaves the document to the look-up of the next, never unmentioned.
        if (!Logged([&] { log_.AppendAndSync(DocumentStarted{logged_[index].documentId, logged_[index].content}); })) {
            return {kNotReleased, {"the log cannot be written"}};
        }
        auto sink = std::make_shared<MessageSink>();
        auto data = MakeHostObject<ReleaseData>(nullptr, resolved_[index], sink);
        DocumentResult result{kFailed, {}, false, sink};
        std::string hostProblem;
        kfx::HRESULT hr = script->putref_DocumentData(data.Get());
        if (kfx::Failed(hr)) {
            hostProblem = "DocumentData failed with " + StatusText(hr);
        } else {
            kfx::KfxReturnValue released = kfx::KFX_REL_ERROR;
            hr = script->ReleaseDoc(&released);
            if (kfx::Succeeded(hr) && released == kfx::KFX_REL_SUCCESS) result.outcome = kReleased;
            if (kfx::Failed(hr) || (released != kfx::KFX_REL_SUCCESS && released != kfx::KFX_REL_ERROR)) {
                hostProblem = "ReleaseDoc " + Answer(hr, released);
            }
            result.stopsTheRun = kfx::Succeeded(hr) && StopsTheRun(released);
        }
        for (const DocumentMessage& message : sink->DocumentMessages()) {
            result.details.push_back(OnOneLine(message.message));
            result.databaseUnreachable =
                result.databaseUnreachable || SaysTheDatabaseIsUnreachable(result.details.back());
            // Said after the component's message, never inside it.
            if (std::optional<std::string> note = RefusedAssignmentNote(kfx::ToUtf8(message.message))) {
                result.details.push_back(*note);
            }
        }
        if (!hostProblem.empty()) result.details.push_back(hostProblem);
        result.reachedTheDatabase = !result.databaseUnreachable;
        return result;
    }

    // Runs the log write; on failure says so once, and no further document
    // is handed over.
    template <class Write>
    bool Logged(Write write) {
        if (logBroken_) return false;
        try {
            write();
            return true;
        } catch (const StoreError& error) {
            progress_.Clear();
            streams_.err << "veldmark: " << error.what() << "\nNo further document is released.\n";
            logBroken_ = true;
            stopped_ = true;
            return false;
        }
    }

    // Writes the document's line to out and its messages and outcome to the log.
    void Record(std::size_t index, const DocumentResult& result) {
        const BatchDocument& document = batch_.documents[index];
        ++counts_[result.outcome];
        progress_.Clear();
        streams_.out << "Document " << document.documentId << ": " << result.outcome;
        for (std::size_t i = 0; i < result.details.size(); ++i) {
            streams_.out << (i == 0 ? ": " : " | ") << result.details[i];
        }
        streams_.out << std::endl;
        progress_.Advance();
        Logged([&] {
            if (result.messages) {
                for (const HostMessage& message : result.messages->All()) {
                    log_.Append(LoggedMessage{document.documentId, message});
                }
            }
            // On disk with the next document's start, or at the end of the
            // run: a crash before then leaves the document in doubt, which
            // the next run settles by looking for its rows.
            log_.Append(DocumentOutcome{document.documentId, result.outcome, logged_[index].content});
        });
    }

    // Between documents: the one in progress has been finished and logged.
    void StopIfRequested() {
        if (stopped_) return;
        const std::optional<std::string> request = StopRequested();
        if (!request) return;
        stopped_ = true;
        progress_.Clear();
        streams_.err << "veldmark: " << *request
                     << ": the document in progress was finished; the run stops. Release the batch again to release "
                        "the documents not released.\n";
    }

    // Documents that could not reach the database, one after another, stop
    // the run: the rest would only fail the same way.
    void CountReach(const DocumentResult& result) {
        if (result.reachedTheDatabase) unreachableInARow_ = 0;
        if (!result.databaseUnreachable) return;
        if (++unreachableInARow_ < kUnreachableDocumentsThatStopTheRun || stopped_) return;
        stopped_ = true;
        progress_.Clear();
        streams_.err << "veldmark: " << unreachableInARow_
                     << " documents in a row could not reach the database; the run stops. Release the batch again "
                        "when the database is back: the documents not released are released then.\n";
    }

    void Close(kfx::IKfxReleaseScript* script) {
        kfx::KfxReturnValue closed = kfx::KFX_REL_ERROR;
        const kfx::HRESULT hr = script->CloseScript(&closed);
        if (kfx::Failed(hr) || closed != kfx::KFX_REL_SUCCESS) {
            streams_.err << "veldmark: CloseScript " << Answer(hr, closed) << '\n';
        }
    }

    const ReleaseRequest& request_;
    const Batch& batch_;
    const BatchHistory& history_;
    ReleaseLogWriter& log_;
    const CommandStreams& streams_;
    ProgressBar progress_;
    // By the document's place in the batch.
    std::vector<ReleaseDocument> resolved_;
    std::vector<LoggedDocument> logged_;
    std::vector<LookupAnswer> lookups_;
    std::map<std::string, int> counts_;
    bool stopped_ = false;
    bool logBroken_ = false;
    int unreachableInARow_ = 0;
};

// Which runs released the same batch: the file's canonical path.
std::string BatchIdentity(const std::filesystem::path& batchFile) {
    std::error_code error;
    const std::filesystem::path canonical = std::filesystem::canonical(batchFile, error);
    if (error) throw StoreError(batchFile.string() + ": cannot resolve its path: " + error.message());
    return canonical.string();
}

}  // namespace

int RunRelease(const ReleaseRequest& request, ComponentLoader& loader, const CommandStreams& streams) {
    WatchForStopRequests();
    std::optional<DocumentClass> documentClass;
    std::optional<Batch> batch;
    std::string batchIdentity;
    std::optional<BatchHistory> history;
    std::unique_ptr<BatchLock> lock;
    const std::filesystem::path logFile = LogPathFor(request.documentClassFile);
    try {
        documentClass = LoadDocumentClass(request.documentClassFile);
        batch = LoadBatch(request.batchFile, *documentClass);
        batchIdentity = BatchIdentity(request.batchFile);
        // Before the log is read: what it says holds until this run ends.
        lock = LockBatch(request.batchFile);
        // Record by record: a long-lived log is never held whole.
        history.emplace(batchIdentity);
        const std::vector<std::string> notes =
            StreamReleaseLog(logFile, [&history](LogEntry&& entry) { history->Add(entry); });
        for (const std::string& note : notes) streams.err << "veldmark: note: " << note << '\n';
    } catch (const StoreError& error) {
        streams.err << "veldmark: " << error.what() << "\nNothing was released.\n";
        return kExitNothingDone;
    }
    kfx::ComPtr<kfx::IKfxReleaseScript> script;
    if (kfx::HRESULT hr = CreateComponent(loader, kReleaseScriptProgId, kfx::IID_IKfxReleaseScript, script);
        kfx::Failed(hr)) {
        streams.err << "veldmark: cannot create " << kReleaseScriptProgId << ": " << StatusText(hr)
                    << "\nNothing was released.\n";
        return kExitNothingDone;
    }
    ReleaseLogWriter log(logFile, NewRunId(UtcTimestamp(request.startedAt)));
    int status = kExitNothingDone;
    try {
        status = BatchRelease(request, *documentClass, *batch, *history, log, streams).Run(script.Get(), batchIdentity);
    } catch (const StoreError& error) {
        streams.err << "veldmark: " << error.what() << "\nNothing was released.\n";
    }
    // Nothing was done: a log this run started would record nothing.
    std::error_code ignored;
    if (status == kExitNothingDone && log.CreatedTheFile()) std::filesystem::remove(logFile, ignored);
    return status;
}

}  // namespace standin
