// Preloaded into the demo's program (LD_PRELOAD), so that the SQLite database standing in for
// SQL Server knows getdate() there too; the program itself never adds it.
#include "tests/support/odbc/GetDate.h"

namespace {

[[gnu::constructor]] void AddGetDateAtLoad() {
    odbc_test::AddGetDateToSqlite();
}

}  // namespace
