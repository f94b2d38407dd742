// A connection to the database, created on the current platform and listed
// with the library so that error records can be folded into every raise.
#pragma once

#include <cstdint>
#include <memory>

#include "data_access/ax_exception.h"
#include "data_access/platform/database.h"

namespace dbAx {

class CAxConnection {
public:
    CAxConnection() = default;
    CAxConnection(const CAxConnection&) = delete;
    CAxConnection& operator=(const CAxConnection&) = delete;
    // Never throws: a close that fails here goes to the destruction-failure
    // handler. Owners that want to handle it call Dispose first.
    virtual ~CAxConnection();

    void Create();
    std::int32_t CursorLocation(std::int32_t location);
    // An empty connection text keeps the one given to an earlier Open.
    void Open(const Text& connectionText, const Text& user, const Text& password);

    // What destruction does: closes the connection if it is open, leaves the
    // connection list and releases the platform object. The object is always
    // unlisted and released; a failure to close is raised afterwards.
    void Dispose();

    // Closes the platform connection when it is open (library stop).
    void CloseIfOpen();

    platform::Connection* PlatformConnection() const { return connection_.get(); }
    const Text& ConnectionText() const { return connectionText_; }

private:
    bool _IsOpen();

    std::unique_ptr<platform::Connection> connection_;
    Text connectionText_;
};

}  // namespace dbAx
