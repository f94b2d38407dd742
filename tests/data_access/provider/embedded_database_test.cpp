#include "data_access/provider/embedded_database.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "model/interface_files.h"
#include "provider_test_support.h"

namespace dbAx::provider::testing {
namespace {

std::vector<std::string> ColumnNames(const veldmark::InterfaceFile& file) {
    std::vector<std::string> names;
    for (const veldmark::InterfaceColumn& column : file.columns) names.push_back(column.name);
    return names;
}

TEST(EmbeddedDatabase, CreatesTheInterfaceFilesInANewDirectory) {
    TemporaryDirectory directory;
    const std::filesystem::path nested = directory.Path() / "servers" / "s21";
    CreateEmbeddedInterfaceFiles(nested, "apilib");
    EXPECT_TRUE(std::filesystem::is_regular_file(nested / "APILIB.db"));

    const EmbeddedRows header = ReadEmbeddedRows(nested, "ApiLib", "AIP32");
    EXPECT_EQ(header.columns, ColumnNames(veldmark::HeaderFile()));
    EXPECT_TRUE(header.rows.empty());
    const EmbeddedRows lines = ReadEmbeddedRows(nested, "APILIB", "aip33");
    EXPECT_EQ(lines.columns, ColumnNames(veldmark::LineFile()));
}

// The look-up of earlier releases compares the keys without trailing blanks:
// the index must serve that comparison, not merely exist.
TEST(EmbeddedDatabase, IndexesTheKeysAsTheLookUpComparesThem) {
    TemporaryDirectory directory;
    CreateEmbeddedInterfaceFiles(directory.Path(), "APILIB");
    sqlite3* database = nullptr;
    ASSERT_EQ(sqlite3_open((directory.Path() / "APILIB.db").string().c_str(), &database), SQLITE_OK);
    for (const veldmark::InterfaceFile* file : {&veldmark::HeaderFile(), &veldmark::LineFile()}) {
        std::string sql = "EXPLAIN QUERY PLAN SELECT * FROM " + file->name + " WHERE ";
        for (std::size_t i = 0; i < file->keyColumns.size(); ++i) {
            sql += (i ? " AND RTRIM(" : "RTRIM(") + file->keyColumns[i] + ") = ?";
        }
        sqlite3_stmt* plan = nullptr;
        ASSERT_EQ(sqlite3_prepare_v2(database, sql.c_str(), -1, &plan, nullptr), SQLITE_OK) << sql;
        std::string steps;
        while (sqlite3_step(plan) == SQLITE_ROW) steps += reinterpret_cast<const char*>(sqlite3_column_text(plan, 3));
        sqlite3_finalize(plan);
        EXPECT_NE(steps.find("USING INDEX " + file->name + "_KEYS"), std::string::npos) << steps;
    }
    sqlite3_close(database);
}

TEST(EmbeddedDatabase, RefusesToCreateALibraryTwiceOrUnderAnInvalidName) {
    TemporaryDirectory directory;
    CreateEmbeddedInterfaceFiles(directory.Path(), "APILIB");
    try {
        CreateEmbeddedInterfaceFiles(directory.Path(), "apilib");
        FAIL() << "created twice";
    } catch (const EmbeddedDatabaseError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Library 'apilib' exists already ('" + (directory.Path() / "APILIB.db").string() + "')");
    }
    for (const char* name : {"", "1LIB", "LIB/../X", "TOOLONGNAME", "A-B", "A\"B"}) {
        EXPECT_THROW(CreateEmbeddedInterfaceFiles(directory.Path(), name), EmbeddedDatabaseError) << name;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(directory.Path()), {}), 1);
}

TEST(EmbeddedDatabase, LeavesNoHalfMadeLibraryBehind) {
    TemporaryDirectory directory;
    EXPECT_THROW(CreateEmbeddedLibrary(directory.Path(), "BROKEN",
                                       {"CREATE TABLE BROKEN.A (X CHAR(1))", "CREATE TABLE BROKEN.A (Y CHAR(1))"}),
                 EmbeddedDatabaseError);
    EXPECT_TRUE(std::filesystem::is_empty(directory.Path()));
}

TEST(EmbeddedDatabase, ReadingNamesAMissingLibraryOrTable) {
    TemporaryDirectory directory;
    CreateEmbeddedInterfaceFiles(directory.Path(), "APILIB");
    try {
        ReadEmbeddedRows(directory.Path(), "NOLIB", "AIP32");
        FAIL() << "read a missing library";
    } catch (const EmbeddedDatabaseError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Library 'NOLIB' does not exist in '" + directory.Path().string() + "'");
    }
    try {
        ReadEmbeddedRows(directory.Path(), "APILIB", "AIP34");
        FAIL() << "read a missing table";
    } catch (const EmbeddedDatabaseError& error) {
        EXPECT_EQ(std::string(error.what()), "Reading APILIB.AIP34 failed: no such table: AIP34");
    }
}

}  // namespace
}  // namespace dbAx::provider::testing
