// Ownership of ODBC handles: each is freed once, with its own type, when its
// owner goes. Connections are disconnected by their owner before that.
#pragma once

#include "odbc_api.h"

namespace dbAx::provider {

class OdbcHandle {
public:
    OdbcHandle() = default;
    OdbcHandle(SQLSMALLINT type, SQLHANDLE handle) : type_(type), handle_(handle) {}
    ~OdbcHandle();
    OdbcHandle(OdbcHandle&& other) noexcept;
    OdbcHandle& operator=(OdbcHandle&& other) noexcept;
    OdbcHandle(const OdbcHandle&) = delete;
    OdbcHandle& operator=(const OdbcHandle&) = delete;

    SQLHANDLE get() const { return handle_; }
    SQLSMALLINT type() const { return type_; }
    explicit operator bool() const { return handle_ != SQL_NULL_HANDLE; }
    void reset();

private:
    SQLSMALLINT type_ = 0;
    SQLHANDLE handle_ = SQL_NULL_HANDLE;
};

// A new handle of the type beneath the parent (SQL_NULL_HANDLE for an
// environment); an empty handle when the driver manager refuses, whose
// reasons are then the parent's diagnostics.
OdbcHandle AllocateOdbcHandle(SQLSMALLINT type, SQLHANDLE parent);

}  // namespace dbAx::provider
