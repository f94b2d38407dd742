#include "data_access/provider/remembering_session.h"

namespace dbAx::provider {

Result RememberingSession::Describe(const std::string& selection, TableDescription* table, ErrorMessages& errors) {
    if (proven_) {
        const auto known = described_.find(selection);
        if (known != described_.end()) {
            *table = known->second;
            return kfx::HR_S_OK;
        }
    }
    const Result result = session_->Describe(selection, table, errors);
    if (kfx::Failed(result)) {
        Forget();
        return result;
    }
    described_.insert_or_assign(selection, *table);
    proven_ = true;
    return result;
}

Result RememberingSession::Insert(const TableDescription& table, const std::vector<std::optional<std::string>>& values,
                                  ErrorMessages& errors) {
    const Result result = session_->Insert(table, values, errors);
    if (kfx::Failed(result)) Forget();
    return result;
}

Result RememberingSession::ReadRows(const std::string& selection, const std::vector<std::string>& parameters,
                                    std::vector<TextRow>* rows, ErrorMessages& errors) {
    const Result result = session_->ReadRows(selection, parameters, rows, errors);
    if (kfx::Succeeded(result)) proven_ = true;
    return result;
}

}  // namespace dbAx::provider
