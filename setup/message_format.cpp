#include "setup/message_format.h"

namespace veldmark {
namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

}  // namespace

kfx::Text FormatMessageText(const kfx::Text& pattern, std::span<const kfx::Text> inserts) {
    kfx::Text result;
    result.reserve(pattern.size());
    std::size_t at = 0;
    while (at < pattern.size()) {
        const char16_t c = pattern[at];
        if (c != u'%' || at + 1 == pattern.size()) {
            result += c;
            ++at;
            continue;
        }
        const char16_t next = pattern[at + 1];
        if (next == u'0') return result;
        if (next == u'n') {
            result += u'\n';
            at += 2;
            continue;
        }
        if (!IsDigit(next)) {
            // "%%", "%." and the like stand for the character itself.
            result += next;
            at += 2;
            continue;
        }
        std::size_t end = at + 2;
        std::size_t number = next - u'0';
        if (end < pattern.size() && IsDigit(pattern[end])) number = number * 10 + (pattern[end++] - u'0');
        if (number <= inserts.size()) {
            result += inserts[number - 1];
        } else {
            result.append(pattern, at, end - at);
        }
        at = end;
    }
    return result;
}

}  // namespace veldmark
