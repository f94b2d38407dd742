#include "host_standin/message_sink.h"

namespace standin {
namespace {

template <class Kind>
std::vector<Kind> OfKind(const std::vector<HostMessage>& messages) {
    std::vector<Kind> result;
    for (const HostMessage& message : messages) {
        if (const Kind* entry = std::get_if<Kind>(&message)) result.push_back(*entry);
    }
    return result;
}

}  // namespace

std::vector<ErrorLogEntry> MessageSink::ErrorLog() const { return OfKind<ErrorLogEntry>(messages_); }

std::vector<DocumentMessage> MessageSink::DocumentMessages() const { return OfKind<DocumentMessage>(messages_); }

}  // namespace standin
