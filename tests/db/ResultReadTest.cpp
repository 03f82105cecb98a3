#include <gtest/gtest.h>

#include <sqlext.h>

#include "runtime/BytesOps.h"
#include "tests/db/SqliteDatabase.h"

namespace db {
namespace {

using runtime::Bytes;
using runtime::Text;

Bytes Pattern(std::size_t size) {
    Bytes b(size);
    for (std::size_t i = 0; i < size; ++i) {
        b[i] = static_cast<std::uint8_t>(i * 7 + 1);
    }
    return b;
}

class ResultReadTest : public ConnectedDatabaseTest {
  protected:
    void SetUp() override {
        ConnectedDatabaseTest::SetUp();
        ASSERT_TRUE(database.Execute(
            "CREATE TABLE [values]([name] varchar(2000), [data] blob, [number] integer, "
            "[ratio] double)"));
    }

    // The only row of the table, current.
    SQLHSTMT OpenRow() {
        const SQLHSTMT result = database.OpenResult("SELECT * FROM [values]");
        EXPECT_TRUE(database.FetchNext(result));
        return result;
    }
};

TEST_F(ResultReadTest, LongValuesArriveWhole) {
    const Text longText = Text(998, 'x') + "码";  // 1000 bytes, ending in a double-byte character
    const Bytes longBinary = Pattern(20000);
    ASSERT_TRUE(database.ExecuteWithBinaryParams("INSERT INTO [values]([data]) VALUES(?)", nullptr,
                                                 longBinary));
    ASSERT_TRUE(database.Execute("UPDATE [values] SET [name] = '" + longText + "'"));
    const SQLHSTMT result = OpenRow();
    EXPECT_EQ(database.ReadTextAt(result, 0), longText);
    EXPECT_EQ(database.ReadBytes(result, "data"), longBinary);
    EXPECT_EQ(database.ReadTextAt(result, 0), "") << "a column is read once per row";
    EXPECT_EQ(database.ReadBytesAt(result, 1), Bytes()) << "a column is read once per row";
    database.CloseResult(result);
}

TEST_F(ResultReadTest, ValuesAtTheFirstPieceBoundary) {
    for (const std::size_t size : {0u, 1u, 253u, 254u, 255u, 256u, 509u}) {
        const Text value(size, 'a');
        database.Execute("DELETE FROM [values]");  // false while there is no row
        ASSERT_TRUE(database.Execute("INSERT INTO [values]([name]) VALUES('" + value + "')"));
        const SQLHSTMT result = OpenRow();
        EXPECT_EQ(database.ReadText(result, "name").size(), size);
        database.CloseResult(result);
    }
    for (const std::size_t size : {1u, 10239u, 10240u, 10241u, 30000u}) {
        const Bytes value = Pattern(size);
        database.Execute("DELETE FROM [values]");
        ASSERT_TRUE(database.ExecuteWithBinaryParams("INSERT INTO [values]([data]) VALUES(?)",
                                                     nullptr, value));
        const SQLHSTMT result = OpenRow();
        EXPECT_EQ(database.ReadBytes(result, "data"), value) << size;
        database.CloseResult(result);
    }
}

TEST_F(ResultReadTest, NullsAndMissingColumnsReadAsEmptyOrZero) {
    ASSERT_TRUE(database.Execute("INSERT INTO [values]([name]) VALUES(NULL)"));
    const SQLHSTMT result = OpenRow();
    EXPECT_EQ(database.ReadTextAt(result, 0), "");
    EXPECT_EQ(database.ReadBytesAt(result, 1), Bytes());
    EXPECT_EQ(database.ReadIntAt(result, 2), 0);
    EXPECT_EQ(database.ReadDoubleAt(result, 3), 0);
    EXPECT_EQ(database.ReadIntAt(result, 4), 0) << "past the last column";
    EXPECT_EQ(database.ReadText(result, "Name"), "") << "names compare with letter case";
    EXPECT_EQ(database.ReadInt(result, "nope"), 0);
    EXPECT_EQ(database.FindColumn(result, "Name"), -1);
    database.CloseResult(result);
}

TEST_F(ResultReadTest, NumbersAndColumnDescriptions) {
    ASSERT_TRUE(database.Execute(
        "INSERT INTO [values]([name], [number], [ratio]) VALUES('7', -123456, 2.5)"));
    const SQLHSTMT result = OpenRow();
    EXPECT_EQ(database.ColumnCount(result), 4);
    EXPECT_EQ(database.ColumnName(result, 3), "ratio");
    EXPECT_EQ(database.ColumnName(result, 4), "");
    EXPECT_EQ(database.ColumnType(result, 0), SQL_LONGVARCHAR) << "-1: the sign survives";
    EXPECT_EQ(database.ColumnSize(result, 0), 2000);
    EXPECT_TRUE(database.ColumnNullable(result, 0));
    EXPECT_EQ(database.ColumnType(result, 9), 0);
    EXPECT_FALSE(database.ColumnNullable(result, 9));
    EXPECT_EQ(database.ReadInt(result, "number"), -123456);
    EXPECT_EQ(database.ReadFloat(result, "ratio"), 2.5f);
    EXPECT_EQ(database.ReadDouble(result, "ratio"), 2.5);
    EXPECT_EQ(database.ReadIntAt(result, 0), 7) << "the driver converts text to a number";
    database.CloseResult(result);
}

TEST_F(ResultReadTest, ZeroHandleReadsNothing) {
    EXPECT_EQ(database.ReadTextAt(nullptr, 0), "");
    EXPECT_EQ(database.ReadBytesAt(nullptr, 0), Bytes());
    EXPECT_EQ(database.ReadIntAt(nullptr, 0), 0);
    EXPECT_EQ(database.ColumnCount(nullptr), 0);
    EXPECT_EQ(database.FindColumn(nullptr, ""), -1);
    EXPECT_FALSE(database.FetchNext(nullptr));
    EXPECT_FALSE(database.CloseResult(nullptr));
}

}  // namespace
}  // namespace db
