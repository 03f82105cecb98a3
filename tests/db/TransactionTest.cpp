#include <gtest/gtest.h>

#include "tests/db/SqliteDatabase.h"

namespace db {
namespace {

using runtime::Text;
using runtime::TextArray;

class TransactionTest : public ConnectedDatabaseTest {
  protected:
    void SetUp() override {
        ConnectedDatabaseTest::SetUp();
        ASSERT_TRUE(database.Execute("CREATE TABLE [t]([a] integer)"));
    }

    // What a second connection to the same file sees: only what was committed.
    int CommittedRows() {
        OdbcDatabase other;
        EXPECT_TRUE(ConnectDemo(other));
        return other.RecordCount("[t]");
    }
};

TEST_F(TransactionTest, RollbackUndoesAndAutocommitComesBack) {
    ASSERT_TRUE(database.BeginTransaction());
    ASSERT_TRUE(database.Execute("INSERT INTO [t] VALUES(1)"));
    ASSERT_TRUE(database.Execute("INSERT INTO [t] VALUES(2)"));
    EXPECT_EQ(database.RecordCount("[t]"), 2) << "visible inside the transaction";
    EXPECT_TRUE(database.Rollback());
    EXPECT_EQ(database.RecordCount("[t]"), 0);
    ASSERT_TRUE(database.Execute("INSERT INTO [t] VALUES(3)"));
    EXPECT_EQ(CommittedRows(), 1) << "committed at once after the rollback";
}

TEST_F(TransactionTest, CommitKeepsAndAutocommitComesBack) {
    ASSERT_TRUE(database.BeginTransaction());
    ASSERT_TRUE(database.Execute("INSERT INTO [t] VALUES(1)"));
    EXPECT_TRUE(database.Commit());
    EXPECT_EQ(CommittedRows(), 1);
    ASSERT_TRUE(database.Execute("INSERT INTO [t] VALUES(2)"));
    EXPECT_EQ(CommittedRows(), 2);
}

TEST(TransactionWithoutConnectionTest, IsRefused) {
    OdbcDatabase database;
    EXPECT_FALSE(database.BeginTransaction());
    EXPECT_FALSE(database.Commit());
    EXPECT_FALSE(database.Rollback());
    EXPECT_EQ(database.GetConnectionHandle(), nullptr);
}

using ConnectionAttributeTest = SqliteDatabaseTest;

TEST_F(ConnectionAttributeTest, TimeoutBeforeConnectingUsesTheSameHandle) {
    OdbcDatabase database;
    EXPECT_TRUE(database.SetConnectionTimeout(7));
    const SQLHDBC handle = database.GetConnectionHandle();
    ASSERT_NE(handle, nullptr);
    EXPECT_TRUE(ConnectDemo(database));
    EXPECT_EQ(database.GetConnectionHandle(), handle);
    EXPECT_TRUE(database.Execute("SELECT 1"));
    EXPECT_TRUE(database.Disconnect());
}

TEST_F(ConnectionAttributeTest, ReadingTheTimeoutAllocatesTheHandle) {
    OdbcDatabase database;
    database.GetConnectionTimeout();
    EXPECT_NE(database.GetConnectionHandle(), nullptr);
    EXPECT_FALSE(database.Disconnect()) << "Handle only";
}

using DiagnosticsTest = SqliteDatabaseTest;

TEST_F(DiagnosticsTest, RecordsOfAFailedConnectAreAppended) {
    OdbcDatabase database;
    ASSERT_FALSE(database.ConnectSqlServer("s", "no/such/folder/x.db", Text("u"), Text("p")));
    Text states = "old:";
    Text messages = "old:";
    database.GetDiagnostics(&states, &messages);
    ASSERT_GT(states.size(), 4u);
    EXPECT_EQ((states.size() - 4) % 5, 0u) << states;
    EXPECT_EQ(states.substr(0, 4), "old:");
    EXPECT_GT(messages.size(), 4u);
    const Text firstStates = states.substr(4);
    const Text firstMessages = messages.substr(4);
    database.GetDiagnostics(&states, &messages);
    EXPECT_EQ(states, "old:" + firstStates + firstStates) << "the same records again";
    EXPECT_EQ(messages, "old:" + firstMessages + firstMessages);
    database.GetDiagnostics();
}

TEST_F(DiagnosticsTest, NothingToReport) {
    OdbcDatabase database;
    Text states = "s";
    Text messages = "m";
    EXPECT_EQ(database.GetDiagnostics(&states, &messages), 0) << "no connection handle";
    ASSERT_TRUE(ConnectDemo(database));
    ASSERT_TRUE(database.Execute("SELECT 1"));
    EXPECT_EQ(database.GetDiagnostics(&states, &messages), 0);
    EXPECT_EQ(states, "s");
    EXPECT_EQ(messages, "m");
}

using SqliteBrowseTest = SqliteDatabaseTest;

// The SQLite driver does not browse: the driver manager refuses and the answer is empty.
TEST_F(SqliteBrowseTest, RefusedBrowseLeavesTheListAlone) {
    OdbcDatabase database;
    EXPECT_EQ(database.BrowseConnect("Driver={SQL Server}"), "");
    EXPECT_NE(database.GetConnectionHandle(), nullptr);
    TextArray names{"kept"};
    EXPECT_EQ(database.ListServers(names), 0);
    EXPECT_EQ(database.ListDatabases("127.0.0.1", "u", "p", names), 0);
    EXPECT_EQ(names, TextArray{"kept"});
    EXPECT_TRUE(ConnectDemo(database)) << "the handle still connects";
}

}  // namespace
}  // namespace db
