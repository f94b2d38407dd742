// Where a failure goes that arises while a dbAx object is destroyed without
// having been disposed: destructors never throw, and nothing is dropped
// silently.
#pragma once

#include <functional>

#include "data_access/ax_exception.h"

namespace dbAx {

using DestructionFailureHandler = std::function<void(const CAxException&)>;

// Replaces the handler; returns the previous one. Without a handler the
// failure is written to the standard error stream.
DestructionFailureHandler SetDestructionFailureHandler(DestructionFailureHandler handler);

void ReportDestructionFailure(const CAxException& error) noexcept;

// Runs the disposal of an object from its destructor.
template <class Dispose>
void DisposeFromDestructor(Dispose&& dispose) noexcept {
    try {
        dispose();
    } catch (const CAxException& error) {
        ReportDestructionFailure(error);
    } catch (...) {
        ReportDestructionFailure(CAxException{0, u"Unexpected failure while closing a database object", 0});
    }
}

}  // namespace dbAx
