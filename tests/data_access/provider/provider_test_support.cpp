#include "provider_test_support.h"

#include <random>
#include <stdexcept>

#include "data_access/provider/default_environment.h"
#include "data_access/provider/embedded_database.h"
#include "data_access/provider/utf8_path.h"
#include "host/utf8.h"

namespace dbAx::provider::testing {

TemporaryDirectory::TemporaryDirectory() {
    std::random_device random;
    for (;;) {
        path_ = std::filesystem::temp_directory_path() / ("provider-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(path_)) return;
    }
}

TemporaryDirectory::~TemporaryDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

Text Utf16(const std::string& text) { return kfx::FromUtf8(text); }

std::string Utf8(const Text& text) { return kfx::ToUtf8(text); }

Text EmbeddedConnectionText(const std::filesystem::path& directory) {
    return Utf16("Provider=IBMDA400;Data source=sqlite:" + Utf8FromPath(directory) + ";");
}

std::vector<std::string> ErrorTexts(platform::Connection& connection) {
    platform::Errors* errors = nullptr;
    EXPECT_EQ(connection.GetErrors(&errors), kfx::HR_S_OK);
    std::int32_t count = 0;
    EXPECT_EQ(errors->Count(&count), kfx::HR_S_OK);
    std::vector<std::string> texts;
    for (std::int32_t index = 0; index < count; ++index) {
        platform::ErrorRecord record;
        EXPECT_EQ(errors->Item(index, &record), kfx::HR_S_OK);
        texts.push_back(Utf8(record.description));
    }
    return texts;
}

void EmbeddedProviderTest::SetUp() {
    environment_ = &DefaultEnvironment();
    ASSERT_TRUE(kfx::Succeeded(environment_->Initialize()));
    CreateEmbeddedInterfaceFiles(directory_.Path(), "TESTLIB");
}

void EmbeddedProviderTest::TearDown() { environment_->Uninitialize(); }

std::unique_ptr<platform::Connection> EmbeddedProviderTest::Connect() {
    std::unique_ptr<platform::Connection> connection;
    EXPECT_EQ(environment_->CreateConnection(&connection), kfx::HR_S_OK);
    EXPECT_EQ(connection->Open(EmbeddedConnectionText(directory_.Path()), u"", u"", platform::adOptionUnspecified),
              kfx::HR_S_OK);
    return connection;
}

std::unique_ptr<platform::Recordset> EmbeddedProviderTest::OpenRecordset(platform::Connection& connection,
                                                                         const std::string& selection) {
    std::unique_ptr<platform::Recordset> recordset;
    EXPECT_EQ(environment_->CreateRecordset(&recordset), kfx::HR_S_OK);
    EXPECT_EQ(recordset->Open(Utf16(selection), &connection, platform::adOpenForwardOnly, platform::adLockOptimistic,
                              platform::adOptionUnspecified),
              kfx::HR_S_OK)
        << ::testing::PrintToString(ErrorTexts(connection));
    return recordset;
}

platform::Field& EmbeddedProviderTest::FieldOf(platform::Recordset& recordset, const std::string& name) {
    platform::Fields* fields = nullptr;
    EXPECT_EQ(recordset.GetFields(&fields), kfx::HR_S_OK);
    platform::Field* field = nullptr;
    if (!fields || fields->Item(Utf16(name), &field) != kfx::HR_S_OK) throw std::runtime_error("no field " + name);
    return *field;
}

}  // namespace dbAx::provider::testing
