// The plain ODBC side of the benchmarks that write into the PostgreSQL test
// server (scripts/start-test-database): the server named by the variables
// that script prints, a connection with autocommit as an application opens
// it, and one prepared INSERT per interface file, values bound as wide text
// with their columns' types, so that every row is its own commit.
#pragma once

#include <benchmark/benchmark.h>
#include <sql.h>

#include <memory>
#include <string>
#include <vector>

#include "bench/data_access/invoice_rows.h"
#include "data_access/provider/odbc_handles.h"
#include "data_access/provider/odbc_text.h"
#include "model/interface_files.h"

namespace benchdata {

struct OdbcServer {
    std::string dataSource, user, password;
};

// The test server from $VELDMARK_TEST_ODBC_DSN, _USER and _PASSWORD (and
// $ODBCINI); false, after saying on stderr what is missing, when one is unset.
bool ReadOdbcServer(const char* program, OdbcServer* server);

class PlainOdbcConnection {
public:
    // Throws std::runtime_error with the driver's diagnostics.
    explicit PlainOdbcConnection(const OdbcServer& server);
    ~PlainOdbcConnection();
    PlainOdbcConnection(const PlainOdbcConnection&) = delete;
    PlainOdbcConnection& operator=(const PlainOdbcConnection&) = delete;

    void Execute(const std::string& sql);
    // The rows of AIP32 and AIP33 of `library` together.
    long long CountInterfaceRows(const std::string& library);
    SQLHDBC get() const { return connection_.get(); }

private:
    dbAx::provider::OdbcHandle environment_;
    dbAx::provider::OdbcHandle connection_;
};

// One file's insert, prepared with the columns of `columns` (values ignored).
class PlainOdbcInsert {
public:
    PlainOdbcInsert(SQLHDBC connection, const std::string& library, const veldmark::InterfaceFile& file,
                    const Row& columns);
    void Execute(const Row& row);

private:
    struct Type {
        SQLSMALLINT sqlType;
        SQLULEN size;
        SQLSMALLINT digits;
    };
    dbAx::provider::OdbcHandle statement_;
    std::vector<Type> types_;
    std::vector<dbAx::provider::OdbcText> buffers_;
};

// Lines first, then the header, as the release writes them.
void WritePlainly(PlainOdbcConnection& connection, const std::string& library, const std::vector<Invoice>& invoices);

// A schema of the run's own holding empty interface files, dropped at the end.
class OdbcBenchLibrary {
public:
    OdbcBenchLibrary(const OdbcServer& server, std::string name);
    ~OdbcBenchLibrary();
    OdbcBenchLibrary(const OdbcBenchLibrary&) = delete;
    OdbcBenchLibrary& operator=(const OdbcBenchLibrary&) = delete;

    const std::string& Name() const { return name_; }
    void Empty();

private:
    PlainOdbcConnection connection_;
    std::string name_;
};

// What a benchmark program on the test server writes into: the server read
// and the library made by its main, before the benchmarks run.
OdbcServer& BenchServer();
std::unique_ptr<OdbcBenchLibrary>& BenchLibrary();

// A run counts only when every row arrived: fails `state` unless the bench
// library holds `rows` rows.
void CheckRowsWritten(benchmark::State& state, long long rows);

}  // namespace benchdata
