// Against a driver of our own, registered as "SQL Server" and as the two Access drivers, that
// records what it receives and gives the browse answers chosen here.

#include <gtest/gtest.h>

#include <cstdlib>

#include "db/OdbcDatabase.h"
#include "tests/support/odbc/OdbcConfiguration.h"

namespace db {
namespace {

using runtime::Text;
using runtime::TextArray;

class ScriptedDriverTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        odbc_test::UseOdbcConfiguration(odbc_test::DriverSetup::Scripted);
    }
    void SetUp() override {
        unsetenv("TOLVANE_TEST_CONNECT_STRING");
        unsetenv("TOLVANE_TEST_BROWSE_REQUEST");
        unsetenv("TOLVANE_TEST_BROWSE_ANSWER");
    }

    static Text Received(const char* name) {
        const char* value = getenv(name);
        return value ? value : "(nothing)";
    }
    static void Answer(const Text& answer) {
        setenv("TOLVANE_TEST_BROWSE_ANSWER", answer.c_str(), 1);
    }

    OdbcDatabase database;
};

TEST_F(ScriptedDriverTest, ConnectionStringsArriveLetterForLetter) {
    struct Case {
        bool (*connect)(OdbcDatabase&);
        Text expected;
    };
    const Case cases[] = {
        {[](OdbcDatabase& d) { return d.ConnectSqlServer("srv", "tlv000000001_db"); },
         "Driver=SQL Server;Server=srv;Database=tlv000000001_db;Trusted_Connection=Yes;"
         "Connect Timeout=90"},
        {[](OdbcDatabase& d) {
             return d.ConnectSqlServer("srv", "db", Text("tlv000000001"), Text("tv123456"));
         },
         "driver={sql server};server=srv;database=db;uid=tlv000000001;pwd=tv123456"},
        {[](OdbcDatabase& d) { return d.ConnectSqlServer("srv", "db", Text("me"), std::nullopt); },
         "driver={sql server};server=srv;database=db;uid=me;pwd="},
        {[](OdbcDatabase& d) { return d.ConnectSqlServer("srv", "db", Text(""), std::nullopt); },
         "driver={sql server};server=srv;database=db;uid=;pwd="},
        {[](OdbcDatabase& d) { return d.ConnectSqlServer("srv", "db", std::nullopt, Text("pw")); },
         "driver={sql server};server=srv;database=db;uid=;pwd=pw"},
        {[](OdbcDatabase& d) { return d.ConnectAccess("/data/a.mdb"); },
         "DBQ=/data/a.mdb;Pwd=;DRIVER={Microsoft Access Driver (*.mdb)};"},
        {[](OdbcDatabase& d) { return d.ConnectAccess("/data/a.accdb", "pw", true); },
         "ODBC;DSN=MS Access Database;DBQ=/data/a.accdb;Driver={Microsoft Access Driver (*.mdb, "
         "*.accdb)};;DriverId=25;FIL=MS Access;MaxBufferSize=2048;PageTimeout=5;PWD=pw"},
        {[](OdbcDatabase& d) { return d.ConnectAccess("/data/a.mdb", "pw", false); },
         "DBQ=/data/a.mdb;Pwd=pw;DRIVER={Microsoft Access Driver (*.mdb)};"},
    };
    for (const Case& c : cases) {
        unsetenv("TOLVANE_TEST_CONNECT_STRING");
        EXPECT_FALSE(c.connect(database)) << "the scripted driver refuses every connection";
        EXPECT_EQ(Received("TOLVANE_TEST_CONNECT_STRING"), c.expected);
    }
}

// The driver manager rewrites the driver keyword of the request that loads the driver; a browse
// already under way passes the requests on as they are.
TEST_F(ScriptedDriverTest, BrowseRequestsReachTheDriver) {
    TextArray names;
    database.ListServers(names);
    EXPECT_EQ(Received("TOLVANE_TEST_BROWSE_REQUEST"), "Driver=SQL Server;");
    database.ListDatabases("srv", "tlv000000001", "tv123456", names);
    EXPECT_EQ(Received("TOLVANE_TEST_BROWSE_REQUEST"),
              "Driver={SQL Server};SERVER=srv;UID=tlv000000001;PWD=tv123456");
    OdbcDatabase fresh;
    fresh.ListDatabases("srv", "tlv000000001", "tv123456", names);
    EXPECT_EQ(Received("TOLVANE_TEST_BROWSE_REQUEST"),
              "Driver=SQL Server;SERVER=srv;UID=tlv000000001;PWD=tv123456;");
    Answer("  SERVER:Server={a,b}  ");
    EXPECT_EQ(database.BrowseConnect("DRIVER={SQL Server};x=y"), "SERVER:Server={a,b}");
    EXPECT_EQ(Received("TOLVANE_TEST_BROWSE_REQUEST"), "DRIVER={SQL Server};x=y");
}

