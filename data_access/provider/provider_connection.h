// The generic connection: reads the connection text, lets the data source
// choose the backend, keeps the backend's session and the error records,
// and closes the recordsets opened on it when it closes.
#pragma once

#include <memory>
#include <vector>

#include "data_access/platform/database.h"
#include "data_access/provider/backend.h"
#include "data_access/provider/backend_selection.h"
#include "data_access/provider/error_collection.h"

namespace dbAx::provider {

class ProviderRecordset;

class ProviderConnection : public platform::Connection {
public:
    // The selection outlives the connection (it belongs to the environment).
    explicit ProviderConnection(const BackendSelection& backends) : backends_(backends) {}
    ~ProviderConnection() override;
    ProviderConnection(const ProviderConnection&) = delete;
    ProviderConnection& operator=(const ProviderConnection&) = delete;

    // User and password go to the backend; options are not used (every open is synchronous).
    Result Open(const Text& connectionText, const Text& user, const Text& password, std::int32_t options) override;
    Result Close() override;
    Result State(std::int32_t* state) override;
    Result SetCursorLocation(std::int32_t location) override;
    Result CursorLocation(std::int32_t* location) override;
    Result GetErrors(platform::Errors** errors) override;

    // Beyond the access objects, for the stand-in host's look-up of what a
    // release left behind: counts the rows a reading selection returns, its
    // '?' markers bound in order to the texts. A failure's messages go to
    // the error records, as for any call on the connection.
    Result CountRows(const Text& selection, const std::vector<Text>& parameters, std::int64_t* rows);

    // For the recordsets opened on this connection.
    Session* OpenSession() { return session_.get(); }
    ErrorCollection& Errors() { return errors_; }
    void Enlist(ProviderRecordset* recordset);
    void Delist(ProviderRecordset* recordset);

private:
    void CloseRecordsets();

    const BackendSelection& backends_;
    std::unique_ptr<Session> session_;
    ErrorCollection errors_;
    std::int32_t cursorLocation_ = 2;  // adUseServer, the access objects' default
    std::vector<ProviderRecordset*> recordsets_;
};

}  // namespace dbAx::provider
