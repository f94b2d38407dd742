// AxLibInit starts the component object model's runtime on the loading thread
// and AxLibClose stops it again.
#include "host/windows_api.h"

#include <objbase.h>

#include <gtest/gtest.h>

#include "data_access/ax_library.h"

namespace dbAx {
namespace {

// What the runtime answers a new initialisation on this thread: S_FALSE while
// it is initialised already. The probe undoes itself.
HRESULT ProbeInitialisation() {
    const HRESULT result = CoInitialize(nullptr);
    if (SUCCEEDED(result)) CoUninitialize();
    return result;
}

TEST(ComRuntime, AxLibInitInitialisesItOnceAndAxLibCloseUninitialisesIt) {
    ASSERT_EQ(ProbeInitialisation(), S_OK) << "initialised before the test";
    AxLibInit();
    EXPECT_EQ(ProbeInitialisation(), S_FALSE);
    AxLibInit();  // a second start does nothing
    AxLibClose();
    EXPECT_EQ(ProbeInitialisation(), S_OK);
    AxLibClose();  // and a second stop neither
    EXPECT_EQ(ProbeInitialisation(), S_OK);
}

TEST(ComRuntime, AThreadInitialisedInAnotherModelKeepsIt) {
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    AxLibInit();
    AxLibClose();
    // Still multithreaded: AxLibClose did not take away what it had not given.
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_FALSE);
    CoUninitialize();
    CoUninitialize();
}

}  // namespace
}  // namespace dbAx
