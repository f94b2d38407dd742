// Where the release data's LogError and SendMessage calls go: the host's
// error log and document messages of one document, in call order.
#pragma once

#include <cstdint>
#include <variant>
#include <vector>

#include "host/com.h"

namespace standin {

struct ErrorLogEntry {
    std::int32_t err1 = 0;
    std::int32_t err2 = 0;
    std::int32_t err3 = 0;
    kfx::Text message;
    kfx::Text codeModule;
    std::int32_t lineNumber = 0;

    friend bool operator==(const ErrorLogEntry&, const ErrorLogEntry&) = default;
};

struct DocumentMessage {
    kfx::Text message;
    std::int32_t errorNumber = 0;
    std::int32_t infoRet = 0;

    friend bool operator==(const DocumentMessage&, const DocumentMessage&) = default;
};

using HostMessage = std::variant<ErrorLogEntry, DocumentMessage>;

class MessageSink {
public:
    void Add(HostMessage message) { messages_.push_back(std::move(message)); }

    // Both kinds, in the order they arrived.
    const std::vector<HostMessage>& All() const { return messages_; }
    std::vector<ErrorLogEntry> ErrorLog() const;
    std::vector<DocumentMessage> DocumentMessages() const;

private:
    std::vector<HostMessage> messages_;
};

}  // namespace standin
