#pragma once

namespace odbc_test {

enum class DriverSetup {
    Sqlite,    // the SQLite ODBC driver registered as "SQL Server"
    FreeTds,   // FreeTDS registered as "SQL Server"
    Scripted,  // the scripted test driver registered as "SQL Server" and as the Access drivers
};

// Points the driver manager at the project's own odbcinst.ini for `setup` and an empty odbc.ini.
// The driver manager reads this once, so call it before the process's first ODBC call.
void UseOdbcConfiguration(DriverSetup setup);

}  // namespace odbc_test
