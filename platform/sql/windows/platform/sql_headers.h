// The ODBC headers of Windows' driver manager, which need the system's types first.
#pragma once

#include <sql.h>
#include <sqlext.h>
#include <sqlucode.h>
#include <windows.h>
