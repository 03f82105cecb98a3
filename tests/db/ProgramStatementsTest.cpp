#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/QuoteSqlText.h"
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

Text InsertStatement(const Text& address) {
    return "INSERT INTO [wangzhi]([日期] ,[地址] ) VALUES(getdate(),'" + QuoteSqlText(address) +
           "')";
}

// Ends the quoted address and writes a second row, if the apostrophe gets out.
const Text kInjection = "'),(GETDATE(),char(73,78,74,69,67,84,69,68))--.jpg";

// Each address, inserted as the Get workflow inserts it, is one row holding exactly that
// address. A character-wise doubling takes any byte from 0x80 on together with the next one, so
// it leaves the apostrophe after such a byte single.
TEST_F(ProgramStatementsTest, ApostrophesStayInsideTheAddress) {
    struct Case {
        const char* what;
        Text address;
    };
    std::vector<Case> cases = {
        {"euro sign, the single byte 0x80", "down/\x80" + kInjection},
        {"0xFF, the code page's other single byte above ASCII", "down/\xFF" + kInjection},
        {"a lead byte right before the last apostrophe", "down/x.jpg\x81'"},
        {"a lone lead byte at the end", "down/x'.jp\xFE"},
        {"a double-byte character before the apostrophe", "down/地" + kInjection},
        {"apostrophes in a row", "down/''" + kInjection},
        {"only an apostrophe", "'"},
    };
    for (int byte = 0x01; byte <= 0xFF; ++byte) {
        cases.push_back({"each byte value before an apostrophe",
                         "down/" + Text(1, static_cast<char>(byte)) + kInjection});
    }

    OdbcDatabase database;
    ASSERT_TRUE(ConnectDemo(database));
    CreateAddressTable(database);
    ASSERT_TRUE(database.BeginTransaction());  // one write to the file, not one per row
    int rows = 0;
    for (const Case& c : cases) {
        const Text hex = testing::PrintToString(c.address);
        EXPECT_TRUE(database.Execute(InsertStatement(c.address))) << c.what << ": " << hex;
        rows += 1;
        ASSERT_EQ(database.RecordCount("[wangzhi]"), rows) << c.what << ": " << hex;
        const SQLHSTMT result = database.OpenResult("SELECT [地址] FROM [wangzhi]");
        ASSERT_TRUE(database.FetchLast(result));
        EXPECT_EQ(database.ReadText(result, "地址"), c.address) << c.what;
        database.CloseResult(result);
    }
    EXPECT_EQ(database.RecordCount("[wangzhi]", Text("WHERE [地址] = 'INJECTED'")), 0);
    EXPECT_TRUE(database.Commit());
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
