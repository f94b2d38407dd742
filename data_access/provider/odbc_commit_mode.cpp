#include "data_access/provider/odbc_commit_mode.h"

#include <string>

#include "data_access/provider/ascii_case.h"
#include "data_access/provider/odbc_data_source_key.h"

namespace dbAx::provider {
namespace {

constexpr const char* kKey = "VeldmarkCommit";

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

}  // namespace

Result ReadOdbcCommit(std::string_view dataSource, OdbcCommit* commit, ErrorMessages& errors) {
    const std::optional<std::string> value = DataSourceKey(dataSource, kKey);
    if (!value) {
        *commit = OdbcCommit::Row;
        return kfx::HR_S_OK;
    }
    for (const OdbcCommit choice : {OdbcCommit::Row, OdbcCommit::Document}) {
        if (EqualIgnoringAsciiCase(Trimmed(*value), OdbcCommitName(choice))) {
            *commit = choice;
            return kfx::HR_S_OK;
        }
    }
    errors.push_back("The data source '" + std::string(dataSource) + "' sets " + kKey + " to '" + *value +
                     "'; it must be Row (each row committed on its own) or Document (a document's rows together)");
    return platform::E_ADO_CONNECTIONFAILED;
}

const char* OdbcCommitName(OdbcCommit commit) { return commit == OdbcCommit::Document ? "Document" : "Row"; }

}  // namespace dbAx::provider
