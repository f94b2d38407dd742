#include "release/report_message.h"

#include "host/kfx_types.h"

namespace veldmark {

kfx::ComPtr<kfx::IReleaseData>& currentReleaseData() {
    static kfx::ComPtr<kfx::IReleaseData> data;
    return data;
}

void reportMessage(std::int32_t lineNumber, std::int32_t errorNumber, std::u16string_view format,
                   std::initializer_list<kfx::FormatArgument> arguments) noexcept {
    try {
        kfx::IReleaseData* target = currentReleaseData().Get();
        if (!target) return;
        Text message = kfx::FormatText(format, arguments);
        if (message.size() > kMaxMessageLength) message.resize(kMaxMessageLength);
        const MessageOrigin origin{u"releaseScript", lineNumber};
        target->LogError(errorNumber, 0, 0, message, origin.moduleName, origin.lineNumber);
        if (errorNumber >= 1) target->SendMessage(message, errorNumber, kfx::KFX_REL_DOC_ERROR);
    } catch (...) {
        // Reporting never changes the outcome of the operation that reports.
    }
}

}  // namespace veldmark
