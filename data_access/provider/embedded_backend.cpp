#include "data_access/provider/embedded_backend.h"

#include <filesystem>
#include <system_error>

#include "data_access/provider/embedded_session.h"
#include "data_access/provider/sqlite_handles.h"
#include "data_access/provider/utf8_path.h"

namespace dbAx::provider {

Result EmbeddedBackend::Connect(std::string_view directory, const std::string& /*user*/,
                                const std::string& /*password*/, std::unique_ptr<Session>* session,
                                ErrorMessages& errors) {
    if (directory.empty()) {
        errors.push_back("The embedded database data source 'sqlite:' names no directory");
        return platform::E_ADO_CONNECTIONFAILED;
    }
    const std::filesystem::path path = PathFromUtf8(directory);
    std::error_code failure;
    const std::filesystem::file_status status = std::filesystem::status(path, failure);
    if (status.type() == std::filesystem::file_type::not_found) {
        errors.push_back("The database directory '" + std::string(directory) + "' does not exist");
        return platform::E_ADO_CONNECTIONFAILED;
    }
    if (failure) {
        errors.push_back("The database directory '" + std::string(directory) + "' cannot be read: " +
                         failure.message());
        return platform::E_ADO_CONNECTIONFAILED;
    }
    if (!std::filesystem::is_directory(status)) {
        errors.push_back("The database directory '" + std::string(directory) + "' is not a directory");
        return platform::E_ADO_CONNECTIONFAILED;
    }
    // The main database only holds the attachments; the libraries are files.
    SqliteDatabase database;
    std::string error;
    if (!OpenSqlite(":memory:", SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, &database, &error)) {
        errors.push_back(error);
        return platform::E_ADO_CONNECTIONFAILED;
    }
    *session = std::make_unique<EmbeddedSession>(path, std::move(database));
    return kfx::HR_S_OK;
}

}  // namespace dbAx::provider
