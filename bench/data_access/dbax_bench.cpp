// Adding the rows of 2,000 invoices of 10 lines through the dbAx recordset
// against a plain baseline: prepared statements, one commit per row, on the
// same embedded database files.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <filesystem>
#include <stdexcept>

#include "bench/data_access/invoice_rows.h"
#include "bench/support/ratio_reporter.h"
#include "data_access/ax_connection.h"
#include "data_access/ax_library.h"
#include "data_access/ax_recordset.h"
#include "data_access/provider/embedded_database.h"
#include "host/utf8.h"

namespace {

constexpr int kInvoices = 2000;
constexpr int kLinesEach = 10;

const std::vector<benchdata::Invoice>& Invoices() {
    static const auto invoices = benchdata::MakeInvoices(kInvoices, kLinesEach);
    return invoices;
}

std::filesystem::path FreshDatabase() {
    const auto directory = std::filesystem::temp_directory_path() / "veldmark-dbax-bench";
    std::filesystem::remove_all(directory);
    dbAx::provider::CreateEmbeddedInterfaceFiles(directory, "APLIB");
    return directory;
}

void Check(int rc, sqlite3* db, const char* what) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE) throw std::runtime_error(std::string(what) + ": " + sqlite3_errmsg(db));
}

// The baseline: one prepared insert per file, executed and committed per row.
void InsertPlain(sqlite3* db, const char* table, sqlite3_stmt*& statement, const benchdata::Row& row) {
    if (!statement) {
        std::string columns, marks;
        for (const auto& [column, value] : row) {
            columns += (columns.empty() ? "" : ",") + column;
            marks += marks.empty() ? "?" : ",?";
        }
        const std::string sql = "INSERT INTO " + std::string(table) + " (" + columns + ") VALUES (" + marks + ")";
        Check(sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr), db, "prepare");
    }
    int index = 1;
    for (const auto& [column, value] : row)
        sqlite3_bind_text(statement, index++, value.c_str(), static_cast<int>(value.size()), SQLITE_STATIC);
    Check(sqlite3_step(statement), db, "insert");
    sqlite3_reset(statement);
}

void BM_baseline_prepared_statements(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        const auto directory = FreshDatabase();
        sqlite3* db = nullptr;
        Check(sqlite3_open((directory / "APLIB.db").string().c_str(), &db), db, "open");
        Check(sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr), db, "journal");
        state.ResumeTiming();
        sqlite3_stmt* header = nullptr;
        sqlite3_stmt* line = nullptr;
        for (const benchdata::Invoice& invoice : Invoices()) {
            for (const benchdata::Row& row : invoice.lines) InsertPlain(db, "AIP33", line, row);
            InsertPlain(db, "AIP32", header, invoice.header);
        }
        sqlite3_finalize(header);
        sqlite3_finalize(line);
        sqlite3_close(db);
    }
    state.SetItemsProcessed(state.iterations() * kInvoices * (kLinesEach + 1));
}

void Assign(dbAx::CAxRecordset& recordset, const benchdata::Row& row) {
    for (const auto& [column, value] : row) {
        kfx::Text text = kfx::FromUtf8(value);
        recordset.SetField(kfx::FromUtf8(column), text);
    }
}

void OpenFile(dbAx::CAxRecordset& recordset, dbAx::CAxConnection& connection, const char16_t* sql) {
    recordset.replacementChar = 0;
    recordset.Create();
    recordset.CursorType(0);
    recordset.CacheSize(1);
    recordset.Open(sql, &connection);
    recordset.MarshalOptions(1);
}

void BM_recordset(benchmark::State& state) {
    dbAx::AxLibInit();
    for (auto _ : state) {
        state.PauseTiming();
        const auto directory = FreshDatabase();
        state.ResumeTiming();
        dbAx::CAxConnection connection;
        connection.Create();
        connection.CursorLocation(3);
        connection.Open(u"Provider=IBMDA400;Data source=sqlite:" + kfx::FromUtf8(directory.string()) + u";", u"",
                        u"");
        dbAx::CAxRecordset header, lines;
        OpenFile(header, connection, u"SELECT * FROM APLIB.AIP32 WHERE 1=0");
        OpenFile(lines, connection, u"SELECT * FROM APLIB.AIP33 WHERE 1=0");
        for (const benchdata::Invoice& invoice : Invoices()) {
            for (const benchdata::Row& row : invoice.lines) {
                lines.AddNew();
                Assign(lines, row);
                lines.Update();
            }
            header.AddNew();
            Assign(header, invoice.header);
            header.Update();
        }
    }
    dbAx::AxLibClose();
    state.SetItemsProcessed(state.iterations() * kInvoices * (kLinesEach + 1));
}

BENCHMARK(BM_baseline_prepared_statements)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK(BM_recordset)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

}  // namespace

int main(int argc, char** argv) { return benchsupport::RunWithRatios(argc, argv, "BM_baseline"); }
