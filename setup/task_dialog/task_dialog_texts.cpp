#include "setup/task_dialog/task_dialog_texts.h"

#include "setup/resource_ids.h"

namespace veldmark {
namespace {

struct CommonButton {
    const char16_t* caption;
    int stringId;
    std::uint32_t flag;
    int id;
};

constexpr CommonButton kCommonButtons[] = {
    {u"OK", res::kStringButtonOk, td::kOkButton, td::kIdOk},
    {u"&Yes", res::kStringButtonYes, td::kYesButton, td::kIdYes},
    {u"&No", res::kStringButtonNo, td::kNoButton, td::kIdNo},
    {u"&Retry", res::kStringButtonRetry, td::kRetryButton, td::kIdRetry},
    {u"Cancel", res::kStringButtonCancel, td::kCancelButton, td::kIdCancel},
    {u"&Close", res::kStringButtonClose, td::kCloseButton, td::kIdClose},
};

constexpr const char16_t* kDefaultExpandedControlText = u"Hide &details <<";
constexpr const char16_t* kDefaultCollapsedControlText = u"See &details >>";

LabelledButton Captioned(const CommonButton& button) {
    return {button.id, FindResourceString(button.stringId).value_or(button.caption)};
}

std::optional<kfx::Text> Load(const TaskDialogConfig& config, const TaskDialogText& text) {
    if (text.IsAbsent()) return kfx::Text();
    if (!text.IsResource()) return kfx::Text(text.Pointer());
    if (!config.instance) return std::nullopt;
    return config.instance->FindString(text.ResourceId());
}

}  // namespace

kfx::Text StripHyperlinks(const kfx::Text& text) {
    static constexpr std::u16string_view kOpen = u"<A HREF=";
    static constexpr std::u16string_view kClose = u"</A>";
    kfx::Text plain;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::u16string_view rest = std::u16string_view(text).substr(at);
        if (rest.starts_with(kClose)) {
            at += kClose.size();
            continue;
        }
        if (rest.starts_with(kOpen)) {
            const std::size_t end = text.find(u'>', at + kOpen.size());
            if (end != kfx::Text::npos) {
                at = end + 1;
                continue;
            }
        }
        plain += text[at++];
    }
    return plain;
}

std::optional<TaskDialogTexts> LoadTaskDialogTexts(const TaskDialogConfig& config, const kfx::Text& programFileName) {
    TaskDialogTexts texts;
    const std::pair<const TaskDialogText*, kfx::Text*> fields[] = {
        {&config.windowTitle, &texts.windowTitle},
        {&config.mainInstruction, &texts.mainInstruction},
        {&config.content, &texts.content},
        {&config.expandedInformation, &texts.expandedInformation},
        {&config.expandedControlText, &texts.expandedControlText},
        {&config.collapsedControlText, &texts.collapsedControlText},
        {&config.verificationText, &texts.verificationText},
        {&config.footer, &texts.footer},
    };
    for (const auto& [source, target] : fields) {
        std::optional<kfx::Text> loaded = Load(config, *source);
        if (!loaded) return std::nullopt;
        *target = std::move(*loaded);
    }
    if (texts.windowTitle.empty()) texts.windowTitle = programFileName;
    if (texts.expandedControlText.empty()) texts.expandedControlText = kDefaultExpandedControlText;
    if (texts.collapsedControlText.empty()) texts.collapsedControlText = kDefaultCollapsedControlText;

    const bool hyperlinks = (config.flags & td::kEnableHyperlinks) != 0;
    texts.contentPlain = hyperlinks ? StripHyperlinks(texts.content) : texts.content;
    texts.expandedInformationPlain = hyperlinks ? StripHyperlinks(texts.expandedInformation) : texts.expandedInformation;
    texts.footerPlain = hyperlinks ? StripHyperlinks(texts.footer) : texts.footer;
    return texts;
}

std::vector<LabelledButton> RequestedCommonButtons(std::uint32_t commonButtons) {
    std::vector<LabelledButton> buttons;
    for (const CommonButton& button : kCommonButtons) {
        if (commonButtons & button.flag) buttons.push_back(Captioned(button));
    }
    return buttons;
}

LabelledButton ImplicitOkButton() { return Captioned(kCommonButtons[0]); }

std::optional<kfx::Text> LoadButtonText(const TaskDialogConfig& config, const TaskDialogText& text) {
    return Load(config, text);
}

}  // namespace veldmark
