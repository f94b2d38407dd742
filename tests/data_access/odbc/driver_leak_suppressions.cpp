// The PostgreSQL ODBC driver (psqlodbc 13) leaks a few hundred bytes for each
// connection that the server ends: a plain program that frees every handle
// shows the same. LeakSanitizer is told to ignore what that driver
// allocates, so that leaks of our own still fail these tests.
extern "C" const char* __lsan_default_suppressions() { return "leak:psqlodbcw.so\n"; }
