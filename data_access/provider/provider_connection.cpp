#include "data_access/provider/provider_connection.h"

#include <algorithm>

#include "data_access/provider/connection_text.h"
#include "data_access/provider/provider_recordset.h"
#include "host/utf8.h"

namespace dbAx::provider {

ProviderConnection::~ProviderConnection() {
    CloseRecordsets();
    ReleaseSession();
}

// Its recordsets are closed first: no row is pending on a session given
// back. What the document wrote and did not commit goes with the connection;
// a session that cannot say it went serves no one again.
void ProviderConnection::ReleaseSession() {
    if (!session_) return;
    if (session_->Rollback()) {
        pool_.GiveBack(key_, std::move(session_));
    } else {
        session_.reset();
    }
}

Result ProviderConnection::CommitDocument(ErrorMessages& errors) {
    const Result result = session_->Commit(errors);
    // Nothing of a document that failed to commit may be taken for a part
    // of the next one.
    if (kfx::Failed(result) && !session_->Rollback()) {
        errors.push_back("The rows written before could not be dropped either; the connection is given up");
    }
    return result;
}

Result ProviderConnection::Connect(ErrorMessages& messages) {
    std::unique_ptr<Session> session;
    const Result result = backend_->Connect(target_, key_.user, key_.password, &session, messages);
    if (kfx::Succeeded(result)) session_ = std::make_unique<RememberingSession>(std::move(session));
    return result;
}

Result ProviderConnection::Open(const Text& connectionText, const Text& user, const Text& password,
                                std::int32_t /*options*/) {
    if (session_) return platform::E_ADO_OBJECTOPEN;
    ConnectionSettings settings;
    std::string problem;
    if (!ParseConnectionText(kfx::ToUtf8(connectionText), &settings, &problem)) {
        errors_.Report(platform::E_ADO_CONNECTIONFAILED, problem);
        return platform::E_ADO_CONNECTIONFAILED;
    }
    const BackendSelection::Choice choice = backends_.Choose(settings.dataSource);
    if (!choice.backend) {
        errors_.Report(platform::E_ADO_CONNECTIONFAILED, choice.refusal);
        return platform::E_ADO_CONNECTIONFAILED;
    }
    backend_ = choice.backend;
    target_ = std::string(choice.target);
    key_ = {settings.dataSource, kfx::ToUtf8(user), kfx::ToUtf8(password)};
    session_ = pool_.Take(key_);
    if (session_) return kfx::HR_S_OK;
    ErrorMessages messages;
    const Result result = Connect(messages);
    if (kfx::Failed(result)) errors_.Report(result, messages);
    return result;
}

Result ProviderConnection::Close() {
    if (!session_) return platform::E_ADO_OBJECTCLOSED;
    CloseRecordsets();
    ReleaseSession();
    return kfx::HR_S_OK;
}

template <typename Call>
Result ProviderConnection::FirstCallRetried(Call call, ErrorMessages& messages) {
    const bool mayHaveDiedInThePool = !session_->Proven();
    Result result = call(*session_, messages);
    if (mayHaveDiedInThePool && kfx::Failed(result) && !session_->Usable()) {
        // What the dead session said is no news to anyone: the call is made
        // again. Should no new session open, the dead one stays until the
        // close, refusing every call.
        messages.clear();
        std::unique_ptr<RememberingSession> dead = std::move(session_);
        result = Connect(messages);
        if (kfx::Succeeded(result)) {
            result = call(*session_, messages);
        } else {
            session_ = std::move(dead);
        }
    }
    return result;
}

Result ProviderConnection::Describe(const std::string& selection, TableDescription* table, ErrorMessages& errors) {
    if (!session_) return platform::E_ADO_OBJECTCLOSED;
    return FirstCallRetried(
        [&](Session& session, ErrorMessages& messages) { return session.Describe(selection, table, messages); },
        errors);
}

Result ProviderConnection::State(std::int32_t* state) {
    if (!state) return kfx::HR_E_POINTER;
    *state = session_ ? platform::adStateOpen : platform::adStateClosed;
    return kfx::HR_S_OK;
}

Result ProviderConnection::SetCursorLocation(std::int32_t location) {
    cursorLocation_ = location;
    return kfx::HR_S_OK;
}

Result ProviderConnection::CursorLocation(std::int32_t* location) {
    if (!location) return kfx::HR_E_POINTER;
    *location = cursorLocation_;
    return kfx::HR_S_OK;
}

Result ProviderConnection::GetErrors(platform::Errors** errors) {
    if (!errors) return kfx::HR_E_POINTER;
    *errors = &errors_;
    return kfx::HR_S_OK;
}

Result ProviderConnection::ReadRows(const Text& selection, const std::vector<Text>& parameters,
                                    std::vector<std::vector<std::optional<Text>>>* rows) {
    if (!rows) return kfx::HR_E_POINTER;
    if (!session_) return platform::E_ADO_OBJECTCLOSED;
    std::vector<std::string> texts;
    for (const Text& parameter : parameters) texts.push_back(kfx::ToUtf8(parameter));
    ErrorMessages messages;
    const std::string text = kfx::ToUtf8(selection);
    std::vector<TextRow> read;
    const Result result = FirstCallRetried(
        [&](Session& session, ErrorMessages& errors) { return session.ReadRows(text, texts, &read, errors); },
        messages);
    if (kfx::Failed(result)) {
        errors_.Report(result, messages);
        return result;
    }
    rows->clear();
    for (const TextRow& row : read) {
        std::vector<std::optional<Text>>& converted = rows->emplace_back();
        for (const std::optional<std::string>& value : row) {
            converted.push_back(value ? std::optional<Text>(kfx::FromUtf8(*value)) : std::nullopt);
        }
    }
    return result;
}

void ProviderConnection::Enlist(ProviderRecordset* recordset) { recordsets_.push_back(recordset); }

void ProviderConnection::Delist(ProviderRecordset* recordset) {
    recordsets_.erase(std::remove(recordsets_.begin(), recordsets_.end(), recordset), recordsets_.end());
}

// The access objects close a connection's open recordsets with it; their
// unsaved new rows are dropped, as a recordset's own Close drops them.
void ProviderConnection::CloseRecordsets() {
    const std::vector<ProviderRecordset*> open = recordsets_;
    for (ProviderRecordset* recordset : open) recordset->Close();
}

}  // namespace dbAx::provider
