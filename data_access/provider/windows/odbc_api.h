// The ODBC API as the provider uses it, from odbc32's headers, which want the
// Windows headers before them.
#pragma once

#include "host/windows_api.h"

#include <odbcinst.h>
#include <sql.h>
#include <sqlext.h>
#include <sqlucode.h>
