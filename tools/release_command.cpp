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
#include "host_standin/document_class_file.h"
#include "host_standin/host_values.h"
#include "host_standin/link_resolver.h"
#include "host_standin/release_data.h"
#include "host_standin/release_log.h"
#include "host_standin/store_error.h"
#include "tools/progress_bar.h"
#include "tools/refused_assignment_note.h"
#include "tools/released_rows_lookup.h"
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

// The connection could not be opened, or was lost on the way.
bool SaysTheDatabaseIsUnreachable(const std::string& message) {
    return message.find("CAxConnection::Open") != std::string::npos ||
           (message.find("The connection to data source '") != std::string::npos &&
            (message.find("' is lost") != std::string::npos || message.find("' was lost") != std::string::npos));
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
                 std::map<std::int64_t, EarlierRelease> earlier, std::map<std::int64_t, int> releasesLogged,
                 ReleaseLogWriter& log, const CommandStreams& streams)
        : request_(request), documentClass_(documentClass), batch_(batch), earlier_(std::move(earlier)),
          releasesLogged_(std::move(releasesLogged)), log_(log),
          streams_(streams), context_{kfx::FromUtf8(UtcDate(request.startedAt))},
          progress_(streams.err, batch.documents.size(),
                    ShouldShowProgress(streams.errIsTerminal, batch.documents.size())) {}

    int Run(kfx::IKfxReleaseScript* script, const std::string& batchIdentity) {
        log_.AppendAndSync(RunStarted{UtcTimestamp(request_.startedAt), request_.documentClassFile.string(),
                                      request_.batchFile.string(), batchIdentity, request_.again});
        kfx::KfxReturnValue opened = kfx::KFX_REL_ERROR;
        const kfx::HRESULT hr = script->OpenScript(&opened);
        if (kfx::Failed(hr) || opened != kfx::KFX_REL_SUCCESS) {
            streams_.err << "veldmark: OpenScript " << Answer(hr, opened) << "\nNothing was released.\n";
            return kExitNothingDone;
        }
        for (const BatchDocument& document : batch_.documents) {
            StopIfRequested();
            const DocumentResult result = stopped_ ? DocumentResult{kNotReleased, {"the run had stopped"}}
                                                   : Decide(script, document);
            stopped_ = stopped_ || result.stopsTheRun;
            Record(document, result);
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

    // What earlier runs did decides whether the document goes to the component.
    DocumentResult Decide(kfx::IKfxReleaseScript* script, const BatchDocument& document) {
        const auto earlier = earlier_.find(document.documentId);
        if (earlier == earlier_.end()) return ReleaseOne(script, document);
        if (earlier->second == EarlierRelease::Released) return {kAlreadyReleased, {}};
        RowsFound found;
        try {
            found = FindReleasedRows(Resolve(document));
        } catch (const LookupError& error) {
            DocumentResult result{kNotReleased,
                                  {"its earlier release could not be checked: " + std::string(error.what())}};
            result.databaseUnreachable = SaysTheDatabaseIsUnreachable(error.what());
            return result;
        }
        // The headers of the releases on record are there anyway (a batch
        // released with --again has two); one more is the release in doubt.
        const auto logged = releasesLogged_.find(document.documentId);
        const int releasesOnRecord = logged == releasesLogged_.end() ? 0 : logged->second;
        if (found.headers > releasesOnRecord) {
            DocumentResult result{kReleased, {"its header is in AIP32 already: an earlier run released it"}};
            result.reachedTheDatabase = true;
            return result;
        }
        if (releasesOnRecord == 0 && found.lines > 0 && !request_.releaseInDoubt) {
            DocumentResult result{kInDoubt,
                                  {"an earlier run left " + std::to_string(found.lines) +
                                   " line rows of it in AIP33 and no header in AIP32; it is not released again "
                                   "until those lines are removed, or released with --release-in-doubt"}};
            result.reachedTheDatabase = true;
            return result;
        }
        return ReleaseOne(script, document);
    }

    ReleaseDocument Resolve(const BatchDocument& document) const {
        return ResolveDocument(documentClass_, batch_, document, context_);
    }

    DocumentResult ReleaseOne(kfx::IKfxReleaseScript* script, const BatchDocument& document) {
        if (logBroken_) return {kNotReleased, {"the log cannot be written"}};
        // On disk before the component sees the document: a run that ends
        // now leaves the document in doubt, never unmentioned.
        if (!Logged([&] { log_.AppendAndSync(DocumentStarted{document.documentId}); })) {
            return {kNotReleased, {"the log cannot be written"}};
        }
        auto sink = std::make_shared<MessageSink>();
        auto data = MakeHostObject<ReleaseData>(nullptr, Resolve(document), sink);
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
    void Record(const BatchDocument& document, const DocumentResult& result) {
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
            log_.Append(DocumentOutcome{document.documentId, result.outcome});
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
    const DocumentClass& documentClass_;
    const Batch& batch_;
    const std::map<std::int64_t, EarlierRelease> earlier_;
    const std::map<std::int64_t, int> releasesLogged_;
    ReleaseLogWriter& log_;
    const CommandStreams& streams_;
    const ReleaseContext context_;
    ProgressBar progress_;
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
    std::map<std::int64_t, EarlierRelease> earlier;
    std::map<std::int64_t, int> releasesLogged;
    std::unique_ptr<BatchLock> lock;
    const std::filesystem::path logFile = LogPathFor(request.documentClassFile);
    try {
        documentClass = LoadDocumentClass(request.documentClassFile);
        batch = LoadBatch(request.batchFile, *documentClass);
        batchIdentity = BatchIdentity(request.batchFile);
        // Before the log is read: what it says holds until this run ends.
        lock = LockBatch(request.batchFile);
        // Record by record: a long-lived log is never held whole.
        BatchHistory history(batchIdentity);
        const std::vector<std::string> notes =
            StreamReleaseLog(logFile, [&history](LogEntry&& entry) { history.Add(entry); });
        for (const std::string& note : notes) streams.err << "veldmark: note: " << note << '\n';
        if (!request.again) {
            earlier = history.Earlier();
            releasesLogged = history.ReleasesLogged();
        }
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
        status = BatchRelease(request, *documentClass, *batch, std::move(earlier), std::move(releasesLogged), log,
                              streams)
                     .Run(script.Get(), batchIdentity);
    } catch (const StoreError& error) {
        streams.err << "veldmark: " << error.what() << "\nNothing was released.\n";
    }
    // Nothing was done: a log this run started would record nothing.
    std::error_code ignored;
    if (status == kExitNothingDone && log.CreatedTheFile()) std::filesystem::remove(logFile, ignored);
    return status;
}

}  // namespace standin
