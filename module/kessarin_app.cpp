#include "module/kessarin_app.h"

#include "data_access/ax_exception.h"
#include "data_access/ax_library.h"
#include "module/platform.h"
#include "release/create_release_script.h"

namespace veldmark {

// A library's load cannot fail here as it does where the host loads it by
// class, so a failed start leaves the class table unset and every request
// for a class object answers HR_E_UNEXPECTED.
CKessarinApp::CKessarinApp() {
    if (!platform::StartSocketLibrary()) return;
    try {
        dbAx::AxLibInit();
    } catch (const dbAx::CAxException&) {
        return;
    }
    dataAccessStarted_ = true;
    classes_.emplace();
}

CKessarinApp::~CKessarinApp() {
    classes_.reset();
    ReleaseCurrentReleaseData();
    if (!dataAccessStarted_) return;
    try {
        dbAx::AxLibClose();
    } catch (...) {
        // Unloading always goes on, whatever closing left behind.
    }
}

}  // namespace veldmark
