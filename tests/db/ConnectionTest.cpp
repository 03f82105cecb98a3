#include <gtest/gtest.h>

#include "tests/db/SqliteDatabase.h"

namespace db {
namespace {

using runtime::Text;

using ConnectionTest = SqliteDatabaseTest;

TEST_F(ConnectionTest, DisconnectRightAfterConstructionLeavesIdle) {
    OdbcDatabase database;
    EXPECT_FALSE(database.Disconnect());
    EXPECT_EQ(database.GetConnectionHandle(), nullptr);
}

TEST_F(ConnectionTest, BothSqlServerFormsReachTheDriver) {
    OdbcDatabase database;
    EXPECT_TRUE(database.ConnectSqlServer("127.0.0.1", "trusted.db"));
    EXPECT_TRUE(database.Disconnect());
    EXPECT_EQ(database.GetConnectionHandle(), nullptr);
    EXPECT_TRUE(database.ConnectSqlServer("127.0.0.1", "login.db", Text(""), std::nullopt));
    EXPECT_TRUE(database.Disconnect());
    EXPECT_TRUE(std::filesystem::exists(folder / "trusted.db"));
    EXPECT_TRUE(std::filesystem::exists(folder / "login.db"));
}

TEST_F(ConnectionTest, FailedConnectKeepsItsHandleForTheNext) {
    OdbcDatabase database;
    // A database file in a folder that does not exist cannot be opened.
    EXPECT_FALSE(
        database.ConnectSqlServer("127.0.0.1", "no/such/folder/x.db", Text("u"), Text("p")));
    const SQLHDBC handle = database.GetConnectionHandle();
    ASSERT_NE(handle, nullptr) << "Handle only";
    EXPECT_FALSE(database.Disconnect()) << "never connected";
    EXPECT_EQ(database.GetConnectionHandle(), handle);
    EXPECT_FALSE(database.Execute("SELECT 1"));

    EXPECT_TRUE(ConnectDemo(database));
    EXPECT_EQ(database.GetConnectionHandle(), handle);
    EXPECT_TRUE(database.Execute("SELECT 1"));
    EXPECT_TRUE(database.Disconnect());
    EXPECT_EQ(database.GetConnectionHandle(), nullptr);
}

TEST_F(ConnectionTest, SecondConnectIsRefusedAndTheFirstStays) {
    OdbcDatabase database;
    ASSERT_TRUE(ConnectDemo(database));
    ASSERT_TRUE(database.Execute("CREATE TABLE [t]([a] integer)"));
    EXPECT_FALSE(database.ConnectSqlServer("127.0.0.1", "other.db", Text("u"), Text("p")));
    EXPECT_TRUE(database.Execute("INSERT INTO [t] VALUES(1)"));
    EXPECT_FALSE(std::filesystem::exists(folder / "other.db"));
    EXPECT_TRUE(database.Disconnect());
}

TEST_F(ConnectionTest, DestroyedWhileConnectedDisconnectsFirst) {
    {
        OdbcDatabase database;
        ASSERT_TRUE(ConnectDemo(database));
        ASSERT_TRUE(database.Execute("CREATE TABLE [t]([a] integer)"));
        ASSERT_TRUE(database.BeginTransaction());
        ASSERT_TRUE(database.Execute("INSERT INTO [t] VALUES(1)"));
    }
    // The uncommitted row went with the connection; the leak checker sees the handles freed.
    OdbcDatabase database;
    ASSERT_TRUE(ConnectDemo(database));
    EXPECT_EQ(database.RecordCount("[t]"), 0);
}

TEST(ConnectionWithoutDriverTest, AccessFormsNeedTheirDrivers) {
    OdbcDatabase database;
    EXPECT_FALSE(database.ConnectAccess("/nonexistent/file.mdb"));
    EXPECT_FALSE(database.ConnectAccess("/nonexistent/file.accdb", "pw", true));
    EXPECT_FALSE(database.Connect(""));
}

}  // namespace
}  // namespace db
