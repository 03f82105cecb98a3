#pragma once

// The ODBC 3 interface: odbc32.dll on Windows, the unixODBC driver manager elsewhere. The
// Windows headers must come before the SDK's sql.h, which uses their types.

#if defined(_WIN32)
#include <windows.h>
#endif
#include <sql.h>
#include <sqlext.h>
