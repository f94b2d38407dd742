// A backend's session that remembers the description of each selection it
// described, so that a connection taking it from the pool does not ask the
// database again for every document. What may have changed is forgotten:
// every description when a Describe or an Insert fails.
//
// The first Describe after Taken goes to the database all the same, unless
// the checks of the pool proved the session alive: it proves the pooled
// session alive before any row is written through it.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "data_access/provider/backend.h"

namespace dbAx::provider {

class RememberingSession : public Session {
public:
    explicit RememberingSession(std::unique_ptr<Session> backendSession) : session_(std::move(backendSession)) {}

    // The session goes to a connection from the pool, Usable having said yes.
    void Taken() { proven_ = session_->UsableProvesAlive(); }
    // False from Taken until a call succeeds, unless Usable proved the
    // session alive: nothing has been written through it since, and it may
    // have died in the pool.
    bool Proven() const { return proven_; }
    void Forget() { described_.clear(); }

    Result Describe(const std::string& selection, TableDescription* table, ErrorMessages& errors) override;
    Result Insert(const TableDescription& table, const std::vector<std::optional<std::string>>& values,
                  ErrorMessages& errors) override;
    Result ReadRows(const std::string& selection, const std::vector<std::string>& parameters,
                    std::vector<TextRow>* rows, ErrorMessages& errors) override;
    Result Commit(ErrorMessages& errors) override { return session_->Commit(errors); }
    bool Rollback() override { return session_->Rollback(); }
    bool Usable() override { return session_->Usable(); }
    bool UsableProvesAlive() const override { return session_->UsableProvesAlive(); }

private:
    std::unique_ptr<Session> session_;
    std::map<std::string, TableDescription> described_;  // by selection
    bool proven_ = true;  // a call has been answered since the session was taken
};

}  // namespace dbAx::provider
