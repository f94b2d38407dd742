#include "tools/release_command.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/release_script.h"
#include "host/utf8.h"
#include "host_standin/batch_file.h"
#include "host_standin/document_class_file.h"
#include "host_standin/host_values.h"
#include "host_standin/link_resolver.h"
#include "host_standin/release_data.h"
#include "host_standin/release_log.h"
#include "host_standin/store_error.h"
#include "tools/progress_bar.h"
#include "tools/status_text.h"
#include "tools/utc_time.h"

namespace standin {
namespace {

constexpr const char* kReleased = "released";
constexpr const char* kFailed = "failed";
constexpr const char* kNotReleased = "not released";

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
};

class BatchRelease {
public:
    BatchRelease(const ReleaseRequest& request, const DocumentClass& documentClass, const Batch& batch,
                 ReleaseLogWriter& log, const CommandStreams& streams)
        : request_(request), documentClass_(documentClass), batch_(batch), log_(log), streams_(streams),
          progress_(streams.err, batch.documents.size(),
                    ShouldShowProgress(streams.errIsTerminal, batch.documents.size())) {}

    int Run(kfx::IKfxReleaseScript* script) {
        log_.Append(RunStarted{UtcTimestamp(request_.startedAt), request_.documentClassFile.string(),
                               request_.batchFile.string()});
        kfx::KfxReturnValue opened = kfx::KFX_REL_ERROR;
        const kfx::HRESULT hr = script->OpenScript(&opened);
        if (kfx::Failed(hr) || opened != kfx::KFX_REL_SUCCESS) {
            streams_.err << "veldmark: OpenScript " << Answer(hr, opened) << "\nNothing was released.\n";
            return kExitNothingDone;
        }
        bool stopped = false;
        for (const BatchDocument& document : batch_.documents) {
            DocumentResult result = stopped ? DocumentResult{kNotReleased, {"the run had stopped"}, false, nullptr}
                                            : ReleaseOne(script, document);
            stopped = stopped || result.stopsTheRun;
            if (!Record(document, result)) stopped = true;
        }
        progress_.Clear();
        Close(script);
        streams_.out << released_ << " released, " << failed_ << " failed";
        if (notReleased_ > 0) streams_.out << ", " << notReleased_ << " not released";
        streams_.out << '\n';
        return failed_ + notReleased_ == 0 ? kExitSuccess : kExitSomeFailed;
    }

private:
    static std::string Answer(kfx::HRESULT hr, kfx::KfxReturnValue result) {
        return kfx::Failed(hr) ? "failed with " + StatusText(hr) : "answered " + ReturnValueText(result);
    }

    DocumentResult ReleaseOne(kfx::IKfxReleaseScript* script, const BatchDocument& document) {
        auto sink = std::make_shared<MessageSink>();
        const ReleaseContext context{kfx::FromUtf8(UtcDate(request_.startedAt))};
        auto data = MakeHostObject<ReleaseData>(nullptr, ResolveDocument(documentClass_, batch_, document, context),
                                                sink);
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
        }
        if (!hostProblem.empty()) result.details.push_back(hostProblem);
        return result;
    }

    // Writes the document's line to out and its messages and outcome to the
    // log. False when the log can no longer be written.
    bool Record(const BatchDocument& document, const DocumentResult& result) {
        (result.outcome == kReleased ? released_ : result.outcome == kFailed ? failed_ : notReleased_) += 1;
        progress_.Clear();
        streams_.out << "Document " << document.documentId << ": " << result.outcome;
        for (std::size_t i = 0; i < result.details.size(); ++i) {
            streams_.out << (i == 0 ? ": " : " | ") << result.details[i];
        }
        streams_.out << std::endl;
        progress_.Advance();
        if (logBroken_) return false;
        try {
            if (result.messages) {
                for (const HostMessage& message : result.messages->All()) {
                    log_.Append(LoggedMessage{document.documentId, message});
                }
            }
            log_.Append(DocumentOutcome{document.documentId, result.outcome});
            return true;
        } catch (const StoreError& error) {
            progress_.Clear();
            streams_.err << "veldmark: " << error.what() << "\nNo further document is released.\n";
            logBroken_ = true;
            return false;
        }
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
    ReleaseLogWriter& log_;
    const CommandStreams& streams_;
    ProgressBar progress_;
    int released_ = 0;
    int failed_ = 0;
    int notReleased_ = 0;
    bool logBroken_ = false;
};

}  // namespace

int RunRelease(const ReleaseRequest& request, ComponentLoader& loader, const CommandStreams& streams) {
    std::optional<DocumentClass> documentClass;
    std::optional<Batch> batch;
    std::optional<ReleaseLogWriter> log;
    try {
        documentClass = LoadDocumentClass(request.documentClassFile);
        batch = LoadBatch(request.batchFile, *documentClass);
        log.emplace(LogPathFor(request.documentClassFile));
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
    try {
        return BatchRelease(request, *documentClass, *batch, *log, streams).Run(script.Get());
    } catch (const StoreError& error) {
        streams.err << "veldmark: " << error.what() << "\nNothing was released.\n";
        return kExitNothingDone;
    }
}

}  // namespace standin
