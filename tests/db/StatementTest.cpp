#include <gtest/gtest.h>

#include <optional>

#include "tests/db/SqliteDatabase.h"

namespace db {
namespace {

using runtime::Bytes;
using runtime::Text;

class StatementTest : public ConnectedDatabaseTest {
  protected:
    void SetUp() override {
        ConnectedDatabaseTest::SetUp();
        ASSERT_TRUE(database.Execute("CREATE TABLE [t]([a] blob, [b] blob, [c] blob)"));
    }
};

TEST_F(StatementTest, BindingStopsAtTheFirstOmittedParameter) {
    const Bytes one{1, 1};
    const Bytes three{3, 3, 3};
    // Parameter 3 is not bound, so the statement lacks a value and the driver refuses it.
    EXPECT_FALSE(database.ExecuteWithBinaryParams("INSERT INTO [t] VALUES(?, NULL, ?)", nullptr,
                                                  one, std::nullopt, three));
    std::int32_t rows = -1;
    EXPECT_TRUE(database.ExecuteWithBinaryParams("INSERT INTO [t]([a]) VALUES(?)", &rows, one,
                                                 std::nullopt, three));
    EXPECT_EQ(rows, 1);
    EXPECT_TRUE(database.ExecuteWithBinaryParams("INSERT INTO [t] VALUES(?, ?, ?)", nullptr, one,
                                                 Bytes(), three));
    const SQLHSTMT result = database.OpenResult("SELECT * FROM [t]");
    ASSERT_TRUE(database.FetchLast(result));
    EXPECT_EQ(database.ReadBytes(result, "a"), one);
    EXPECT_EQ(database.ReadBytes(result, "b"), Bytes());
    EXPECT_EQ(database.ReadBytes(result, "c"), three);
    database.CloseResult(result);
    EXPECT_EQ(database.RecordCount("[t]"), 2);
}

TEST_F(StatementTest, PreparedStatementWithBoundParameters) {
    const Bytes a{'a', 0, 'a'};
    const Bytes c(5000, 0xC3);
    const SQLHSTMT insert = database.PrepareResult("INSERT INTO [t]([a], [c]) VALUES(?, ?)");
    ASSERT_NE(insert, nullptr);
    EXPECT_TRUE(database.BindBinaryParam(insert, 1, a));
    EXPECT_TRUE(database.BindBinaryParam(insert, 2, c));
    EXPECT_TRUE(database.ExecutePrepared(insert));
    EXPECT_TRUE(database.ExecutePrepared(insert)) << "the bindings hold for a second execution";
    EXPECT_TRUE(database.CloseResult(insert));

    const SQLHSTMT query = database.PrepareResult("SELECT [a], [c] FROM [t]");
    ASSERT_TRUE(database.ExecutePrepared(query));
    EXPECT_FALSE(database.FetchLast(query)) << "forward-only cursor";
    ASSERT_TRUE(database.FetchNext(query));
    EXPECT_EQ(database.ReadBytesAt(query, 0), a);
    EXPECT_EQ(database.ReadBytesAt(query, 1), c);
    EXPECT_TRUE(database.FetchNext(query));
    EXPECT_FALSE(database.FetchNext(query));
    database.CloseResult(query);
}

TEST_F(StatementTest, ResultsOnlyOnPlainSuccess) {
    std::int32_t rows = 77;
    EXPECT_FALSE(database.Execute("UPDATE [t] SET [a] = 1", &rows)) << "no row matched";
    EXPECT_EQ(rows, 0);
    EXPECT_FALSE(database.Execute("SELEKT 1"));
    EXPECT_EQ(database.OpenResult("SELECT * FROM [missing]"), nullptr);
    EXPECT_EQ(database.PrepareResult("SELECT * FROM [missing]"), nullptr);
    ASSERT_TRUE(database.Execute("INSERT INTO [t]([a]) VALUES(1)"));
    ASSERT_TRUE(database.Execute("INSERT INTO [t]([a]) VALUES(2)"));
    EXPECT_TRUE(database.Execute("UPDATE [t] SET [b] = 1", &rows));
    EXPECT_EQ(rows, 2);
}

TEST_F(StatementTest, RecordCount) {
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(database.Execute("INSERT INTO [t]([a]) VALUES(" + std::to_string(i) + ")"));
    }
    EXPECT_EQ(database.RecordCount("[t]"), 5);
    EXPECT_EQ(database.RecordCount("[t]", Text("where [a] >= 3")), 2);
    EXPECT_EQ(database.RecordCount("[t]", Text("")), 5);
    EXPECT_EQ(database.RecordCount("[missing]"), 0);
    EXPECT_EQ(database.RecordCount("[t]", Text("where")), 0) << "a broken clause";
}

TEST_F(StatementTest, FetchMovesOverBothEnds) {
    for (int i = 1; i <= 4; ++i) {
        ASSERT_TRUE(database.Execute("INSERT INTO [t]([a]) VALUES(" + std::to_string(i) + ")"));
    }
    const SQLHSTMT result = database.OpenResult("SELECT [a] FROM [t]");
    EXPECT_TRUE(database.FetchAbsolute(result, -2));
    EXPECT_EQ(database.ReadIntAt(result, 0), 3);
    EXPECT_TRUE(database.FetchFirst(result));
    EXPECT_EQ(database.ReadIntAt(result, 0), 1);
    EXPECT_TRUE(database.FetchAbsolute(result, 4));
    EXPECT_EQ(database.ReadIntAt(result, 0), 4);
    EXPECT_FALSE(database.FetchNext(result));
    EXPECT_TRUE(database.FetchPrior(result)) << "from after the last row to the last";
    EXPECT_EQ(database.ReadIntAt(result, 0), 4);
    EXPECT_FALSE(database.FetchAbsolute(result, 9));
    database.CloseResult(result);
}

TEST(StatementWithoutConnectionTest, FailsCleanly) {
    OdbcDatabase database;
    std::int32_t rows = 5;
    EXPECT_FALSE(database.Execute("SELECT 1", &rows));
    EXPECT_EQ(rows, 5);
    EXPECT_FALSE(database.ExecuteWithBinaryParams("SELECT ?", &rows, Bytes{1}));
    EXPECT_EQ(database.OpenResult("SELECT 1"), nullptr);
    EXPECT_EQ(database.PrepareResult("SELECT 1"), nullptr);
    EXPECT_EQ(database.RecordCount("[t]"), 0);
}

}  // namespace
}  // namespace db
