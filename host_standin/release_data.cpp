#include "host_standin/release_data.h"

#include <stdexcept>

namespace standin {

ReleaseData::ReleaseData(std::shared_ptr<FaultPlan> plan, ReleaseDocument document, std::shared_ptr<MessageSink> sink)
    : ComObject(std::move(plan)),
      pdfFileName_(std::move(document.pdfFileName)),
      connectString_(std::move(document.connectString)),
      userName_(std::move(document.userName)),
      password_(std::move(document.password)),
      sink_(std::move(sink)) {
    if (!sink_) throw std::invalid_argument("release data needs a message sink");
    values_ = MakeHostObject<Values>(Plan(), std::move(document.values));
    customProperties_ = MakeHostObject<CustomProperties>(Plan(), std::move(document.customProperties));
}

kfx::HRESULT ReleaseData::get_KofaxPDFFileName(kfx::Text* name) {
    return ReadText("get_KofaxPDFFileName", pdfFileName_, name);
}

kfx::HRESULT ReleaseData::get_ConnectString(kfx::Text* text) {
    return ReadText("get_ConnectString", connectString_, text);
}

kfx::HRESULT ReleaseData::get_UserName(kfx::Text* text) { return ReadText("get_UserName", userName_, text); }

kfx::HRESULT ReleaseData::get_Password(kfx::Text* text) { return ReadText("get_Password", password_, text); }

kfx::HRESULT ReleaseData::get_Values(kfx::IValues** values) { return HandOut("get_Values", values_, values); }

kfx::HRESULT ReleaseData::get_CustomProperties(kfx::ICustomProperties** properties) {
    return HandOut("get_CustomProperties", customProperties_, properties);
}

kfx::HRESULT ReleaseData::LogError(std::int32_t err1, std::int32_t err2, std::int32_t err3,
                                   const kfx::Text& errorMessage, const kfx::Text& codeModule,
                                   std::int32_t lineNumber) {
    if (kfx::HRESULT hr = Enter("LogError"); kfx::Failed(hr)) return hr;
    sink_->Add(ErrorLogEntry{err1, err2, err3, errorMessage, codeModule, lineNumber});
    return kfx::HR_S_OK;
}

kfx::HRESULT ReleaseData::SendMessage(const kfx::Text& messageString, std::int32_t errorNumber,
                                      std::int32_t infoRet) {
    if (kfx::HRESULT hr = Enter("SendMessage"); kfx::Failed(hr)) return hr;
    sink_->Add(DocumentMessage{messageString, errorNumber, infoRet});
    return kfx::HR_S_OK;
}

}  // namespace standin