TEST_F(ScriptedDriverTest, ServerListIsTheFirstBraceGroup) {
    struct Case {
        Text answer;
        TextArray names;
    };
    const Case cases[] = {
        {"SERVER:Server={alpha,beta\\sql};UID:Login ID=?;PWD:Password=?", {"alpha", "beta\\sql"}},
        {"UID:Login ID={x};SERVER:Server={a,b}", {"x"}},
        {"SERVER:Server={ one , two ,,three}", {" one ", " two ", "", "three"}},
        {"SERVER:Server={only}", {"only"}},
        {"SERVER:Server={}", {}},
        {"SERVER:Server=?", {}},
        {"SERVER:Server={open", {}},
    };
    for (const Case& c : cases) {
        Answer(c.answer);
        TextArray names{"old"};
        EXPECT_EQ(database.ListServers(names), static_cast<int>(c.names.size())) << c.answer;
        EXPECT_EQ(names, c.names) << c.answer;
    }
}

TEST_F(ScriptedDriverTest, DatabaseListNeedsItsMarker) {
    Answer("DATABASE:Database={master,tlv000000001_db};LANGUAGE:Language=?");
    TextArray names{"old"};
    EXPECT_EQ(database.ListDatabases("srv", "u", "p", names), 2);
    EXPECT_EQ(names, (TextArray{"master", "tlv000000001_db"}));

    Answer("SERVER:Server={a,b}");
    EXPECT_EQ(database.ListDatabases("srv", "u", "p", names), 0) << "server level answer";
    EXPECT_TRUE(names.empty()) << "emptied when the marker is missing";
    Answer("database:Database={a,b}");
    names = {"old"};
    EXPECT_EQ(database.ListDatabases("srv", "u", "p", names), 0) << "the marker is case-sensitive";
    EXPECT_TRUE(names.empty());

    Answer("DATABASE:Database={a,b}");
    names = {"old"};
    EXPECT_EQ(database.ListServers(names), 0);
    EXPECT_TRUE(names.empty());
}

TEST_F(ScriptedDriverTest, EmptyAnswerKeepsTheList) {
    for (const Text answer : {"", "     "}) {
        Answer(answer);
        TextArray names{"a", "b"};
        EXPECT_EQ(database.ListServers(names), 0);
        EXPECT_EQ(database.ListDatabases("srv", "u", "p", names), 0);
        EXPECT_EQ(names, (TextArray{"a", "b"}));
    }
    EXPECT_NE(database.GetConnectionHandle(), nullptr) << "browsing left Handle only";
}

TEST_F(ScriptedDriverTest, ConnectCountsSuccessWithInfo) {
    setenv("TOLVANE_TEST_CONNECT_RESULT", "1", 1);  // SQL_SUCCESS_WITH_INFO
    EXPECT_TRUE(database.Connect("Driver={SQL Server}"));
    EXPECT_TRUE(database.Disconnect());
    unsetenv("TOLVANE_TEST_CONNECT_RESULT");
}

// Values whose remaining length the driver does not tell arrive whole all the same.
TEST_F(ScriptedDriverTest, ValuesOfUntoldLengthArriveWhole) {
    setenv("TOLVANE_TEST_CONNECT_RESULT", "0", 1);
    ASSERT_TRUE(database.Connect("Driver={SQL Server}"));
    unsetenv("TOLVANE_TEST_CONNECT_RESULT");
    for (const std::size_t size : {0u, 1u, 254u, 255u, 256u, 1000u, 10240u, 10241u, 25000u}) {
        Text value(size, 'v');
        for (std::size_t i = 0; i < size; i += 97) {
            value[i] = static_cast<char>('a' + i % 26);
        }
        setenv("TOLVANE_TEST_VALUE", value.c_str(), 1);
        const SQLHSTMT result = database.OpenResult("SELECT value");
        ASSERT_NE(result, nullptr);
        ASSERT_TRUE(database.FetchNext(result));
        EXPECT_EQ(database.ReadTextAt(result, 0), value) << size;
        EXPECT_EQ(database.ReadBytesAt(result, 1), runtime::Bytes(value.begin(), value.end()))
            << size;
        EXPECT_TRUE(database.CloseResult(result));
    }
    unsetenv("TOLVANE_TEST_VALUE");
    EXPECT_TRUE(database.Disconnect());
}

}  // namespace
}  // namespace db
