// The generic connection: reads the connection text, lets the data source
// choose the backend, keeps the backend's session and the error records,
// and closes the recordsets opened on it when it closes.
//
// Sessions are pooled (session_pool.h): an open takes a pooled session of
// the same data source, user and password before it connects anew, and a
// close gives the session back. A pooled session may have died while it
// waited unnoticed (a server restarted): when the first call through it
// finds it lost, the connection opens a new session and makes the call
// again, so that the document does not pay for it. Only reading calls come
// first (a recordset describes its table before it adds rows), so making
// one twice changes nothing.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data_access/platform/database.h"
#include "data_access/provider/backend.h"
#include "data_access/provider/backend_selection.h"
#include "data_access/provider/error_collection.h"
#include "data_access/provider/session_pool.h"

namespace dbAx::provider {

class ProviderRecordset;

class ProviderConnection : public platform::Connection {
public:
    // The selection and the pool outlive the connection (they belong to the environment).
    ProviderConnection(const BackendSelection& backends, SessionPool& pool) : backends_(backends), pool_(pool) {}
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

    // Beyond the access objects, for the stand-in host's look-up of what
    // releases left behind: the rows a reading selection returns, its '?'
    // markers bound in order to the texts, each value as text (nullopt for
    // NULL). A failure's messages go to the error records, as for any call
    // on the connection.
    Result ReadRows(const Text& selection, const std::vector<Text>& parameters,
                    std::vector<std::vector<std::optional<Text>>>* rows);

    // For the recordsets opened on this connection.
    Session* OpenSession() { return session_.get(); }
    Result Describe(const std::string& selection, TableDescription* table, ErrorMessages& errors);
    // A value was refused by what a description says, which may be out of date.
    void ForgetDescriptions() {
        if (session_) session_->Forget();
    }
    // Commits every row written on the connection since the last commit:
    // a document's lines are held until its header is written. When the
    // commit fails, they are dropped.
    Result CommitDocument(ErrorMessages& errors);
    ErrorCollection& Errors() { return errors_; }
    void Enlist(ProviderRecordset* recordset);
    void Delist(ProviderRecordset* recordset);

private:
    void CloseRecordsets();
    void ReleaseSession();
    Result Connect(ErrorMessages& errors);
    // Makes a reading call; once more on a new session when it found a
    // pooled session lost before anything else went through it.
    template <typename Call>
    Result FirstCallRetried(Call call, ErrorMessages& errors);

    const BackendSelection& backends_;
    SessionPool& pool_;
    Backend* backend_ = nullptr;
    std::string target_;  // what the backend is given
    SessionKey key_;
    std::unique_ptr<RememberingSession> session_;
    ErrorCollection errors_;
    std::int32_t cursorLocation_ = 2;  // adUseServer, the access objects' default
    std::vector<ProviderRecordset*> recordsets_;
};

}  // namespace dbAx::provider
