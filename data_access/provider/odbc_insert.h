// One prepared INSERT of chosen columns of a table. Every value goes to the
// driver as text (SQL_C_WCHAR) with its length, described with its column's
// type, so that the driver and the server convert it, and refuse it, as they
// would any text.
#pragma once

#include "odbc_api.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data_access/provider/odbc_handles.h"
#include "data_access/provider/odbc_text.h"

namespace dbAx::provider {

// Which ODBC call failed, and the handle that holds its diagnostics.
struct OdbcCallFailure {
    const char* call;
    SQLSMALLINT handleType;
    SQLHANDLE handle;
};

class OdbcInsert {
public:
    struct Parameter {
        SQLSMALLINT sqlType;
        SQLULEN size;  // characters, or the precision of a number
        SQLSMALLINT digits;
    };

    bool Prepared() const { return prepared_; }
    // sql has one marker per parameter, in order.
    std::optional<OdbcCallFailure> Prepare(SQLHDBC connection, const std::string& sql,
                                           std::vector<Parameter> parameters);
    // One value per parameter, for the next Execute.
    void SetValues(const std::vector<std::string_view>& values);
    // Inserts the values set. Each execution is committed by the
    // connection's autocommit.
    std::optional<OdbcCallFailure> Execute();

private:
    OdbcHandle statement_;
    bool prepared_ = false;
    std::vector<Parameter> parameters_;
    // Bound until the next execution: each value with its length in bytes.
    std::vector<OdbcText> buffers_;
    std::vector<SQLLEN> lengths_;
};

// The name as a delimited identifier with the driver's quote (its
// SQL_IDENTIFIER_QUOTE_CHAR: '"' in standard SQL, '`' on MariaDB and MySQL
// unless the server runs with ANSI_QUOTES); as it is where the driver quotes
// nothing.
std::string DelimitedIdentifier(std::string_view name, std::string_view quote);

}  // namespace dbAx::provider
