// The embedded database backend: the data source (after "sqlite:") names a
// directory that must exist; its libraries are attached as statements name
// them. SQLite has no users: user and password are not checked.
#pragma once

#include "data_access/provider/backend.h"

namespace dbAx::provider {

class EmbeddedBackend : public Backend {
public:
    Result Connect(std::string_view directory, const std::string& user, const std::string& password,
                   std::unique_ptr<Session>* session, ErrorMessages& errors) override;
};

}  // namespace dbAx::provider
