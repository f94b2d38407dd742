#include "module/kessarin_module.h"

#include <atomic>

namespace veldmark {

namespace {
// Atomic: class objects are shared between threads ("Both").
std::atomic<long> liveObjects{0};
}  // namespace

long CKessarinModule::Lock() { return ++liveObjects; }

long CKessarinModule::Unlock() { return --liveObjects; }

long CKessarinModule::GetLockCount() { return liveObjects.load(); }

}  // namespace veldmark
