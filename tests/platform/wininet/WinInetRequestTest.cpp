// What the stand-in puts on the wire: exactly the caller's header lines, nothing duplicated.

#include <gtest/gtest.h>

#include <string>

#include "platform/wininet/WinInet.h"
#include "tests/support/http/RawHttpServer.h"
#include "tests/support/http/WinInetSession.h"

namespace {

using test_support::RawHttpServer;
using test_support::RequestShape;
using test_support::WinInetSession;

const std::string kOk = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok";

class WireTest : public testing::Test {
  protected:
    RawHttpServer server{[](const std::string&) { return kOk; }};

    RequestShape Shape(const std::string& verb, const std::string& path) const {
        RequestShape shape;
        shape.port = server.port();
        shape.verb = verb;
        shape.path = path;
        return shape;
    }
    std::string HostLine() const { return "Host: " + server.authority() + "\r\n"; }
    std::string OnlyRequest() const {
        const auto requests = server.requests();
        return requests.size() == 1 ? requests.front() : "";
    }
};

TEST_F(WireTest, PostWithoutBodySendsTheBlockAndContentLengthZero) {
    WinInetSession session(Shape("POST", "/quality.php?home"));
    ASSERT_TRUE(session.Send("Accept: */*\r\nReferer: http://x/\r\nX-Empty:"));
    EXPECT_EQ(session.ReadAll(), "ok");
    EXPECT_EQ(OnlyRequest(), "POST /quality.php?home HTTP/1.1\r\n" + HostLine() +
                                 "User-Agent: Agent/1\r\n"
                                 "Accept: */*\r\nReferer: http://x/\r\nX-Empty:\r\n"
                                 "Content-Length: 0\r\n\r\n");
}

TEST_F(WireTest, GetAddsNoLinesOfItsOwn) {
    WinInetSession session(Shape("GET", "/a b/\xD6\xD0?x=1"));
    ASSERT_TRUE(session.Send("X-One: 1"));
    session.ReadAll();
    EXPECT_EQ(OnlyRequest(), "GET /a%20b/%D6%D0?x=1 HTTP/1.1\r\n" + HostLine() +
                                 "User-Agent: Agent/1\r\nX-One: 1\r\n\r\n");
}

TEST_F(WireTest, LinesOfTheBlockReplaceTheClientsOwn) {
    RequestShape shape = Shape("POST", "/");
    shape.agent = std::nullopt;
    WinInetSession session(shape);
    ASSERT_TRUE(session.Send(
        "user-agent: Mine\r\naccept: text/html\r\nAccept: */*\r\nContent-Type: text/plain\r\n",
        "abc"));
    session.ReadAll();
    EXPECT_EQ(OnlyRequest(), "POST / HTTP/1.1\r\n" + HostLine() +
                                 "user-agent: Mine\r\naccept: text/html\r\nAccept: */*\r\n"
                                 "Content-Type: text/plain\r\nContent-Length: 3\r\n\r\nabc");
}

TEST_F(WireTest, LargeBodyGoesOutWithoutExpectContinue) {
    const std::string body(200'000, 'b');
    WinInetSession session(Shape("POST", "/up"));
    ASSERT_TRUE(session.Send("Content-Type: application/octet-stream", body));
    EXPECT_EQ(session.ReadAll(), "ok");
    const std::string request = OnlyRequest();
    EXPECT_EQ(request.find("Expect:"), std::string::npos);
    EXPECT_NE(request.find("\r\nContent-Length: 200000\r\n\r\n" + body), std::string::npos);
}

TEST_F(WireTest, HeadCarriesItsBodyAndEndsAfterTheHeaders) {
    WinInetSession session(Shape("HEAD", "/h"));
    ASSERT_TRUE(session.Send("Accept: */*", "k=v"));
    EXPECT_EQ(session.ReadAll(), "");
    EXPECT_EQ(OnlyRequest(), "HEAD /h HTTP/1.1\r\n" + HostLine() +
                                 "User-Agent: Agent/1\r\nAccept: */*\r\n"
                                 "Content-Length: 3\r\n\r\nk=v");
}

TEST(CacheTest, EveryRequestReachesTheServer) {
    RawHttpServer server([](const std::string&) {
        return std::string(
            "HTTP/1.1 200 OK\r\nCache-Control: max-age=3600\r\nContent-Length: 1\r\n\r\nc");
    });
    for (int i = 0; i < 2; ++i) {
        RequestShape shape;
        shape.port = server.port();
        WinInetSession session(shape);
        ASSERT_TRUE(session.Send("Accept: */*"));
        EXPECT_EQ(session.ReadAll(), "c");
    }
    EXPECT_EQ(server.requests().size(), 2u);
}

TEST(ProxyWireTest, PlainRequestsGoToTheHttpProxyInAbsoluteForm) {
    RawHttpServer proxy([](const std::string&) { return kOk; });
    RequestShape shape;
    shape.host = "127.0.0.1";
    shape.port = 9;
    shape.path = "/via";
    shape.proxy = "http=" + proxy.authority();
    WinInetSession session(shape);
    ASSERT_TRUE(session.Send("Accept: */*"));
    EXPECT_EQ(session.ReadAll(), "ok");
    ASSERT_EQ(proxy.requests().size(), 1u);
    EXPECT_EQ(proxy.requests()[0].rfind("GET http://127.0.0.1:9/via HTTP/1.1\r\n", 0), 0u)
        << proxy.requests()[0];
}

TEST(ProxyWireTest, SecureRequestsTunnelThroughABareProxy) {
    RawHttpServer proxy([](const std::string&) {
        return std::string("HTTP/1.1 200 Connection established\r\n\r\n");
    });
    RequestShape shape;
    shape.port = 8443;
    shape.flags |= INTERNET_FLAG_SECURE;
    shape.proxy = proxy.authority();
    WinInetSession session(shape);
    // The fake proxy hangs up after its answer, so the TLS handshake cannot succeed.
    EXPECT_FALSE(session.Send("Accept: */*"));
    ASSERT_EQ(proxy.requests().size(), 1u);
    EXPECT_EQ(proxy.requests()[0].rfind("CONNECT 127.0.0.1:8443 HTTP/1.1\r\n", 0), 0u)
        << proxy.requests()[0];
}

TEST(ProxyWireTest, AnHttpEntryDoesNotServeSecureRequests) {
    RawHttpServer proxy([](const std::string&) { return kOk; });
    RequestShape shape;
    shape.port = test_support::ClosedPort();
    shape.flags |= INTERNET_FLAG_SECURE;
    shape.proxy = "http=" + proxy.authority();
    WinInetSession session(shape);
    EXPECT_FALSE(session.Send("Accept: */*"));
    EXPECT_EQ(GetLastError(), ERROR_INTERNET_CANNOT_CONNECT);
    EXPECT_TRUE(proxy.requests().empty());
}

}  // namespace
