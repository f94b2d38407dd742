#include "data_access/ax_connection.h"

#include "data_access/ax_library.h"
#include "data_access/destruction_failure.h"

namespace dbAx {

CAxConnection::~CAxConnection() {
    DisposeFromDestructor([this] { Dispose(); });
}

void CAxConnection::Create() {
    std::unique_ptr<platform::Connection> created;
    const HRESULT result = CurrentEnvironment().CreateConnection(&created);
    if (kfx::Failed(result) || !created) {
        created.reset();
        RaiseAxError(AxInitFailed, u"CAxConnection::Create", kfx::Failed(result) ? result : kfx::HR_E_POINTER);
    }
    connection_ = std::move(created);
    library::Enlist(this);
}

std::int32_t CAxConnection::CursorLocation(std::int32_t location) {
    if (!connection_) RaiseAxError(AxPlatformError, u"CAxConnection::CursorLocation", kfx::HR_E_POINTER);
    HRESULT result = connection_->SetCursorLocation(location);
    if (kfx::Failed(result)) RaiseAxError(AxPlatformError, u"CAxConnection::CursorLocation", result);
    std::int32_t value = 0;
    result = connection_->CursorLocation(&value);
    if (kfx::Failed(result)) RaiseAxError(AxPlatformError, u"CAxConnection::CursorLocation", result);
    return value;
}

void CAxConnection::Open(const Text& connectionText, const Text& user, const Text& password) {
    if (!connectionText.empty()) connectionText_ = connectionText;
    if (!connection_) RaiseAxError(AxPlatformError, u"CAxConnection::Open", kfx::HR_E_POINTER);
    const HRESULT result = connection_->Open(connectionText_, user, password, platform::adOptionUnspecified);
    if (kfx::Failed(result)) RaiseAxError(AxPlatformError, u"CAxConnection::Open", result);
}

void CAxConnection::Dispose() {
    if (!connection_) {
        library::Delist(this);
        return;
    }
    // Unlist and release even when closing fails; the failure is raised after.
    struct Release {
        CAxConnection* self;
        ~Release() {
            library::Delist(self);
            self->connection_.reset();
        }
    } release{this};
    CloseIfOpen();
}

void CAxConnection::CloseIfOpen() {
    if (!connection_ || !_IsOpen()) return;
    // No event subscriptions are ever made, so there are none to drop first.
    const HRESULT result = connection_->Close();
    if (kfx::Failed(result)) RaiseAxError(AxPlatformError, u"CAxConnection::Close", result);
}

bool CAxConnection::_IsOpen() {
    std::int32_t state = platform::adStateClosed;
    const HRESULT result = connection_->State(&state);
    if (kfx::Failed(result)) RaiseAxError(AxPlatformError, u"CAxConnection::_IsOpen", result);
    return state == platform::adStateOpen;
}

}  // namespace dbAx
