#include "host/text_format.h"

#include <stdexcept>
#include <string>

namespace kfx {

Text FormatText(std::u16string_view format, std::initializer_list<FormatArgument> arguments) {
    Text out;
    out.reserve(format.size() + 64);
    auto argument = arguments.begin();
    auto next = [&]() -> const FormatArgument& {
        if (argument == arguments.end()) throw std::invalid_argument("too few arguments for the message format");
        return *argument++;
    };
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != u'%' || i + 1 == format.size()) {
            out.push_back(format[i]);
            continue;
        }
        const char16_t conversion = format[++i];
        if (conversion == u's') {
            // As the platform's formatting reads a text: up to its first NUL,
            // so that no message carries one into a log.
            const Text& text = std::get<Text>(next());
            out.append(text, 0, text.find(u'\0'));
        } else if (conversion == u'd') {
            for (char digit : std::to_string(std::get<std::int64_t>(next()))) out.push_back(static_cast<char16_t>(digit));
        } else if (conversion == u'%') {
            out.push_back(u'%');
        } else {
            throw std::invalid_argument("unsupported conversion in a message format");
        }
    }
    if (argument != arguments.end()) throw std::invalid_argument("too many arguments for the message format");
    return out;
}

}  // namespace kfx
