// How long the ODBC provider waits for a data source: to log in, and for the
// answer to each call that goes to the server. A server that stops answering
// would otherwise hold the release for ever without a word.
//
// The defaults are those of the real system's database objects (connection
// timeout 15 seconds, command timeout 30): a healthy server logs in and
// inserts a row in well under a second, and a busy IBM i under a journal or
// a lock gets ample room before it is given up. Each can be set, in whole
// seconds from 1 to 86400, by the environment, or else by a key of the data
// source's entry in odbc.ini:
//
//     VELDMARK_ODBC_LOGIN_TIMEOUT   or   VeldmarkLoginTimeout = 15
//     VELDMARK_ODBC_QUERY_TIMEOUT   or   VeldmarkQueryTimeout = 30
//
// The environment wins, so that one run can differ from the site's setting.
#pragma once

#include <chrono>
#include <string_view>

#include "data_access/provider/backend.h"

namespace dbAx::provider {

struct OdbcTimeouts {
    std::chrono::seconds login{15};
    std::chrono::seconds query{30};
};

// The timeouts for the data source; a setting that is not a whole number of
// seconds in range fails with a message naming where it was set.
Result ReadOdbcTimeouts(std::string_view dataSource, OdbcTimeouts* timeouts, ErrorMessages& errors);

// "15 seconds", "1 second".
std::string SecondsText(std::chrono::seconds seconds);

}  // namespace dbAx::provider
