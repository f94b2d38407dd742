#include "host_standin/com_object.h"

namespace standin {
namespace {

std::int64_t liveHostObjects = 0;

}  // namespace

std::int64_t LiveHostObjects() { return liveHostObjects; }

namespace detail {

void CountHostObject(int change) { liveHostObjects += change; }

}  // namespace detail
}  // namespace standin
