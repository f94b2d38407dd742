#include "data_access/provider/odbc_backend.h"

#include <sqlext.h>
#include <sqlucode.h>

#include "data_access/provider/odbc_failure.h"
#include "data_access/provider/odbc_session.h"
#include "data_access/provider/odbc_text.h"

namespace dbAx::provider {
namespace {

Result CallFailed(SQLSMALLINT handleType, SQLHANDLE handle, const char* call, ErrorMessages& errors) {
    const std::vector<OdbcDiagnostic> diagnostics = ReadDiagnostics(handleType, handle);
    AddDiagnosticMessages(diagnostics, call, errors);
    return ResultOfDiagnostics(diagnostics, platform::E_ADO_CONNECTIONFAILED);
}

}  // namespace

Result OdbcBackend::StartEnvironment(ErrorMessages& errors) {
    if (environment_) return kfx::S_OK;
    OdbcHandle environment = AllocateOdbcHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE);
    if (!environment) {
        errors.push_back("The ODBC driver manager cannot be started (no environment handle)");
        return platform::E_ADO_CONNECTIONFAILED;
    }
    const SQLRETURN rc =
        SQLSetEnvAttr(environment.get(), SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    if (!SQL_SUCCEEDED(rc)) return CallFailed(SQL_HANDLE_ENV, environment.get(), "SQLSetEnvAttr", errors);
    environment_ = std::move(environment);
    return kfx::S_OK;
}

Result OdbcBackend::Connect(std::string_view dataSource, const std::string& user, const std::string& password,
                            std::unique_ptr<Session>* session, ErrorMessages& errors) {
    OdbcText name = ToOdbcText(dataSource);
    if (name.size() - 1 > SQL_MAX_DSN_LENGTH) {
        // The driver manager would only say "Invalid string or buffer length".
        errors.push_back("The ODBC data source name '" + std::string(dataSource) + "' is longer than the " +
                         std::to_string(SQL_MAX_DSN_LENGTH) + " characters ODBC allows");
        return platform::E_ADO_CONNECTIONFAILED;
    }
    const Result started = StartEnvironment(errors);
    if (kfx::Failed(started)) return started;
    OdbcHandle connection = AllocateOdbcHandle(SQL_HANDLE_DBC, environment_.get());
    if (!connection) return CallFailed(SQL_HANDLE_ENV, environment_.get(), "SQLAllocHandle", errors);

    OdbcText userText = ToOdbcText(user);
    OdbcText passwordText = ToOdbcText(password);
    const SQLRETURN rc = SQLConnectW(connection.get(), name.data(), SQL_NTS, userText.data(), SQL_NTS,
                                     passwordText.data(), SQL_NTS);
    if (!SQL_SUCCEEDED(rc)) return CallFailed(SQL_HANDLE_DBC, connection.get(), "SQLConnectW", errors);

    auto connected = std::make_unique<OdbcSession>(std::string(dataSource), std::move(connection));
    const Result autocommit = connected->EnableAutocommit(errors);
    if (kfx::Failed(autocommit)) return autocommit;
    *session = std::move(connected);
    return kfx::S_OK;
}

}  // namespace dbAx::provider
