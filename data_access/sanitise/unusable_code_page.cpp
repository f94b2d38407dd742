#include "data_access/sanitise/unusable_code_page.h"

#include <string>

#include "host/utf8.h"

namespace dbAx {

kfx::Text UnusableCodePageMessage(std::int64_t codePage) {
    return u"Code page " + kfx::FromUtf8(std::to_string(codePage)) +
           u" cannot be used for sanitising: it is not a code page this system can convert to. "
           u"Set \"SanitiseCodepage\" to a supported code page, or to 0 to turn sanitising off.";
}

UnusableCodePage::UnusableCodePage(std::uint32_t codePage)
    : std::runtime_error(kfx::ToUtf8(UnusableCodePageMessage(codePage))),
      codePage_(codePage),
      message_(UnusableCodePageMessage(codePage)) {}

}  // namespace dbAx
