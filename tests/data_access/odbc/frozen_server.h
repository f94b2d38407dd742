// The test server made to answer nothing, as a hung machine would: every
// process of it stopped (SIGSTOP), PostgreSQL's postmaster and all its
// children, MariaDB's one process. It still accepts connections into the
// kernel's queue. Its processes go on again when Resume is called or the
// object goes, however the test ends. Linux only: /proc and signals.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <vector>

#include "tests/data_access/odbc/admin_connection.h"
#include "tests/data_access/odbc/scoped_variable.h"
#include "tests/data_access/odbc/test_server.h"

namespace odbctest {

class FrozenServer {
public:
    // admin: a connection to the server, through which PostgreSQL's
    // processes are found.
    FrozenServer(const TestServer& server, AdminConnection& admin);
    ~FrozenServer() { Resume(); }
    FrozenServer(const FrozenServer&) = delete;
    FrozenServer& operator=(const FrozenServer&) = delete;

    void Freeze();
    void Resume();
    std::size_t Processes() const { return processes_.size(); }

private:
    std::vector<pid_t> processes_;
    bool frozen_ = false;
};

// Small timeouts, so that a server that answers nothing costs little; the
// programs started meanwhile inherit them.
struct TwoSecondTimeouts {
    ScopedVariable login{"VELDMARK_ODBC_LOGIN_TIMEOUT", "2"};
    ScopedVariable query{"VELDMARK_ODBC_QUERY_TIMEOUT", "2"};
};

}  // namespace odbctest
