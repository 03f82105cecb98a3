#include "tests/db/SqliteDatabase.h"

#include <unistd.h>

#include <string>

#include "tests/support/odbc/GetDate.h"
#include "tests/support/odbc/OdbcConfiguration.h"

namespace db {

void SqliteDatabaseTest::SetUpTestSuite() {
    odbc_test::UseOdbcConfiguration(odbc_test::DriverSetup::Sqlite);
    odbc_test::AddGetDateToSqlite();
}

void SqliteDatabaseTest::SetUp() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tolvane-db-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder = pattern;
    previousFolder = std::filesystem::current_path();
    std::filesystem::current_path(folder);
}

void SqliteDatabaseTest::TearDown() {
    std::filesystem::current_path(previousFolder);
    std::filesystem::remove_all(folder);
}

bool SqliteDatabaseTest::ConnectDemo(OdbcDatabase& database) {
    return database.ConnectSqlServer("127.0.0.1", "tlv000000001_db", "tlv000000001", "tv123456");
}

void SqliteDatabaseTest::CreateAddressTable(OdbcDatabase& database, int rows) {
    ASSERT_TRUE(database.Execute("CREATE TABLE [wangzhi]([日期] datetime, [地址] varchar(255))"));
    for (int i = 1; i <= rows; ++i) {
        ASSERT_TRUE(
            database.Execute("INSERT INTO [wangzhi]([日期] ,[地址] ) VALUES(getdate(),'"
                             "http://h/images/down" +
                             std::to_string(i) + ".jpg')"));
    }
}

void ConnectedDatabaseTest::SetUp() {
    SqliteDatabaseTest::SetUp();
    ASSERT_TRUE(ConnectDemo(database));
}

void ConnectedDatabaseTest::TearDown() {
    database.Disconnect();
    SqliteDatabaseTest::TearDown();
}

}  // namespace db
