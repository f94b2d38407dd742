#include "setup/task_dialog/hyperlink_markup.h"

namespace veldmark {
namespace {

constexpr kfx::Text::value_type kOpen[] = u"<A HREF=";
constexpr kfx::Text::value_type kClose[] = u"</A>";
constexpr std::size_t kOpenLength = std::size(kOpen) - 1;
constexpr std::size_t kCloseLength = std::size(kClose) - 1;

void AddPlain(std::vector<MarkupRun>& runs, kfx::Text text) {
    if (!text.empty()) runs.push_back({std::move(text), {}, false});
}

}  // namespace

std::vector<MarkupRun> ParseHyperlinkMarkup(const kfx::Text& text) {
    std::vector<MarkupRun> runs;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t open = text.find(kOpen, at);
        const std::size_t end = open == kfx::Text::npos ? kfx::Text::npos : text.find(u'>', open + kOpenLength);
        if (end == kfx::Text::npos) {
            AddPlain(runs, text.substr(at));
            break;
        }
        AddPlain(runs, text.substr(at, open - at));
        kfx::Text target = text.substr(open + kOpenLength, end - open - kOpenLength);
        if (target.size() >= 2 && target.front() == u'"' && target.back() == u'"')
            target = target.substr(1, target.size() - 2);
        const std::size_t close = text.find(kClose, end + 1);
        const std::size_t textEnd = close == kfx::Text::npos ? text.size() : close;
        runs.push_back({text.substr(end + 1, textEnd - end - 1), std::move(target), true});
        at = close == kfx::Text::npos ? text.size() : close + kCloseLength;
    }
    return runs;
}

}  // namespace veldmark
