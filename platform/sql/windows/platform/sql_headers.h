// The ODBC headers of Windows' driver manager, which need the system's types first.
#pragma once

#include <windows.h>
// (the ODBC headers after windows.h)
#include <sql.h>
#include <sqlext.h>
#include <sqlucode.h>
