// What the ODBC drivers' own libraries leak, as LeakSanitizer suppressions:
// the PostgreSQL driver (psqlodbc 13) a few hundred bytes for each connection
// the server ends (a plain program that frees every handle shows the same),
// and OpenSSL, which libpq logs in with, the state it keeps for each thread
// that logs in (the provider logs in on a thread of the connection's own).
// Leaks of our own still fail the tests.
#pragma once

namespace odbctest {

inline constexpr const char* kDriverLeakSuppressions = "leak:psqlodbcw.so\nleak:libcrypto.so\n";

}  // namespace odbctest
