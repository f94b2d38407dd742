// Windows: the socket library is of use only once it has been started.
#include "host/windows_api.h"

#include <winsock2.h>

#include <gtest/gtest.h>

#include "module/platform.h"

namespace veldmark::platform {
namespace {

TEST(StartSocketLibrary, MakesSocketsUsable) {
    // Nothing else in this program starts the socket library.
    const SOCKET before = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    ASSERT_EQ(before, INVALID_SOCKET);
    EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);

    ASSERT_TRUE(StartSocketLibrary());
    const SOCKET after = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    EXPECT_NE(after, INVALID_SOCKET) << WSAGetLastError();
    if (after != INVALID_SOCKET) closesocket(after);
    WSACleanup();
}

}  // namespace
}  // namespace veldmark::platform
