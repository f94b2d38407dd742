#include "setup/task_dialog/task_dialog_client.h"

namespace veldmark {
namespace {

// Added to a help context while it is published to the owner.
constexpr std::uint32_t kHelpPromptBase = 0x30000;

}  // namespace

CXTaskDialogMFCClient::CXTaskDialogMFCClient(TaskDialogPlatform& platform) : platform_(platform) {
    config_.instance = &ComponentResourceModule();
    config_.callback = &CXTaskDialogMFCClient::NotificationDispatcher;
    config_.callbackData = reinterpret_cast<std::intptr_t>(this);
}

void CXTaskDialogMFCClient::SetText(TaskDialogTextField field, kfx::Text text) {
    kfx::Text& copy = texts_[static_cast<std::size_t>(field)];
    copy = std::move(text);
    const TaskDialogText pointer(copy.c_str());
    switch (field) {
    case TaskDialogTextField::WindowTitle: config_.windowTitle = pointer; break;
    case TaskDialogTextField::MainInstruction: config_.mainInstruction = pointer; break;
    case TaskDialogTextField::Content: config_.content = pointer; break;
    case TaskDialogTextField::VerificationText: config_.verificationText = pointer; break;
    case TaskDialogTextField::ExpandedInformation: config_.expandedInformation = pointer; break;
    case TaskDialogTextField::ExpandedControlText: config_.expandedControlText = pointer; break;
    case TaskDialogTextField::CollapsedControlText: config_.collapsedControlText = pointer; break;
    case TaskDialogTextField::Footer: config_.footer = pointer; break;
    }
}

kfx::HRESULT CXTaskDialogMFCClient::RunModal() {
    kfx::HRESULT hr = RunWith(&TaskDialogPlatform::RunSystemDialog);
    if (kfx::Failed(hr)) hr = RunWith(&TaskDialogPlatform::RunEmulation);
    return hr;
}

kfx::HRESULT CXTaskDialogMFCClient::RunWith(Implementation implementation) {
    if (!config_.parent) config_.parent = platform_.ActiveWindow();
    const bool publishHelp = helpContext_ != 0 && config_.parent;
    std::uint32_t previousHelp = 0;
    if (publishHelp) previousHelp = platform_.ExchangeHelpContext(config_.parent, kHelpPromptBase + helpContext_);
    const kfx::HRESULT hr =
        (platform_.*implementation)(config_, &pressedButton_, &selectedRadioButton_, &verificationChecked_);
    if (publishHelp) platform_.ExchangeHelpContext(config_.parent, previousHelp);
    return hr;
}

void CXTaskDialogMFCClient::OnHelp() {
    if (!config_.parent) return;
    HelpInfo info;
    info.item = dialog_ ? dialog_->Handle() : nullptr;
    info.mousePosition = platform_.CursorPosition();
    platform_.SendHelp(config_.parent, info);
}

kfx::HRESULT CXTaskDialogMFCClient::NotificationDispatcher(TaskDialogWindow* dialog, std::uint32_t notification,
                                                           std::uintptr_t wParam, std::intptr_t lParam,
                                                           std::intptr_t refData) {
    auto* client = reinterpret_cast<CXTaskDialogMFCClient*>(refData);
    if (!client) return kfx::HR_S_OK;
    return client->Dispatch(dialog, notification, wParam, lParam);
}

kfx::HRESULT CXTaskDialogMFCClient::Dispatch(TaskDialogWindow* dialog, std::uint32_t notification,
                                             std::uintptr_t wParam, std::intptr_t lParam) {
    switch (notification) {
    case td::kDialogConstructed:
        dialog_ = dialog;
        OnDialogConstructed();
        return kfx::HR_S_OK;
    case td::kCreated: OnCreated(); return kfx::HR_S_OK;
    case td::kNavigated: OnNavigated(); return kfx::HR_S_OK;
    case td::kButtonClicked:
        return OnButtonClicked(static_cast<int>(wParam)) ? kfx::HR_S_FALSE : kfx::HR_S_OK;
    case td::kHyperlinkClicked: {
        const auto* target = reinterpret_cast<const char16_t*>(lParam);
        OnHyperlinkClicked(target ? kfx::Text(target) : kfx::Text());
        return kfx::HR_S_OK;
    }
    case td::kTimer: return OnTimer(static_cast<std::uint32_t>(wParam)) ? kfx::HR_S_FALSE : kfx::HR_S_OK;
    case td::kDestroyed:
        OnDestroyed();
        dialog_ = nullptr;
        return kfx::HR_S_OK;
    case td::kRadioButtonClicked: OnRadioButtonClicked(static_cast<int>(wParam)); return kfx::HR_S_OK;
    case td::kVerificationClicked: OnVerificationClicked(wParam != 0); return kfx::HR_S_OK;
    case td::kHelp: OnHelp(); return kfx::HR_S_OK;
    case td::kExpandoButtonClicked: OnExpandoButtonClicked(wParam != 0); return kfx::HR_S_OK;
    default: return kfx::HR_S_OK;
    }
}

}  // namespace veldmark
