#pragma once

namespace odbc_test {

// Adds T-SQL's getdate() to every SQLite database opened afterwards in this process, the ones the
// SQLite ODBC driver opens included: the program's INSERT relies on it.
void AddGetDateToSqlite();

}  // namespace odbc_test
