#include "tests/support/odbc/GetDate.h"

#include <sqlite3.h>

#include <cstdio>
#include <ctime>

namespace odbc_test {
namespace {

// The server's local date and time, as SQL Server's datetime prints it.
void GetDate(sqlite3_context* context, int, sqlite3_value**) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm local{};
    localtime_r(&now.tv_sec, &local);
    char seconds[32];
    strftime(seconds, sizeof seconds, "%Y-%m-%d %H:%M:%S", &local);
    char text[48];
    snprintf(text, sizeof text, "%s.%03ld", seconds, now.tv_nsec / 1000000);
    sqlite3_result_text(context, text, -1, SQLITE_TRANSIENT);
}

int RegisterGetDate(sqlite3* database, char**, const sqlite3_api_routines*) {
    return sqlite3_create_function(database, "getdate", 0, SQLITE_UTF8, nullptr, GetDate, nullptr,
                                   nullptr);
}

}  // namespace

void AddGetDateToSqlite() {
    // SQLite's hook takes its callbacks as void(*)(void); it calls them with the real signature.
    sqlite3_auto_extension(reinterpret_cast<void (*)()>(RegisterGetDate));
}

}  // namespace odbc_test
