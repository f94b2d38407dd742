// One document released through the real release object and the ODBC
// provider into the test server, with stand-in host objects around it: the
// release fixture of the embedded database, pointed at a real server. The
// document's server setting is the test data source, its library a schema
// of the test's own.
#pragma once

#include <functional>
#include <memory>

#include "tests/data_access/odbc/test_schema.h"
#include "tests/data_access/odbc/test_server.h"
#include "tests/support/document_release.h"

namespace odbctest {

class ServerReleaseFixture : public ServerTest, protected testsupport::DocumentRelease {
protected:
    ServerReleaseFixture() : DocumentRelease(u"") {}

    void SetUp() override;
    void TearDown() override;

    // The typical invoice of the embedded tests, into this test's library.
    void AddTypicalInvoiceHere();
    // Releases the typical invoice under its own number, as the next
    // document of a batch, with a message sink of its own; addValues, when
    // given, adds to the document's values before the release.
    kfx::KfxReturnValue ReleaseInvoice(const char16_t* number, const std::function<void()>& addValues = {});

    std::unique_ptr<TestSchema> schema_;
};

}  // namespace odbctest
