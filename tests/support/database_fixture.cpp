#include "tests/support/database_fixture.h"

#include <sqlite3.h>

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <stdexcept>

#include "data_access/provider/default_environment.h"
#include "data_access/provider/embedded_database.h"
#include "host/utf8.h"

namespace testsupport {
namespace {

std::filesystem::path NewDirectory() {
    static std::atomic<int> counter{0};
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::filesystem::path directory = std::filesystem::temp_directory_path() /
                                      ("veldmark-" + std::to_string(::getpid()) + "-" +
                                       std::to_string(counter++) + "-" + (test ? test->name() : "test"));
    std::filesystem::remove_all(directory);
    return directory;
}

void Execute(const std::filesystem::path& directory, const std::string& sql) {
    sqlite3* db = nullptr;
    const std::string file = (directory / "APLIB.db").string();
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot open " + file);
    }
    sqlite3_busy_timeout(db, 5000);
    char* error = nullptr;
    const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
    const std::string message = error ? error : "";
    sqlite3_free(error);
    sqlite3_close(db);
    if (rc != SQLITE_OK) throw std::runtime_error(sql + ": " + message);
}

}  // namespace

DatabaseFixture::DatabaseFixture()
    : directory_(NewDirectory()), faults_(dbAx::DefaultEnvironment(), plan_), scoped_(faults_) {
    // Started beneath the fault plan, so that tests see only their own calls.
    dbAx::DefaultEnvironment().Initialize();
    dbAx::provider::CreateEmbeddedInterfaceFiles(directory_, "APLIB");
}

DatabaseFixture::~DatabaseFixture() {
    dbAx::DefaultEnvironment().Uninitialize();
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
}

kfx::Text DatabaseFixture::DataSource() const { return u"sqlite:" + kfx::FromUtf8(directory_.string()); }

kfx::Text DatabaseFixture::ConnectionText() const { return u"Provider=IBMDA400;Data source=" + DataSource() + u";"; }

std::vector<std::vector<std::string>> DatabaseFixture::Rows(const std::string& file,
                                                           const std::vector<std::string>& columns) const {
    const dbAx::provider::EmbeddedRows read = dbAx::provider::ReadEmbeddedRows(directory_, "APLIB", file);
    std::vector<std::size_t> positions;
    for (const std::string& column : columns) {
        auto found = std::find(read.columns.begin(), read.columns.end(), column);
        if (found == read.columns.end()) throw std::invalid_argument(file + " has no column " + column);
        positions.push_back(static_cast<std::size_t>(found - read.columns.begin()));
    }
    std::vector<std::vector<std::string>> rows;
    for (const auto& row : read.rows) {
        std::vector<std::string>& picked = rows.emplace_back();
        for (std::size_t position : positions) picked.push_back(row[position]);
    }
    return rows;
}

std::size_t DatabaseFixture::RowCount(const std::string& file) const {
    return dbAx::provider::ReadEmbeddedRows(directory_, "APLIB", file).rows.size();
}

void DatabaseFixture::DropTable(const std::string& file) const { Execute(directory_, "DROP TABLE " + file); }

void DatabaseFixture::ClearFiles() const { Execute(directory_, "DELETE FROM AIP32; DELETE FROM AIP33;"); }

void DatabaseFixture::RefuseRows(const std::string& file) const {
    Execute(directory_, "CREATE TRIGGER refuse_" + file + " BEFORE INSERT ON " + file +
                            " BEGIN SELECT RAISE(ABORT, 'the server refuses rows of " + file + "'); END");
}

}  // namespace testsupport
