#include "demo/AddressTable.h"

#include <sqlite3.h>

#include <memory>

#include "demo/DemoServices.h"

namespace demo {
namespace {

struct CloseDatabase {
    void operator()(sqlite3* database) const { sqlite3_close(database); }
};

// The program's statements name the table's columns in GBK: 日期 and 地址.
constexpr const char* kCreate =
    "CREATE TABLE IF NOT EXISTS [wangzhi]([\xC8\xD5\xC6\xDA] datetime, [\xB5\xD8\xD6\xB7] "
    "varchar(255))";
constexpr const char* kInsert =
    "INSERT INTO [wangzhi]([\xC8\xD5\xC6\xDA], [\xB5\xD8\xD6\xB7]) VALUES(datetime('now'), ?)";

bool Run(sqlite3* database, const char* sql) {
    return sqlite3_exec(database, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

}  // namespace

bool PrepareAddressTable(const std::string& file, const std::string& pictureStorePrefix, int rows) {
    sqlite3* opened = nullptr;
    const int rc = sqlite3_open(file.c_str(), &opened);
    const std::unique_ptr<sqlite3, CloseDatabase> database(opened);
    if (rc != SQLITE_OK || !Run(database.get(), kCreate)) {
        return false;
    }
    sqlite3_stmt* count = nullptr;
    sqlite3_prepare_v2(database.get(), "SELECT count(*) FROM [wangzhi]", -1, &count, nullptr);
    const bool empty = sqlite3_step(count) == SQLITE_ROW && sqlite3_column_int(count, 0) == 0;
    sqlite3_finalize(count);
    if (!empty) {
        return true;
    }
    sqlite3_stmt* insert = nullptr;
    if (sqlite3_prepare_v2(database.get(), kInsert, -1, &insert, nullptr) != SQLITE_OK) {
        return false;
    }
    bool ok = Run(database.get(), "BEGIN");
    // Stored paths are numbered from 900001, apart from the ones the listing hands out.
    for (int row = 1; ok && row <= rows; ++row) {
        const std::string address = pictureStorePrefix + PathFor(900000u + unsigned(row));
        sqlite3_bind_text(insert, 1, address.c_str(), -1, SQLITE_TRANSIENT);
        ok = sqlite3_step(insert) == SQLITE_DONE;
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    return ok && Run(database.get(), "COMMIT");
}

}  // namespace demo
