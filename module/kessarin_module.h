// The component's live-object count: live instances of either class, server
// locks, and class objects held by clients. The host may unload the
// component only when it is zero.
#pragma once

namespace veldmark {

class CKessarinModule {
public:
    static long Lock();
    static long Unlock();
    static long GetLockCount();
};

}  // namespace veldmark
