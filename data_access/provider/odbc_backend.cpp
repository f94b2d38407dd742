#include "data_access/provider/odbc_backend.h"

#include "odbc_api.h"

#include "data_access/provider/odbc_commit_mode.h"
#include "data_access/provider/odbc_failure.h"
#include "data_access/provider/odbc_session.h"
#include "data_access/provider/odbc_text.h"
#include "data_access/provider/odbc_timeouts.h"

namespace dbAx::provider {
namespace {

Result CallFailed(SQLSMALLINT handleType, SQLHANDLE handle, const char* call, ErrorMessages& errors) {
    const std::vector<OdbcDiagnostic> diagnostics = ReadDiagnostics(handleType, handle);
    AddDiagnosticMessages(diagnostics, call, errors);
    return ResultOfDiagnostics(diagnostics, platform::E_ADO_CONNECTIONFAILED);
}

// The driver manager and the drivers look names and credentials up as C
// strings: a U+0000 in one would quietly cut it.
Result RefuseNul(std::string_view text, const char* what, ErrorMessages& errors) {
    if (text.find('\0') == std::string_view::npos) return kfx::HR_S_OK;
    errors.push_back(std::string("The ") + what +
                     " contains the character U+0000 (NUL), which a data source cannot be given");
    return platform::E_ADO_CONNECTIONFAILED;
}

}  // namespace

std::shared_ptr<OdbcHandle> OdbcBackend::Environment(ErrorMessages& errors, Result* failed) {
    std::lock_guard lock(mutex_);
    if (environment_) return environment_;
    OdbcHandle environment = AllocateOdbcHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE);
    if (!environment) {
        errors.push_back("The ODBC driver manager cannot be started (no environment handle)");
        *failed = platform::E_ADO_CONNECTIONFAILED;
        return nullptr;
    }
    const SQLRETURN rc =
        SQLSetEnvAttr(environment.get(), SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    if (!SQL_SUCCEEDED(rc)) {
        *failed = CallFailed(SQL_HANDLE_ENV, environment.get(), "SQLSetEnvAttr", errors);
        return nullptr;
    }
    environment_ = std::make_shared<OdbcHandle>(std::move(environment));
    return environment_;
}

Result OdbcBackend::Connect(std::string_view dataSource, const std::string& user, const std::string& password,
                            std::unique_ptr<Session>* session, ErrorMessages& errors) {
    for (const auto& [text, what] : {std::pair{dataSource, "data source name"},
                                      std::pair{std::string_view(user), "user name"},
                                      std::pair{std::string_view(password), "password"}}) {
        const Result refused = RefuseNul(text, what, errors);
        if (kfx::Failed(refused)) return refused;
    }
    OdbcText name = ToOdbcText(dataSource);
    if (Units(name) > SQL_MAX_DSN_LENGTH) {
        // The driver manager would only say "Invalid string or buffer length".
        errors.push_back("The ODBC data source name '" + std::string(dataSource) + "' is longer than the " +
                         std::to_string(SQL_MAX_DSN_LENGTH) + " characters ODBC allows");
        return platform::E_ADO_CONNECTIONFAILED;
    }
    OdbcTimeouts timeouts;
    const Result configured = ReadOdbcTimeouts(dataSource, &timeouts, errors);
    if (kfx::Failed(configured)) return configured;
    OdbcCommit commit = OdbcCommit::Row;
    const Result chosen = ReadOdbcCommit(dataSource, &commit, errors);
    if (kfx::Failed(chosen)) return chosen;
    Result failed = kfx::HR_S_OK;
    const std::shared_ptr<OdbcHandle> environment = Environment(errors, &failed);
    if (!environment) return failed;
    OdbcHandle connection = AllocateOdbcHandle(SQL_HANDLE_DBC, environment->get());
    if (!connection) return CallFailed(SQL_HANDLE_ENV, environment->get(), "SQLAllocHandle", errors);
    // The driver's own limit for the login (psqlODBC passes it on as libpq's
    // connect_timeout); the session gives the login up at the same time
    // where a driver does not keep it.
    const SQLRETURN limited = SQLSetConnectAttrW(
        connection.get(), SQL_ATTR_LOGIN_TIMEOUT,
        reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(timeouts.login.count())), SQL_IS_UINTEGER);
    if (!SQL_SUCCEEDED(limited)) {
        return CallFailed(SQL_HANDLE_DBC, connection.get(), "SQLSetConnectAttrW(SQL_ATTR_LOGIN_TIMEOUT)", errors);
    }

    auto connected =
        std::make_unique<OdbcSession>(std::string(dataSource), environment, std::move(connection), timeouts.query);
    const Result loggedIn = connected->Login(user, password, timeouts.login, errors);
    if (kfx::Failed(loggedIn)) return loggedIn;
    const Result committing = connected->UseCommitMode(commit, errors);
    if (kfx::Failed(committing)) return committing;
    *session = std::move(connected);
    return kfx::HR_S_OK;
}

}  // namespace dbAx::provider
