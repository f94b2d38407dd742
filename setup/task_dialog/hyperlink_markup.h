// The task dialog's link markup, "<A HREF=target>text</A>" (the target may
// be quoted), split into runs that any toolkit can show.
#pragma once

#include <vector>

#include "host/com.h"

namespace veldmark {

struct MarkupRun {
    kfx::Text text;
    kfx::Text target;  // the link's target; empty for plain text
    bool link = false;
};

// A link that is never closed runs to the end of the text; an opening
// without its ">" is plain text.
std::vector<MarkupRun> ParseHyperlinkMarkup(const kfx::Text& text);

}  // namespace veldmark
