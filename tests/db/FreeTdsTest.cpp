// The production driver, FreeTDS, registered as "SQL Server" and pointed at a loopback port where
// nothing listens.

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <string>

#include "db/OdbcDatabase.h"
#include "tests/support/odbc/OdbcConfiguration.h"

namespace db {
namespace {

using runtime::Text;

// A loopback port that was free a moment ago: bound, read back and closed again.
int UnusedLoopbackPort() {
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
    close(s);
    return ntohs(address.sin_port);
}

class FreeTdsTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        odbc_test::UseOdbcConfiguration(odbc_test::DriverSetup::FreeTds);
    }

    const Text server = "127.0.0.1," + std::to_string(UnusedLoopbackPort());
};

TEST_F(FreeTdsTest, RefusedConnectFailsQuicklyWithDiagnostics) {
    OdbcDatabase database;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(database.ConnectSqlServer(server, "tlv000000001_db", Text("tlv000000001"),
                                           Text("tv123456")));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));

    const SQLHDBC handle = database.GetConnectionHandle();
    EXPECT_NE(handle, nullptr) << "Handle only";
    Text states;
    Text messages;
    database.GetDiagnostics(&states, &messages);
    ASSERT_GE(states.size(), 5u);
    EXPECT_EQ(states.size() % 5, 0u) << states;
    EXPECT_EQ(states.substr(0, 2), "08") << states << " " << messages;  // connection exception
    EXPECT_NE(messages.find("FreeTDS"), Text::npos) << messages;

    EXPECT_FALSE(database.Execute("INSERT INTO [t] VALUES(1)"));
    EXPECT_FALSE(database.Disconnect());
    EXPECT_EQ(database.GetConnectionHandle(), handle);
    EXPECT_FALSE(database.ConnectSqlServer(server, "tlv000000001_db")) << "the trusted form too";
    EXPECT_EQ(database.GetConnectionHandle(), handle);
}

TEST_F(FreeTdsTest, BrowsingGetsNoList) {
    OdbcDatabase database;
    runtime::TextArray names{"kept"};
    EXPECT_EQ(database.ListDatabases(server, "u", "p", names), 0);
    EXPECT_EQ(database.ListServers(names), 0);
    EXPECT_TRUE(names.empty() || names == runtime::TextArray{"kept"});
}

}  // namespace
}  // namespace db
