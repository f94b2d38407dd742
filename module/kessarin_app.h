// Load and unload of the component: starts the socket library and the data
// access library when the library is loaded, stops them when it goes, and
// owns the class objects in between.
#pragma once

#include <optional>

#include "module/class_table.h"

namespace veldmark {

class CKessarinApp {
public:
    CKessarinApp();
    ~CKessarinApp();
    CKessarinApp(const CKessarinApp&) = delete;
    CKessarinApp& operator=(const CKessarinApp&) = delete;

    // Null when the start failed: no class is handed out then.
    ClassObjects* Classes() { return classes_ ? &*classes_ : nullptr; }

private:
    bool dataAccessStarted_ = false;
    std::optional<ClassObjects> classes_;
};

}  // namespace veldmark
