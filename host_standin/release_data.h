// The release data of one document: what the host hands the release script
// through DocumentData.
#pragma once

#include <memory>

#include "host/release_data.h"
#include "host_standin/com_object.h"
#include "host_standin/custom_properties.h"
#include "host_standin/message_sink.h"
#include "host_standin/records.h"
#include "host_standin/values.h"

namespace standin {

class ReleaseData final : public ComObject<ReleaseData, kfx::IReleaseData, kfx::IID_IReleaseData> {
public:
    static constexpr const char* kObjectName = "ReleaseData";

    // LogError and SendMessage append to the sink. The plan may be empty.
    ReleaseData(std::shared_ptr<FaultPlan> plan, ReleaseDocument document, std::shared_ptr<MessageSink> sink);

    kfx::HRESULT get_KofaxPDFFileName(kfx::Text* name) override;
    kfx::HRESULT get_ConnectString(kfx::Text* text) override;
    kfx::HRESULT get_UserName(kfx::Text* text) override;
    kfx::HRESULT get_Password(kfx::Text* text) override;
    kfx::HRESULT get_Values(kfx::IValues** values) override;
    kfx::HRESULT get_CustomProperties(kfx::ICustomProperties** properties) override;
    kfx::HRESULT LogError(std::int32_t err1, std::int32_t err2, std::int32_t err3, const kfx::Text& errorMessage,
                          const kfx::Text& codeModule, std::int32_t lineNumber) override;
    kfx::HRESULT SendMessage(const kfx::Text& messageString, std::int32_t errorNumber,
                             std::int32_t infoRet) override;

    const MessageSink& Messages() const { return *sink_; }

private:
    kfx::Text pdfFileName_;
    kfx::Text connectString_;
    kfx::Text userName_;
    kfx::Text password_;
    kfx::ComPtr<Values> values_;
    kfx::ComPtr<CustomProperties> customProperties_;
    std::shared_ptr<MessageSink> sink_;
};

}  // namespace standin
