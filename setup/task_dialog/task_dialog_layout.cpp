#include "setup/task_dialog/task_dialog_layout.h"

#include <algorithm>

#include "setup/task_dialog/task_dialog_config.h"

namespace veldmark {
namespace {

constexpr int kMargin = 10;
constexpr int kGap = 5;
constexpr int kIconColumn = 52;  // text starts here beside a main icon
constexpr int kMainIconSize = 32;
constexpr int kMainIconTop = 14;
constexpr int kFooterIconSize = 16;
constexpr int kFooterTextWithIcon = 31;
constexpr int kButtonPadding = 32;
constexpr int kButtonHeightPadding = 10;
constexpr int kButtonSpacing = 8;
constexpr int kProgressBarHeight = 14;
constexpr int kRadioIndent = 10;
// A command link: arrow column, caption and note offsets.
constexpr int kLinkArrowColumn = 26;
constexpr int kLinkTextInset = 10;
constexpr int kLinkCaptionExtra = 20;
constexpr int kLinkNoteMargin = 46;
constexpr int kLinkCaptionToNote = 15;
constexpr int kLinkWithNoteExtra = 25;

// Places the parts one below another and hands out identifiers.
class Placer {
public:
    Placer(TaskDialogLayout& layout, int firstId) : layout_(layout), nextId_(firstId) {}

