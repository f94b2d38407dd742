#include "data_access/provider/odbc_insert.h"

#include "odbc_api.h"

#include <algorithm>

namespace dbAx::provider {

std::optional<OdbcCallFailure> OdbcInsert::Prepare(SQLHDBC connection, const std::string& sql,
                                                   std::vector<Parameter> parameters) {
    OdbcHandle statement = AllocateOdbcHandle(SQL_HANDLE_STMT, connection);
    if (!statement) return OdbcCallFailure{"SQLAllocHandle", SQL_HANDLE_DBC, connection};
    OdbcText text = ToOdbcText(sql);
    if (!SQL_SUCCEEDED(SQLPrepareW(statement.get(), text.data(), static_cast<SQLINTEGER>(Units(text))))) {
        // The failed statement is kept until its diagnostics are read.
        statement_ = std::move(statement);
        return OdbcCallFailure{"SQLPrepareW", SQL_HANDLE_STMT, statement_.get()};
    }
    statement_ = std::move(statement);
    parameters_ = std::move(parameters);
    buffers_.resize(parameters_.size());
    lengths_.resize(parameters_.size());
    prepared_ = true;
    return std::nullopt;
}

void OdbcInsert::SetValues(const std::vector<std::string_view>& values) {
    for (std::size_t index = 0; index < parameters_.size(); ++index) {
        buffers_[index] = ToOdbcText(values[index]);
        lengths_[index] = static_cast<SQLLEN>(Units(buffers_[index]) * sizeof(SQLWCHAR));
    }
}

std::optional<OdbcCallFailure> OdbcInsert::Execute() {
    for (std::size_t index = 0; index < parameters_.size(); ++index) {
        OdbcText& buffer = buffers_[index];
        const Parameter& parameter = parameters_[index];
        // A text longer than a character column is passed whole: what to
        // do with it is the server's decision, not the driver's.
        const SQLULEN size = parameter.sqlType == SQL_DECIMAL || parameter.sqlType == SQL_NUMERIC
                                 ? parameter.size
                                 : std::max<SQLULEN>(parameter.size, Units(buffer));
        const SQLRETURN bound = SQLBindParameter(
            statement_.get(), static_cast<SQLUSMALLINT>(index + 1), SQL_PARAM_INPUT, SQL_C_WCHAR, parameter.sqlType,
            size, parameter.digits, buffer.data(), static_cast<SQLLEN>(buffer.size() * sizeof(SQLWCHAR)),
            &lengths_[index]);
        if (!SQL_SUCCEEDED(bound)) return OdbcCallFailure{"SQLBindParameter", SQL_HANDLE_STMT, statement_.get()};
    }
    // SQL_NO_DATA (nothing inserted) is a failure too: the row is not there.
    if (!SQL_SUCCEEDED(SQLExecute(statement_.get()))) {
        return OdbcCallFailure{"SQLExecute", SQL_HANDLE_STMT, statement_.get()};
    }
    return std::nullopt;
}

std::string DelimitedIdentifier(std::string_view name, std::string_view quote) {
    if (quote.empty()) return std::string(name);
    std::string quoted(quote);
    for (std::size_t i = 0; i < name.size(); ++i) {
        quoted += name[i];
        // A quote inside the name is written twice.
        if (name.substr(i, quote.size()) == quote) {
            quoted += name.substr(i + 1, quote.size() - 1);
            quoted += quote;
            i += quote.size() - 1;
        }
    }
    return quoted + std::string(quote);
}

}  // namespace dbAx::provider
