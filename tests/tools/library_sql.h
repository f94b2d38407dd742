// Writing straight into a library of the embedded database, as a release
// would have written.
#pragma once

#include <sqlite3.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

namespace standin::testing {

inline void ExecuteInLibrary(const std::filesystem::path& directory, const std::string& library, const std::string& sql) {
    sqlite3* database = nullptr;
    ASSERT_EQ(sqlite3_open((directory / (library + ".db")).string().c_str(), &database), SQLITE_OK);
    char* error = nullptr;
    EXPECT_EQ(sqlite3_exec(database, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
    sqlite3_free(error);
    sqlite3_close(database);
}

}  // namespace standin::testing
