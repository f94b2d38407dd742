// What the Windows files of the stand-in host share. A HANDLE is a void * and
// a DWORD an unsigned long, so this header needs no Windows header.
#pragma once

#include <memory>
#include <string>

namespace standin {

// The system's message for an error code as GetLastError answers it, in
// UTF-8 like every other message, without its line end.
std::string WindowsErrorText(unsigned long error);

// Closes a handle when it goes; never given INVALID_HANDLE_VALUE.
struct HandleCloser {
    void operator()(void* handle) const;
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

// Writers hold a file by a byte past any content it will have: a Windows
// lock keeps every other handle from reading what it covers, and readers must
// neither wait nor fail while a file is held. False at once, with
// GetLastError set, when it is not taken.
bool LockPastContent(void* file);
// Lets go at once; a lock left to the handle's closing may stay a while.
void UnlockPastContent(void* file);

}  // namespace standin
