// LeakSanitizer ignores what the drivers' own libraries leak (driver_leaks.h).
#include "tests/data_access/odbc/driver_leaks.h"

extern "C" const char* __lsan_default_suppressions() { return odbctest::kDriverLeakSuppressions; }
