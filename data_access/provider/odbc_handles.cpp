#include "data_access/provider/odbc_handles.h"

#include <utility>

namespace dbAx::provider {

OdbcHandle::~OdbcHandle() { reset(); }

OdbcHandle::OdbcHandle(OdbcHandle&& other) noexcept
    : type_(other.type_), handle_(std::exchange(other.handle_, nullptr)) {}

OdbcHandle& OdbcHandle::operator=(OdbcHandle&& other) noexcept {
    if (this != &other) {
        reset();
        type_ = other.type_;
        handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
}

void OdbcHandle::reset() {
    // Nothing can be done about a handle the driver will not free.
    if (handle_ != SQL_NULL_HANDLE) SQLFreeHandle(type_, handle_);
    handle_ = SQL_NULL_HANDLE;
}

OdbcHandle AllocateOdbcHandle(SQLSMALLINT type, SQLHANDLE parent) {
    SQLHANDLE handle = SQL_NULL_HANDLE;
    if (!SQL_SUCCEEDED(SQLAllocHandle(type, parent, &handle))) return {};
    return {type, handle};
}

}  // namespace dbAx::provider
