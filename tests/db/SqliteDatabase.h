#pragma once

// Tests against the SQLite ODBC driver registered as "SQL Server": each test runs in a fresh
// temporary folder, where the database name of a connection becomes a SQLite file.

#include <gtest/gtest.h>

#include <filesystem>

#include "db/OdbcDatabase.h"
#include "runtime/Text.h"

namespace db {

class SqliteDatabaseTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // The program's own connection: SQL Server authentication with the demo values.
    static bool ConnectDemo(OdbcDatabase& database);
    // The table of the program's statements, with `rows` addresses "http://h/images/down<i>.jpg".
    static void CreateAddressTable(OdbcDatabase& database, int rows = 0);

    std::filesystem::path folder;

  private:
    std::filesystem::path previousFolder;
};

// With the demo connection open on `database` for the whole test.
class ConnectedDatabaseTest : public SqliteDatabaseTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    OdbcDatabase database;
};

}  // namespace db
