// The ODBC API as the provider uses it, from the driver manager's headers.
#pragma once

#include <odbcinst.h>
#include <sql.h>
#include <sqlext.h>
#include <sqlucode.h>
