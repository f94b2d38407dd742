// The release engine's one output channel: every message goes to the host's
// error log of the current release data, and errors also to its document
// messages.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "host/com.h"
#include "host/release_data.h"
#include "host/text_format.h"

namespace veldmark {

using kfx::Text;

struct MessageOrigin {
    const char16_t* moduleName = u"releaseScript";
    std::int32_t lineNumber = 0;
};

// The fixed reporting sites.
namespace line {
constexpr std::int32_t CountOfValues = 133;
constexpr std::int32_t ReadVariables = 185;
constexpr std::int32_t GeneralReadVariables = 191;
constexpr std::int32_t UpdatingHeader = 208;
constexpr std::int32_t GeneralUpdatingHeader = 214;
constexpr std::int32_t CreatingLineRecord = 245;
constexpr std::int32_t GeneralCreatingLineRecord = 251;
constexpr std::int32_t UpdatingLineRecord = 306;
constexpr std::int32_t GeneralUpdatingLineRecord = 313;
constexpr std::int32_t UpdatingLines = 321;
constexpr std::int32_t GeneralUpdatingLines = 327;
constexpr std::int32_t GetValues = 389;
constexpr std::int32_t ReleaseDoc = 526;
constexpr std::int32_t GeneralReleaseDoc = 530;
constexpr std::int32_t Released = 539;
}  // namespace line

// At most this many units of a message reach the host; the rest is cut.
constexpr std::size_t kMaxMessageLength = 1023;

// Formats the message and hands it to the host; never fails towards the
// caller. Error number 0 is information, 1 or more an error.
void reportMessage(std::int32_t lineNumber, std::int32_t errorNumber, std::u16string_view format,
                   std::initializer_list<kfx::FormatArgument> arguments = {}) noexcept;

// The release data most recently given to any release object; empty before
// the first and after any CloseScript.
kfx::ComPtr<kfx::IReleaseData>& currentReleaseData();

}  // namespace veldmark