    TaskControl& Add(TaskControlKind kind, PixelRect rect, kfx::Text text = {}) {
        return Add(kind, nextId_++, rect, std::move(text));
    }
    TaskControl& Add(TaskControlKind kind, int id, PixelRect rect, kfx::Text text = {}) {
        layout_.controls.push_back(TaskControl{kind, id, rect, std::move(text)});
        return layout_.controls.back();
    }

private:
    TaskDialogLayout& layout_;
    int nextId_;
};

int LargestId(const TaskDialogLayoutInput& input) {
    int largest = 0;
    for (const auto* list : {&input.customButtons, &input.radioButtons, &input.commonButtons}) {
        for (const LabelledButton& button : *list) largest = std::max(largest, button.id);
    }
    return std::max(largest, input.implicitOkButton.id);
}

}  // namespace

const TaskControl* TaskDialogLayout::Find(TaskControlKind kind) const {
    for (const TaskControl& control : controls) {
        if (control.kind == kind) return &control;
    }
    return nullptr;
}

const TaskControl* TaskDialogLayout::FindId(int id) const {
    for (const TaskControl& control : controls) {
        if (control.id == id) return &control;
    }
    return nullptr;
}

CommandLinkText SplitCommandLinkText(const kfx::Text& text) {
    const std::size_t lineBreak = text.find(u'\n');
    if (lineBreak == kfx::Text::npos) return {text, {}};
    return {text.substr(0, lineBreak), text.substr(lineBreak + 1)};
}

CommandLinkGeometry LayOutCommandLink(const CommandLinkText& text, int width, bool withIcon,
                                      const TextMeasurer& measurer) {
    CommandLinkGeometry geometry;
    const int textLeft = kLinkTextInset + (withIcon ? kLinkArrowColumn : 0);
    const PixelSize caption = measurer.Measure(TaskDialogFont::Large, text.caption, 0, true);
    if (text.note.empty()) {
        geometry.height = caption.height + kLinkCaptionExtra;
        geometry.caption = {textLeft, (geometry.height - caption.height) / 2, width - textLeft, caption.height};
        return geometry;
    }
    const int noteWidth = width - kLinkNoteMargin + (withIcon ? 0 : kLinkArrowColumn);
    const PixelSize note = measurer.Measure(TaskDialogFont::Normal, text.note, noteWidth, false);
    geometry.caption = {textLeft, kLinkTextInset, width - textLeft, caption.height};
    // The note starts 15 below the caption's own height, which leaves the same
    // 10 pixels under the note as above the caption.
    geometry.note = {textLeft, caption.height + kLinkCaptionToNote, noteWidth, note.height};
    geometry.height = caption.height + kLinkWithNoteExtra + note.height;
    return geometry;
}

TaskDialogLayout LayOutTaskDialog(const TaskDialogLayoutInput& input, const TextMeasurer& measurer) {
    TaskDialogLayout layout;
    const bool commandLinks = (input.flags & td::kUseCommandLinks) != 0;
    const bool linkIcons = (input.flags & td::kUseCommandLinksNoIcon) == 0;
    const bool footerExpansion = (input.flags & td::kExpandFooterArea) != 0;
    const bool hasExpandedInformation = !input.expandedInformation.empty();

    // 1. Width available for text.
    const int dialogWidth = input.widthInDialogUnits != 0 ? input.widthInDialogUnits * input.dialogBaseWidth / 4
                                                          : input.monitorWidth / 2 + 80;
    int textWidth = dialogWidth - (input.hasMainIcon ? kIconColumn : 2 * kMargin);

    // 2. The button row: custom buttons (without command links), then the
    // common buttons; a dialog that asks for none gets OK.
    std::vector<LabelledButton> row;
    if (!commandLinks) row = input.customButtons;
    row.insert(row.end(), input.commonButtons.begin(), input.commonButtons.end());
    if (row.empty() && input.customButtons.empty()) row.push_back(input.implicitOkButton);
    PixelSize button;
    for (const LabelledButton& entry : row) {
        const PixelSize caption = measurer.Measure(TaskDialogFont::Normal, entry.text, 0, true);
        button.width = std::max(button.width, caption.width + kButtonPadding);
        button.height = std::max(button.height, caption.height + kButtonHeightPadding);
    }
    const int count = static_cast<int>(row.size());
    const int rowWidth = count == 0 ? 0 : count * button.width + (count - 1) * kButtonSpacing;
    if (rowWidth > textWidth) textWidth = rowWidth + 2 * kMargin;

    PixelSize expandButton;
    if (hasExpandedInformation) {
        const PixelSize collapsed = measurer.Measure(TaskDialogFont::Normal, input.collapsedControlText, 0, true);
        const PixelSize expanded = measurer.Measure(TaskDialogFont::Normal, input.expandedControlText, 0, true);
        expandButton.width = std::max(collapsed.width, expanded.width) + kButtonPadding;
        expandButton.height =
            count > 0 ? button.height : std::max(collapsed.height, expanded.height) + kButtonHeightPadding;
    }

    // 3. The text column: as wide as the widest text needs.
    int widest = 0;
    const auto widen = [&](TaskDialogFont font, const kfx::Text& text) {
        if (!text.empty()) widest = std::max(widest, measurer.Measure(font, text, textWidth, false).width);
    };
    widen(TaskDialogFont::Large, input.mainInstruction);
    widen(TaskDialogFont::Normal, input.content);
    widen(TaskDialogFont::Normal, input.expandedInformation);
    widen(TaskDialogFont::Normal, input.verificationText);
    widen(TaskDialogFont::Normal, input.footer);
    if (commandLinks) {
        for (const LabelledButton& link : input.customButtons) {
            const CommandLinkText text = SplitCommandLinkText(link.text);
            const int captionWidth = measurer.Measure(TaskDialogFont::Large, text.caption, 0, true).width +
                                     kLinkCaptionExtra + (linkIcons ? kLinkArrowColumn : 0);
            widest = std::max(widest, captionWidth);
            widen(TaskDialogFont::Normal, text.note);
        }
    }
    const int left = input.hasMainIcon ? kIconColumn : kMargin;
    const int right = left + widest + 1;
    // The expand button has a line of its own and must not be cut off either.
    layout.width = std::max({rowWidth + 2 * kMargin, right + kMargin, expandButton.width + 2 * kMargin});
    const int columnWidth = right - left;
    const auto heightIn = [&](TaskDialogFont font, const kfx::Text& text, int width) {
        return measurer.Measure(font, text, width, false).height;
    };

    Placer placer(layout, LargestId(input) + 1);

    // 4. From the top down; y is always 5 below the last part placed.
    int y = kGap;
    if (input.hasMainIcon)
        placer.Add(TaskControlKind::MainIcon, {kMargin, kMainIconTop, kMainIconSize, kMainIconSize});
    if (!input.mainInstruction.empty()) {
        const PixelRect rect{left, kMargin, columnWidth,
                             heightIn(TaskDialogFont::Large, input.mainInstruction, columnWidth)};
        placer.Add(TaskControlKind::MainInstruction, rect, input.mainInstruction);
        y = rect.Bottom() + kGap;
    }
    if (!input.content.empty()) {
        const PixelRect rect{left, y + kGap, columnWidth, heightIn(TaskDialogFont::Normal, input.content, columnWidth)};
        placer.Add(TaskControlKind::Content, rect, input.content);
        y = rect.Bottom() + kGap;
    }
    if (hasExpandedInformation && !footerExpansion) {
        const PixelRect rect{left, y + kGap, columnWidth,
                             heightIn(TaskDialogFont::Normal, input.expandedInformation, columnWidth)};
        placer.Add(TaskControlKind::ExpandedInformation, rect, input.expandedInformation).hidden = !input.expanded;
        if (input.expanded) y = rect.Bottom() + kGap;
    }
    if (input.flags & (td::kShowProgressBar | td::kShowMarqueeProgressBar)) {
        const PixelRect rect{left, y + kGap, layout.width - kMargin - left, kProgressBarHeight};
        placer.Add(TaskControlKind::ProgressBar, rect);
        y = rect.Bottom() + kGap;
    }
    if (!input.radioButtons.empty()) {
        int top = y + kGap;
        const int width = right - (left + kRadioIndent);
        for (const LabelledButton& radio : input.radioButtons) {
            const PixelRect rect{left + kRadioIndent, top, width, heightIn(TaskDialogFont::Normal, radio.text, width)};
            placer.Add(TaskControlKind::RadioButton, radio.id, rect, radio.text);
            top = rect.Bottom() + kGap;
        }
        y = top;
    }
    if (commandLinks && !input.customButtons.empty()) {
        int top = y + kGap;
        for (const LabelledButton& link : input.customButtons) {
            const CommandLinkGeometry geometry =
                LayOutCommandLink(SplitCommandLinkText(link.text), columnWidth, linkIcons, measurer);
            placer.Add(TaskControlKind::CommandLink, link.id, {left, top, columnWidth, geometry.height}, link.text);
            top += geometry.height;
        }
        y = top + kGap;
    }
    if (input.hasMainIcon) y = std::max(y, kMainIconTop + kMainIconSize + kGap);

    // 5, 6. The lower area: button row, expand button, verification.
    const bool hasVerification = !input.verificationText.empty();
    if (count > 0 || hasExpandedInformation || hasVerification) {
        layout.dividers.push_back(y + kGap);
        int top = y + 3 * kGap;
        if (count > 0) {
            int x = layout.width - kMargin - rowWidth;
            for (const LabelledButton& entry : row) {
                placer.Add(TaskControlKind::PushButton, entry.id, {x, top, button.width, button.height}, entry.text);
                x += button.width + kButtonSpacing;
            }
            top += button.height + kGap;
        }
        if (hasExpandedInformation) {
            const kfx::Text& caption = input.expanded ? input.expandedControlText : input.collapsedControlText;
            placer.Add(TaskControlKind::ExpandButton, {kMargin, top, expandButton.width, expandButton.height}, caption);
            top += expandButton.height + kGap;
        }
        if (hasVerification) {
            const PixelRect rect{kMargin, top, right - kMargin,
                                 heightIn(TaskDialogFont::Normal, input.verificationText, right - kMargin)};
            placer.Add(TaskControlKind::VerificationCheckBox, rect, input.verificationText);
            top = rect.Bottom() + kGap;
        }
        y = top;
    }

    // 7. The footer, behind its own divider.
    if (input.hasFooterIcon || !input.footer.empty()) {
        layout.dividers.push_back(y + kGap);
        const int top = y + 3 * kGap;
        const int textLeft = input.hasFooterIcon ? kFooterTextWithIcon : kMargin;
        const int textHeight = input.footer.empty() ? 0 : heightIn(TaskDialogFont::Normal, input.footer, right - textLeft);
        int bottom = top + textHeight;
        if (input.hasFooterIcon) {
            const int iconTop = textHeight > kFooterIconSize + 1 ? top + (textHeight - kFooterIconSize) / 2 : top;
            placer.Add(TaskControlKind::FooterIcon, {kMargin, iconTop, kFooterIconSize, kFooterIconSize});
            bottom = std::max(bottom, iconTop + kFooterIconSize);
        }
        if (!input.footer.empty())
            placer.Add(TaskControlKind::Footer, {textLeft, top, right - textLeft, textHeight}, input.footer);
        y = bottom + kGap;
    }

    // 8. Expanded information in the footer area goes last.
    if (hasExpandedInformation && footerExpansion) {
        const int top = y + 3 * kGap;
        const PixelRect rect{kMargin, top, right - kMargin,
                             heightIn(TaskDialogFont::Normal, input.expandedInformation, right - kMargin)};
        placer.Add(TaskControlKind::ExpandedInformation, rect, input.expandedInformation).hidden = !input.expanded;
        if (input.expanded) {
            layout.dividers.push_back(y + kGap);
            y = rect.Bottom() + kGap;
        }
    }

    // 9.
    layout.height = y + kGap;

    // The default button: the one named, else the first push button placed.
    TaskControl* firstButton = nullptr;
    TaskControl* named = nullptr;
    for (TaskControl& control : layout.controls) {
        if (control.kind != TaskControlKind::CommandLink && control.kind != TaskControlKind::PushButton) continue;
        if (!firstButton) firstButton = &control;
        if (input.defaultButton != 0 && control.id == input.defaultButton && !named) named = &control;
    }
    if (TaskControl* chosen = named ? named : firstButton) chosen->isDefault = true;
    return layout;
}

}  // namespace veldmark
