#include "tests/data_access/odbc/server_release_fixture.h"

#include "data_access/provider/default_environment.h"
#include "host/utf8.h"

namespace odbctest {

void ServerReleaseFixture::SetUp() {
    ServerTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    schema_ = std::make_unique<TestSchema>(server_);
    document_.connectString = kfx::FromUtf8(server_.dataSource);
    document_.userName = kfx::FromUtf8(server_.user);
    document_.password = kfx::FromUtf8(server_.password);
    dbAx::DefaultEnvironment().Initialize();
}

void ServerReleaseFixture::TearDown() {
    if (!schema_) return;
    dbAx::DefaultEnvironment().Uninitialize();
    schema_.reset();
}

void ServerReleaseFixture::AddTypicalInvoiceHere() {
    AddTypicalInvoice();
    Remove(u"APILibrary");
    Add(u"APILibrary", kfx::FromUtf8(schema_->Library()));
}

kfx::KfxReturnValue ServerReleaseFixture::ReleaseInvoice(const char16_t* number,
                                                           const std::function<void()>& addValues) {
    sink_ = std::make_shared<standin::MessageSink>();
    document_.values.clear();
    AddTypicalInvoiceHere();
    Remove(u"AIP32.INVN32");
    Add(u"AIP32.INVN32", number);
    if (addValues) addValues();
    return Release();
}

}  // namespace odbctest
