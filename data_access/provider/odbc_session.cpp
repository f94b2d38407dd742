#include "data_access/provider/odbc_session.h"

#include "odbc_api.h"

#include <optional>
#include <set>

#include "data_access/provider/ascii_case.h"
#include "data_access/provider/odbc_failure.h"
#include "data_access/provider/odbc_result_columns.h"
#include "data_access/provider/odbc_selected_rows.h"
#include "data_access/provider/odbc_text.h"
#include "data_access/provider/odbc_timeouts.h"
#include "data_access/provider/odbc_type_text.h"

namespace dbAx::provider {
namespace {

Result Refuse(ErrorMessages& errors, Result result, std::string message) {
    errors.push_back(std::move(message));
    return result;
}

std::optional<ColumnKind> KindOf(SQLSMALLINT sqlType) {
    switch (sqlType) {
        case SQL_CHAR: return ColumnKind::Char;
        case SQL_WCHAR: return ColumnKind::WideChar;
        case SQL_DECIMAL: return ColumnKind::Decimal;
        case SQL_NUMERIC: return ColumnKind::Numeric;
        default: return std::nullopt;
    }
}

std::string InsertSql(const std::string& quote, const std::string& schema, const std::string& table,
                      const std::vector<std::string>& names, const std::vector<bool>& assigned) {
    std::string sql = "INSERT INTO " + DelimitedIdentifier(schema, quote) + "." + DelimitedIdentifier(table, quote);
    std::string columns;
    std::string markers;
    for (std::size_t column = 0; column < assigned.size(); ++column) {
        if (!assigned[column]) continue;
        columns += (columns.empty() ? "" : ", ") + DelimitedIdentifier(names[column], quote);
        markers += markers.empty() ? "?" : ", ?";
    }
    if (columns.empty() && !names.empty()) {
        // A row of defaults only: not every server takes DEFAULT VALUES
        // (MariaDB does not), while PostgreSQL, MariaDB and DB2 for i all
        // take the keyword DEFAULT as one column's value.
        columns = DelimitedIdentifier(names.front(), quote);
        markers = "DEFAULT";
    }
    return sql + (columns.empty() ? " DEFAULT VALUES" : " (" + columns + ") VALUES (" + markers + ")");
}

// The driver's quote for names; a blank says it quotes none.
std::string IdentifierQuote(SQLHDBC connection) {
    SQLWCHAR quote[8] = {};
    SQLSMALLINT bytes = 0;
    if (!SQL_SUCCEEDED(SQLGetInfoW(connection, SQL_IDENTIFIER_QUOTE_CHAR, quote, sizeof quote, &bytes))) return "\"";
    const std::string text = FromOdbcText(quote, std::size(quote));
    return text == " " ? "" : text;
}

// PostgreSQL stores no U+0000 in a text, and its driver would cut the text
// there without a word (it passes texts on as C strings whatever length
// they are given), so such a value is refused before it goes.
bool TextsHoldNul(SQLHDBC connection) {
    SQLWCHAR name[64] = {};
    SQLSMALLINT bytes = 0;
    if (!SQL_SUCCEEDED(SQLGetInfoW(connection, SQL_DBMS_NAME, name, sizeof name, &bytes))) return true;
    return FromOdbcText(name, std::size(name)) != "PostgreSQL";
}

// The result of the statement the Describe runs; the call that failed, if any.
struct Selected {
    const char* failedCall = nullptr;
    SQLRETURN fetched = SQL_NO_DATA;
    std::vector<OdbcResultColumn> columns;
};

}  // namespace

OdbcSession::OdbcSession(std::string dataSource, std::shared_ptr<OdbcHandle> environment, OdbcHandle connection,
                         std::chrono::seconds queryTimeout)
    : dataSource_(std::move(dataSource)),
      queryTimeout_(queryTimeout),
      link_(std::make_shared<Link>(std::move(environment), std::move(connection))) {}

OdbcSession::~OdbcSession() = default;

OdbcSession::Link::~Link() {
    tables.clear();
    selection.reset();
    SQLDisconnect(connection.get());
}

// A driver that keeps the login timeout itself says in its own words why the
// login ended, a little before the session would give it up.
constexpr std::chrono::milliseconds kLoginGrace{500};

Result OdbcSession::Login(const std::string& user, const std::string& password, std::chrono::seconds limit,
                          ErrorMessages& errors) {
    struct LoggedIn {
        SQLRETURN rc = SQL_ERROR;
        bool textsHoldNul = true;
        std::string quote;
    };
    const auto loginStart = std::chrono::steady_clock::now();
    const std::optional<LoggedIn> answer = calls_.Run(
        [link = link_, name = ToOdbcText(dataSource_), userText = ToOdbcText(user),
         passwordText = ToOdbcText(password)]() mutable {
            LoggedIn result;
            SQLHDBC connection = link->connection.get();
            result.rc = SQLConnectW(connection, name.data(), static_cast<SQLSMALLINT>(Units(name)), userText.data(),
                                    static_cast<SQLSMALLINT>(Units(userText)), passwordText.data(),
                                    static_cast<SQLSMALLINT>(Units(passwordText)));
            if (SQL_SUCCEEDED(result.rc)) {
                result.textsHoldNul = TextsHoldNul(connection);
                result.quote = IdentifierQuote(connection);
            }
            return result;
        },
        limit + kLoginGrace);
    const std::string unanswered =
        "The data source '" + dataSource_ + "' did not answer the login within " + SecondsText(limit);
    if (!answer) {
        lostBecause_ = unanswered;
        errors.push_back(unanswered);
        return platform::E_ADO_CONNECTIONFAILED;
    }
    if (!SQL_SUCCEEDED(answer->rc)) {
        const std::vector<OdbcDiagnostic> diagnostics = ReadDiagnostics(SQL_HANDLE_DBC, link_->connection.get());
        AddDiagnosticMessages(diagnostics, "SQLConnectW", errors);
        // A login that failed only when its time was up was not answered,
        // whatever words the driver found for it.
        if (std::chrono::steady_clock::now() - loginStart >= limit) errors.push_back(unanswered);
        return ResultOfDiagnostics(diagnostics, platform::E_ADO_CONNECTIONFAILED);
    }
    textsHoldNul_ = answer->textsHoldNul;
    quote_ = answer->quote;
    return kfx::HR_S_OK;
}

Result OdbcSession::UseCommitMode(OdbcCommit commit, ErrorMessages& errors) {
    commit_ = commit;
    const auto autocommit = commit == OdbcCommit::Row ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF;
    const SQLRETURN rc = SQLSetConnectAttrW(link_->connection.get(), SQL_ATTR_AUTOCOMMIT,
                                            reinterpret_cast<SQLPOINTER>(autocommit), SQL_IS_UINTEGER);
    if (SQL_SUCCEEDED(rc)) return kfx::HR_S_OK;
    return Failure({"SQLSetConnectAttrW(SQL_ATTR_AUTOCOMMIT)", SQL_HANDLE_DBC, link_->connection.get()},
                   platform::E_ADO_CONNECTIONFAILED, errors);
}

template <typename Call>
auto OdbcSession::Answer(Call call, const char* unknownOutcome, ErrorMessages& errors)
    -> std::optional<std::invoke_result_t<Call&, Link&>> {
    auto answer = calls_.Run([link = link_, call = std::move(call)]() mutable { return call(*link); }, queryTimeout_);
    if (answer) return answer;
    lostBecause_ = "The data source '" + dataSource_ + "' did not answer within " + SecondsText(queryTimeout_);
    errors.push_back(lostBecause_ + unknownOutcome);
    errors.push_back(LostMessage());
    return std::nullopt;
}

Result OdbcSession::Describe(const std::string& selection, TableDescription* description, ErrorMessages& errors) {
    const Result lost = RefuseWhenLost(errors);
    if (kfx::Failed(lost)) return lost;
    if (selection.find('\0') != std::string::npos) {
        return Refuse(errors, platform::DB_E_ERRORSINCOMMAND,
                      "The selection contains the character U+0000 (NUL), which no SQL statement may contain");
    }
    link_->selection = AllocateOdbcHandle(SQL_HANDLE_STMT, link_->connection.get());
    if (!link_->selection) {
        return Failure({"SQLAllocHandle", SQL_HANDLE_DBC, link_->connection.get()}, kfx::HR_E_FAIL, errors);
    }
    const std::optional<Selected> selected = Answer(
        [text = ToOdbcText(selection)](Link& link) mutable {
            Selected result;
            SQLHSTMT statement = link.selection.get();
            if (!SQL_SUCCEEDED(SQLExecDirectW(statement, text.data(), static_cast<SQLINTEGER>(Units(text))))) {
                result.failedCall = "SQLExecDirectW";
            } else if (const char* call = DescribeResultColumns(statement, &result.columns)) {
                result.failedCall = call;
            } else {
                result.fetched = SQLFetch(statement);
            }
            return result;
        },
        "", errors);
    if (!selected) return platform::E_ADO_CONNECTIONFAILED;
    const SQLHSTMT statement = link_->selection.get();
    if (selected->failedCall) {
        return Failure({selected->failedCall, SQL_HANDLE_STMT, statement},
                       std::string_view(selected->failedCall) == "SQLExecDirectW" ? platform::DB_E_ERRORSINCOMMAND
                                                                                  : kfx::HR_E_FAIL,
                       errors);
    }
    const std::vector<OdbcResultColumn>& columns = selected->columns;
    if (columns.empty()) {
        return Refuse(errors, platform::DB_E_ERRORSINCOMMAND,
                      "'" + selection + "' is not one selection of the columns of a table (SELECT ... FROM ...)");
    }

    Table table;
    std::set<std::string> upperNames;
    for (std::size_t index = 0; index < columns.size(); ++index) {
        const OdbcResultColumn& column = columns[index];
        if (column.baseTable.empty() || column.library.empty()) {
            return Refuse(errors, platform::DB_E_ERRORSINCOMMAND,
                          "The ODBC driver does not tell which table and schema (library) column " +
                              std::to_string(index + 1) + " ('" + column.name +
                              "') of the selection belongs to; set the data source to report extended column "
                              "information");
        }
        if (index > 0 && (column.baseTable != table.name || column.library != table.schema)) {
            return Refuse(errors, platform::DB_E_ERRORSINCOMMAND,
                          "The selection reads more than one table (" + table.schema + "." + table.name + " and " +
                              column.library + "." + column.baseTable + "); rows can be added to one table only");
        }
        table.schema = column.library;
        table.name = column.baseTable;
        const std::optional<ColumnKind> kind = KindOf(column.sqlType);
        if (!kind) {
            return Refuse(errors, platform::DB_E_ERRORSINCOMMAND,
                          "Column " + table.name + "." + column.name + " has the ODBC type " +
                              OdbcTypeText(column.sqlType) +
                              " as the driver reports it, which this provider does not handle (SQL_CHAR, SQL_WCHAR, "
                              "SQL_DECIMAL or SQL_NUMERIC: CHAR(n), NCHAR(n), DECIMAL(p,s) or NUMERIC(p,s))");
        }
        ColumnDescription described;
        described.name = AsciiUpper(column.name);
        described.kind = *kind;
        described.length = static_cast<int>(column.size);
        described.scale = column.digits;
        described.nullable = column.nullable;
        described.updatable = !column.readOnly;
        if (!upperNames.insert(described.name).second) {
            return Refuse(errors, platform::DB_E_ERRORSINCOMMAND,
                          "Table " + table.name + " has two columns named " + described.name +
                              " when case is ignored; this provider names columns in upper case");
        }
        table.declaredNames.push_back(column.baseName.empty() ? column.name : column.baseName);
        table.types.push_back({column.sqlType, column.size, column.digits});
        table.columns.push_back(std::move(described));
    }

    if (SQL_SUCCEEDED(selected->fetched)) {
        return Refuse(errors, platform::DB_E_ERRORSINCOMMAND,
                      "The selection returns rows of " + table.name +
                          "; this provider opens selections only to add rows, so select none (as WHERE 1=0 does)");
    }
    if (selected->fetched != SQL_NO_DATA) return Failure({"SQLFetch", SQL_HANDLE_STMT, statement}, kfx::HR_E_FAIL, errors);

    description->name = table.name;
    description->columns = table.columns;
    description->sessionKey = TableKey(std::move(table));
    return kfx::HR_S_OK;
}

std::size_t OdbcSession::TableKey(Table described) {
    for (std::size_t key = 0; key < link_->tables.size(); ++key) {
        Table& known = link_->tables[key];
        if (known.schema == described.schema && known.name == described.name &&
            known.declaredNames == described.declaredNames) {
            // The latest description counts; statements prepared for the
            // same columns stay.
            known.types = std::move(described.types);
            known.columns = std::move(described.columns);
            return key;
        }
    }
    link_->tables.push_back(std::move(described));
    return link_->tables.size() - 1;
}

OdbcInsert* OdbcSession::InsertStatement(Table& table, ErrorMessages& errors, Result* failed) {
    OdbcInsert& insert = table.inserts[assigned_];
    if (insert.Prepared()) return &insert;
    std::vector<OdbcInsert::Parameter> parameters;
    for (std::size_t column = 0; column < assigned_.size(); ++column) {
        if (assigned_[column]) parameters.push_back(table.types[column]);
    }
    const std::string sql = InsertSql(quote_, table.schema, table.name, table.declaredNames, assigned_);
    const auto prepared = Answer(
        [insert = &insert, sql, parameters = std::move(parameters)](Link& link) mutable {
            return insert->Prepare(link.connection.get(), sql, std::move(parameters));
        },
        "", errors);
    if (!prepared) {
        // The statement stays: the call given up may still use it.
        *failed = platform::E_ADO_CONNECTIONFAILED;
        return nullptr;
    }
    if (const std::optional<OdbcCallFailure>& failure = *prepared) {
        *failed = Failure(*failure, platform::DB_E_ERRORSINCOMMAND, errors);
        table.inserts.erase(assigned_);
        return nullptr;
    }
    return &insert;
}

Result OdbcSession::Insert(const TableDescription& description, const std::vector<std::optional<std::string>>& values,
                           ErrorMessages& errors) {
    const Result lost = RefuseWhenLost(errors);
    if (kfx::Failed(lost)) return lost;
    if (description.sessionKey >= link_->tables.size() || values.size() != description.columns.size()) {
        return Refuse(errors, kfx::HR_E_INVALIDARG, "The row does not fit a table described on this connection");
    }
    Table& table = link_->tables[description.sessionKey];
    assigned_.assign(values.size(), false);
    values_.clear();
    for (std::size_t column = 0; column < values.size(); ++column) {
        if (!values[column]) continue;
        if (!textsHoldNul_ && values[column]->find('\0') != std::string::npos) {
            return Refuse(errors, platform::DB_E_CANTCONVERTVALUE,
                          "The value for column " + description.columns[column].name +
                              " contains the character U+0000 (NUL), which PostgreSQL does not store in a text; "
                              "the row is not written");
        }
        assigned_[column] = true;
        values_.push_back(*values[column]);
    }
    Result failed = kfx::HR_S_OK;
    OdbcInsert* insert = InsertStatement(table, errors, &failed);
    if (!insert) return failed;
    insert->SetValues(values_);
    const auto executed =
        Answer([insert](Link&) { return insert->Execute(); }, "; whether the row was written is not known", errors);
    if (!executed) return platform::E_ADO_CONNECTIONFAILED;
    if (const std::optional<OdbcCallFailure>& failure = *executed) {
        const Result failed = Failure(*failure, kfx::HR_E_FAIL, errors);
        // The table may have changed beneath its statements: they are made anew.
        table.inserts.clear();
        return failed;
    }
    holding_ = commit_ == OdbcCommit::Document;
    return kfx::HR_S_OK;
}

Result OdbcSession::Commit(ErrorMessages& errors) {
    if (!holding_) return kfx::HR_S_OK;
    const Result lost = RefuseWhenLost(errors);
    if (kfx::Failed(lost)) return lost;
    const auto ended = Answer([](Link& link) { return SQLEndTran(SQL_HANDLE_DBC, link.connection.get(), SQL_COMMIT); },
                              "; whether the document's rows were committed is not known", errors);
    if (!ended) return platform::E_ADO_CONNECTIONFAILED;
    if (!SQL_SUCCEEDED(*ended)) {
        return Failure({"SQLEndTran(SQL_COMMIT)", SQL_HANDLE_DBC, link_->connection.get()}, kfx::HR_E_FAIL, errors);
    }
    holding_ = false;
    return kfx::HR_S_OK;
}

bool OdbcSession::Rollback() {
    if (!holding_) return true;
    if (!lostBecause_.empty()) return false;
    ErrorMessages ignored;
    const auto ended =
        Answer([](Link& link) { return SQLEndTran(SQL_HANDLE_DBC, link.connection.get(), SQL_ROLLBACK); }, "", ignored);
    holding_ = !ended || !SQL_SUCCEEDED(*ended);
    return !holding_;
}

Result OdbcSession::ReadRows(const std::string& selection, const std::vector<std::string>& parameters,
                             std::vector<TextRow>* rows, ErrorMessages& errors) {
    const Result lost = RefuseWhenLost(errors);
    if (kfx::Failed(lost)) return lost;
    if (!IsOneSelect(selection)) {
        return Refuse(errors, platform::DB_E_ERRORSINCOMMAND,
                      "'" + selection + "' is not one selection that only reads (SELECT ... FROM ...)");
    }
    // The selection's statement: a call given up keeps it until it returns.
    link_->selection = AllocateOdbcHandle(SQL_HANDLE_STMT, link_->connection.get());
    if (!link_->selection) {
        return Failure({"SQLAllocHandle", SQL_HANDLE_DBC, link_->connection.get()}, kfx::HR_E_FAIL, errors);
    }
    std::optional<SelectedRows> read = Answer(
        [selection, parameters](Link& link) { return ReadSelectedRows(link.selection.get(), selection, parameters); },
        "", errors);
    if (!read) return platform::E_ADO_CONNECTIONFAILED;
    if (read->failedCall) {
        return Failure({read->failedCall, SQL_HANDLE_STMT, link_->selection.get()}, platform::DB_E_ERRORSINCOMMAND,
                       errors);
    }
    *rows = std::move(read->rows);
    return kfx::HR_S_OK;
}

Result OdbcSession::Failure(const OdbcCallFailure& failure, Result otherwise, ErrorMessages& errors) {
    const std::vector<OdbcDiagnostic> diagnostics = ReadDiagnostics(failure.handleType, failure.handle);
    AddDiagnosticMessages(diagnostics, failure.call, errors);
    if (!ReportsConnectionLoss(diagnostics) && !ConnectionDead()) return ResultOfDiagnostics(diagnostics, otherwise);
    lostBecause_ = diagnostics.empty() ? std::string(failure.call) + " failed" : DiagnosticText(diagnostics.front());
    errors.push_back(LostMessage());
    return platform::E_ADO_CONNECTIONFAILED;
}

std::string OdbcSession::LostMessage() const {
    return "The connection to data source '" + dataSource_ +
           "' is lost: nothing more is written through it; the next connection opens it anew";
}

Result OdbcSession::RefuseWhenLost(ErrorMessages& errors) const {
    if (lostBecause_.empty()) return kfx::HR_S_OK;
    return Refuse(errors, platform::E_ADO_CONNECTIONFAILED,
                  "The connection to data source '" + dataSource_ + "' was lost earlier (" + lostBecause_ +
                      "); nothing more is written through it; the next connection opens it anew");
}

bool OdbcSession::Usable() { return lostBecause_.empty() && !ConnectionDead(); }

bool OdbcSession::ConnectionDead() const {
    SQLUINTEGER dead = SQL_CD_FALSE;
    const SQLRETURN rc = SQLGetConnectAttrW(link_->connection.get(), SQL_ATTR_CONNECTION_DEAD, &dead, 0, nullptr);
    return SQL_SUCCEEDED(rc) && dead == SQL_CD_TRUE;
}

}  // namespace dbAx::provider
