// One document released through the real release object into the embedded
// database, with stand-in host objects around it; host calls and database
// calls can each be made to fail.
#pragma once

#include "tests/support/database_fixture.h"
#include "tests/support/document_release.h"

namespace testsupport {

class ReleaseFixture : public DatabaseFixture, protected DocumentRelease {
protected:
    ReleaseFixture() : DocumentRelease(DataSource()) {}
};

}  // namespace testsupport
