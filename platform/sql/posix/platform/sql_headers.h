// The ODBC headers of the driver manager (unixODBC).
#pragma once

#include <sql.h>
#include <sqlext.h>
#include <sqlucode.h>
