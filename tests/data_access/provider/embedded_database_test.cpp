#include "data_access/provider/embedded_database.h"

#include <gtest/gtest.h>

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
