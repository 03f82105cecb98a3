#pragma once

// The demo's stand-in for the remote table: a SQLite file, reached by the program through the
// SQLite ODBC driver registered as "SQL Server".

#include <string>

namespace demo {

// Creates the table [wangzhi]([日期], [地址]) in the file when it is missing, with `rows` stored
// picture addresses under `pictureStorePrefix` so that a fallback has something to show. False
// when the file cannot be opened or written.
bool PrepareAddressTable(const std::string& file, const std::string& pictureStorePrefix, int rows);

}  // namespace demo
