// What the provider tests share: a temporary database directory, and
// connections and recordsets of the real provider environment on it.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "data_access/platform/database.h"

namespace dbAx::provider::testing {

using platform::Text;

// A fresh directory that is removed with everything in it at the end.
class TemporaryDirectory {
public:
    TemporaryDirectory();
    ~TemporaryDirectory();
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

Text Utf16(const std::string& text);
std::string Utf8(const Text& text);

// "Provider=IBMDA400;Data source=sqlite:<directory>;"
Text EmbeddedConnectionText(const std::filesystem::path& directory);

// The texts of a connection's error records.
std::vector<std::string> ErrorTexts(platform::Connection& connection);

// The default environment, started for each test, with a library TESTLIB
// holding the interface files in a temporary directory.
class EmbeddedProviderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // An open connection to the temporary directory.
    std::unique_ptr<platform::Connection> Connect();
    // A recordset opened on the selection, the way the layer above opens one.
    std::unique_ptr<platform::Recordset> OpenRecordset(platform::Connection& connection, const std::string& selection);
    platform::Field& FieldOf(platform::Recordset& recordset, const std::string& name);

    TemporaryDirectory directory_;
    platform::Environment* environment_ = nullptr;
};

}  // namespace dbAx::provider::testing
