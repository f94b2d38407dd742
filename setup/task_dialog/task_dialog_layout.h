// Where the emulated task dialog puts each of its parts, in pixels, given how
// wide and high its texts come out in the dialog's two fonts.
#pragma once

#include <cstdint>
#include <vector>

#include "host/com.h"

namespace veldmark {

struct PixelSize {
    int width = 0;
    int height = 0;
};

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    int Right() const { return x + width; }
    int Bottom() const { return y + height; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

enum class TaskDialogFont {
    Normal,  // the system's message font
    Large,   // the same, one and a half times as high
};

class TextMeasurer {
public:
    // The extent of the text in the font, wrapped at word boundaries within
    // wrapWidth, or on one line when wrapWidth is 0. In a caption "&" marks
    // a mnemonic and is not drawn.
    virtual PixelSize Measure(TaskDialogFont font, const kfx::Text& text, int wrapWidth, bool caption) const = 0;

protected:
    ~TextMeasurer() = default;
};

struct LabelledButton {
    int id = 0;
    kfx::Text text;
};

// The configuration as the layout needs it: texts already loaded, plain
// versions of texts with hyperlinks, and the requested common buttons.
struct TaskDialogLayoutInput {
    std::uint32_t flags = 0;
    bool hasMainIcon = false;
    bool hasFooterIcon = false;
    kfx::Text mainInstruction;
    kfx::Text content;
    kfx::Text expandedInformation;
    kfx::Text verificationText;
    kfx::Text footer;
    kfx::Text expandedControlText;
    kfx::Text collapsedControlText;
    std::vector<LabelledButton> customButtons;
    std::vector<LabelledButton> radioButtons;
    std::vector<LabelledButton> commonButtons;  // in placing order
    LabelledButton implicitOkButton;            // placed when no button at all is requested
    int defaultButton = 0;
    bool expanded = false;
    int widthInDialogUnits = 0;
    int dialogBaseWidth = 0;  // horizontal dialog base unit, pixels
    int monitorWidth = 0;     // of the owner's monitor
};

enum class TaskControlKind {
    MainIcon,
    MainInstruction,
    Content,
    ExpandedInformation,
    ProgressBar,
    RadioButton,
    CommandLink,
    PushButton,
    ExpandButton,
    VerificationCheckBox,
    FooterIcon,
    Footer,
};

struct TaskControl {
    TaskControlKind kind;
    int id = 0;
    PixelRect rect;
    kfx::Text text;  // caption of a button; caption, line break and note of a command link
    bool isDefault = false;
    bool hidden = false;
};

struct TaskDialogLayout {
    int width = 0;
    int height = 0;
    std::vector<TaskControl> controls;  // in tab order
    std::vector<int> dividers;          // tops of the lower areas, at most three

    const TaskControl* Find(TaskControlKind kind) const;
    const TaskControl* FindId(int id) const;
};

// The caption of a command link (before the first line break) and its note.
struct CommandLinkText {
    kfx::Text caption;
    kfx::Text note;
};
CommandLinkText SplitCommandLinkText(const kfx::Text& text);

// Where a command link of the given width draws its caption and note.
struct CommandLinkGeometry {
    PixelRect caption;
    PixelRect note;  // empty without a note
    int height = 0;
};
CommandLinkGeometry LayOutCommandLink(const CommandLinkText& text, int width, bool withIcon,
                                      const TextMeasurer& measurer);

TaskDialogLayout LayOutTaskDialog(const TaskDialogLayoutInput& input, const TextMeasurer& measurer);

}  // namespace veldmark
