// The failure of sanitising into a code page that this system cannot convert
// to. It is never silent: values are not to reach the database unsanitised or
// emptied.
#pragma once

#include <cstdint>
#include <stdexcept>

#include "host/com.h"

namespace dbAx {

// "Code page N cannot be used for sanitising: ...", for the user, with the
// number as it was given (a negative setting stays negative).
kfx::Text UnusableCodePageMessage(std::int64_t codePage);

class UnusableCodePage : public std::runtime_error {
public:
    explicit UnusableCodePage(std::uint32_t codePage);

    std::uint32_t CodePage() const noexcept { return codePage_; }
    const kfx::Text& Message() const noexcept { return message_; }

private:
    std::uint32_t codePage_;
    kfx::Text message_;
};

}  // namespace dbAx
