#include <gtest/gtest.h>

#include "tests/db/SqliteDatabase.h"

namespace db {
namespace {

using runtime::Text;

using ProgramStatementsTest = SqliteDatabaseTest;

// The Get workflow's write and fallback read, with its statements verbatim.
TEST_F(ProgramStatementsTest, InsertThenReadBackFromTheLastRow) {
    OdbcDatabase database;
    ASSERT_TRUE(ConnectDemo(database));
    CreateAddressTable(database);
    for (const Text address : {"http://127.0.0.1:18080/images/down1aaaaaaaaaaaaaaa.jpg",
                               "http://127.0.0.1:18080/images/down2bbbbbbbbbbbbbbb.png",
                               "http://127.0.0.1:18080/images/down3ccccccccccccccc.jpg"}) {
        EXPECT_TRUE(database.Execute("INSERT INTO [wangzhi]([日期] ,[地址] ) VALUES(getdate(),'" +
                                     address + "')"));
    }
    EXPECT_TRUE(database.Disconnect());
    EXPECT_TRUE(std::filesystem::exists(folder / "tlv000000001_db"));

    ASSERT_TRUE(ConnectDemo(database));
    const SQLHSTMT result = database.OpenResult("SELECT [地址] FROM [wangzhi]");
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(database.ColumnName(result, 0), "地址");
    ASSERT_TRUE(database.FetchLast(result));
    EXPECT_EQ(database.ReadText(result, "地址"),
              "http://127.0.0.1:18080/images/down3ccccccccccccccc.jpg");
    ASSERT_TRUE(database.FetchPrior(result));
    EXPECT_EQ(database.ReadText(result, "地址"),
              "http://127.0.0.1:18080/images/down2bbbbbbbbbbbbbbb.png");
    ASSERT_TRUE(database.FetchPrior(result));
    EXPECT_EQ(database.ReadText(result, "地址"),
              "http://127.0.0.1:18080/images/down1aaaaaaaaaaaaaaa.jpg");
    EXPECT_FALSE(database.FetchPrior(result)) << "stepped off the first row";
    EXPECT_EQ(database.ReadText(result, "地址"), "") << "no current row";
    EXPECT_TRUE(database.FetchNext(result)) << "from before the first row to the first";
    EXPECT_TRUE(database.CloseResult(result));
    EXPECT_TRUE(database.Disconnect());
}

TEST_F(ProgramStatementsTest, DateColumnHoldsTheServersDate) {
    OdbcDatabase database;
    ASSERT_TRUE(ConnectDemo(database));
    CreateAddressTable(database, 1);
    const SQLHSTMT result = database.OpenResult("SELECT [日期], [地址] FROM [wangzhi]");
    ASSERT_TRUE(database.FetchNext(result));
    const Text date = database.ReadText(result, "日期");
    EXPECT_EQ(date.size(), 23u) << date;  // YYYY-MM-DD hh:mm:ss.mmm
    EXPECT_EQ(database.FindColumn(result, "地址"), 1);
    database.CloseResult(result);
}

}  // namespace
}  // namespace db
