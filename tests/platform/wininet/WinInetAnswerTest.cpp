// How the stand-in hands out answers: raw headers, the body in the caller's chunks, cookies,
// redirects, TLS and the ways an exchange fails.

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <map>
#include <memory>
#include <string>

#include "platform/wininet/WinInet.h"
#include "platform/wininet/WinInetTestSeam.h"
#include "tests/support/http/LoopbackServer.h"
#include "tests/support/http/RawHttpServer.h"
#include "tests/support/http/TestCertificates.h"
#include "tests/support/http/WinInetSession.h"

namespace {

using test_support::RawHttpServer;
using test_support::RequestShape;
using test_support::WinInetSession;

std::string Answer(const std::string& head, const std::string& body) {
    return "HTTP/1.1 200 OK\r\n" + head + "Content-Length: " + std::to_string(body.size()) +
           "\r\nConnection: close\r\n\r\n" + body;
}

// The path of a request line.
std::string PathOf(const std::string& request) {
    const std::size_t start = request.find(' ') + 1;
    return request.substr(start, request.find(' ', start) - start);
}

RequestShape ShapeFor(int port, const std::string& path, DWORD flags = INTERNET_FLAG_RELOAD) {
    RequestShape shape;
    shape.port = port;
    shape.path = path;
    shape.flags = flags;
    return shape;
}

TEST(RawHeadersTest, TooSmallABufferStaysUntouched) {
    const std::string head = "HTTP/1.1 200 OK\r\nSet-Cookie: a=1\r\nContent-Length: 0\r\n\r\n";
    RawHttpServer server([&](const std::string&) { return head; });
    WinInetSession session(ShapeFor(server.port(), "/"));
    ASSERT_TRUE(session.Send("Accept: */*"));
    EXPECT_EQ(session.RawHeaders(), head);

    std::string buffer(head.size(), '#');
    DWORD length = static_cast<DWORD>(buffer.size());
    EXPECT_FALSE(HttpQueryInfoA(session.request(), HTTP_QUERY_RAW_HEADERS_CRLF, buffer.data(),
                                &length, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(length, head.size() + 1);
    EXPECT_EQ(buffer, std::string(head.size(), '#'));
}

TEST(RawHeadersTest, BareLineFeedsComeBackAsCrLf) {
    RawHttpServer server([](const std::string&) {
        return std::string("HTTP/1.1 200 OK\nX-A: 1\nContent-Length: 1\n\nz");
    });
    WinInetSession session(ShapeFor(server.port(), "/"));
    ASSERT_TRUE(session.Send(""));
    EXPECT_EQ(session.ReadAll(), "z");
    EXPECT_EQ(session.RawHeaders(), "HTTP/1.1 200 OK\r\nX-A: 1\r\nContent-Length: 1\r\n\r\n");
}

TEST(ReadTest, HandsOutTheBodyInTheCallersChunkSize) {
    std::string body;
    for (int i = 0; i < 300'000; ++i) {
        body += static_cast<char>('a' + i % 26);
    }
    RawHttpServer server([&](const std::string&) { return Answer("", body); });
    for (const DWORD chunk : {DWORD{1024}, DWORD{7}, DWORD{1'000'000}}) {
        WinInetSession session(ShapeFor(server.port(), "/"));
        ASSERT_TRUE(session.Send(""));
        std::string got;
        std::string buffer(chunk, '\0');
        DWORD read = 0;
        while (InternetReadFile(session.request(), buffer.data(), chunk, &read) && read != 0) {
            if (got.size() + chunk <= body.size()) {
                ASSERT_EQ(read, chunk) << "a short read before the end, chunk " << chunk;
            }
            got.append(buffer.data(), read);
        }
        EXPECT_EQ(read, 0u);
        EXPECT_EQ(got, body) << "chunk " << chunk;
    }
}

TEST(ReadTest, AServerClosingMidBodyEndsTheReadsWithAFailure) {
    RawHttpServer server([](const std::string&) {
        return std::string("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\npartial");
    });
    WinInetSession session(ShapeFor(server.port(), "/"));
    ASSERT_TRUE(session.Send(""));
    char buffer[1024];
    DWORD read = 0;
    ASSERT_TRUE(InternetReadFile(session.request(), buffer, sizeof buffer, &read));
    EXPECT_EQ(std::string(buffer, read), "partial");
    EXPECT_FALSE(InternetReadFile(session.request(), buffer, sizeof buffer, &read));
    EXPECT_EQ(read, 0u);
}

TEST(FailureTest, ARefusedConnectionFailsTheSend) {
    WinInetSession session(ShapeFor(test_support::ClosedPort(), "/"));
    EXPECT_FALSE(session.Send("Accept: */*"));
    EXPECT_EQ(GetLastError(), ERROR_INTERNET_CANNOT_CONNECT);
    EXPECT_FALSE(session.RawHeaders());
    EXPECT_EQ(GetLastError(), ERROR_HTTP_HEADER_NOT_FOUND);
    EXPECT_EQ(session.ReadAll(), "");
}

TEST(FailureTest, AServerThatNeverAnswersTimesOut) {
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    RawHttpServer server([released](const std::string&) {
        released.wait();
        return std::string();
    });
    WinInetSession session(ShapeFor(server.port(), "/"));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(session.Send("Accept: */*"));
    EXPECT_EQ(GetLastError(), ERROR_INTERNET_TIMEOUT);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::seconds(30));
    EXPECT_LT(waited, std::chrono::seconds(40));
    release.set_value();
}

// Sets the stand-in's request time limit for one test and puts the old one back.
class ScopedRequestTimeLimit {
  public:
    explicit ScopedRequestTimeLimit(std::chrono::milliseconds limit)
        : replaced_(InternetSetRequestTimeLimit(static_cast<unsigned long>(limit.count()))) {}
    ScopedRequestTimeLimit(const ScopedRequestTimeLimit&) = delete;
    ScopedRequestTimeLimit& operator=(const ScopedRequestTimeLimit&) = delete;
    ~ScopedRequestTimeLimit() { InternetSetRequestTimeLimit(replaced_); }

  private:
    unsigned long replaced_;
};

// A byte every 100 ms never lets the 30 s idle time-out strike; the total limit ends the request.
TEST(FailureTest, ATricklingAnswerEndsAtTheRequestTimeLimit) {
    using namespace std::chrono_literals;
    const ScopedRequestTimeLimit limit(1s);
    const std::string head = "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n";
    RawHttpServer server([&](const std::string&) { return head + std::string(1000, 'x'); });
    server.Trickle(head.size() + 3, 100ms);
    WinInetSession session(ShapeFor(server.port(), "/"));
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(session.Send(""));
    std::string got;
    char buffer[1024];
    DWORD read = 0;
    while (InternetReadFile(session.request(), buffer, sizeof buffer, &read) && read > 0) {
        got.append(buffer, read);
    }
    EXPECT_EQ(GetLastError(), ERROR_INTERNET_TIMEOUT);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, 900ms);
    EXPECT_LT(waited, 5s);
    EXPECT_GE(got.size(), 3u);
    EXPECT_LT(got.size(), 100u);
    EXPECT_EQ(got, std::string(got.size(), 'x'));
}

TEST(FailureTest, AGarbageAnswerFailsTheSend) {
    RawHttpServer server([](const std::string&) { return std::string("garbage\r\n\r\n"); });
    WinInetSession session(ShapeFor(server.port(), "/"));
    EXPECT_FALSE(session.Send(""));
    EXPECT_EQ(session.ReadAll(), "");
}

TEST(FailureTest, HandlesAreCheckedAndMayCloseInAnyOrder) {
    int unrelated = 0;
    EXPECT_FALSE(InternetCloseHandle(&unrelated));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(InternetConnectA(&unrelated, "h", 80, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0),
              nullptr);

    HINTERNET internet = InternetOpenA("a", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    EXPECT_EQ(
        InternetConnectA(internet, nullptr, 80, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0),
        nullptr);
    HINTERNET connection =
        InternetConnectA(internet, "127.0.0.1", 80, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0);
    // A connection handle is no request handle.
    EXPECT_FALSE(HttpSendRequestA(connection, nullptr, 0, nullptr, 0));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    HINTERNET request =
        HttpOpenRequestA(connection, "GET", "/", "HTTP/1.1", nullptr, nullptr, 0, 0);
    EXPECT_TRUE(InternetCloseHandle(internet));
    EXPECT_TRUE(InternetCloseHandle(connection));
    EXPECT_TRUE(InternetCloseHandle(request));
    EXPECT_FALSE(InternetCloseHandle(request));
}

// Paths of the cookie server: /set/<name> sets <name>=v; every request's Cookie line is kept.
class CookieStoreTest : public testing::Test {
  protected:
    std::map<std::string, std::string> cookieLines;
    RawHttpServer server{[this](const std::string& request) {
        const std::string path = PathOf(request);
        const std::size_t at = request.find("\r\nCookie: ");
        cookieLines[path] = at == std::string::npos
                                ? ""
                                : request.substr(at + 10, request.find("\r\n", at + 2) - at - 10);
        if (path.rfind("/set/", 0) == 0) {
            return Answer("Set-Cookie: " + path.substr(5) + "=v; Path=/\r\n", "");
        }
        return Answer("", "");
    }};

    void Visit(const std::string& path, DWORD flags = INTERNET_FLAG_RELOAD) {
        WinInetSession session(ShapeFor(server.port(), path, flags));
        ASSERT_TRUE(session.Send("Accept: */*"));
        session.ReadAll();
    }
};

TEST_F(CookieStoreTest, StoredCookiesGoOutAgainUnlessARequestOptsOut) {
    Visit("/set/kept");
    Visit("/show");
    // The store is the whole process's, so earlier tests may have left cookies of their own.
    EXPECT_NE(cookieLines["/show"].find("kept=v"), std::string::npos) << cookieLines["/show"];
    Visit("/private", INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_COOKIES);
    EXPECT_EQ(cookieLines["/private"], "");
}

TEST_F(CookieStoreTest, AGivenCookieLineJoinsTheStoredOnesInOneLine) {
    Visit("/set/stored");
    WinInetSession session(ShapeFor(server.port(), "/both"));
    ASSERT_TRUE(session.Send("Accept: */*\r\nCookie: mine=1"));
    session.ReadAll();
    const std::string request = server.requests().back();
    EXPECT_EQ(request.find("Cookie:"), request.rfind("Cookie:")) << request;
    EXPECT_NE(cookieLines["/both"].find("stored=v"), std::string::npos) << request;
    EXPECT_NE(cookieLines["/both"].find("mine=1"), std::string::npos) << request;
}

TEST_F(CookieStoreTest, ARequestWithoutCookiesStoresNone) {
    Visit("/set/ignored", INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_COOKIES);
    Visit("/look");
    EXPECT_EQ(cookieLines["/look"].find("ignored"), std::string::npos) << cookieLines["/look"];
}

class RedirectTest : public testing::Test {
  protected:
    RawHttpServer server{[](const std::string& request) {
        if (PathOf(request) == "/from") {
            return std::string(
                "HTTP/1.1 302 Found\r\nLocation: /to\r\nContent-Length: 5\r\n"
                "Connection: close\r\n\r\nmoved");
        }
        return Answer("X-Final: 1\r\n", "arrived");
    }};
};

TEST_F(RedirectTest, IsFollowedAndTheFinalAnswerCounts) {
    WinInetSession session(ShapeFor(server.port(), "/from"));
    ASSERT_TRUE(session.Send("Accept: */*"));
    EXPECT_EQ(session.ReadAll(), "arrived");
    EXPECT_EQ(session.RawHeaders()->rfind("HTTP/1.1 200 OK\r\nX-Final: 1\r\n", 0), 0u);
    EXPECT_EQ(server.requests().size(), 2u);
}

TEST_F(RedirectTest, IsHandedBackWithNoAutoRedirect) {
    WinInetSession session(
        ShapeFor(server.port(), "/from", INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_AUTO_REDIRECT));
    ASSERT_TRUE(session.Send("Accept: */*"));
    EXPECT_EQ(session.ReadAll(), "moved");
    EXPECT_EQ(session.RawHeaders()->rfind("HTTP/1.1 302 Found\r\nLocation: /to\r\n", 0), 0u);
    EXPECT_EQ(server.requests().size(), 1u);
}

class TlsTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        InternetTrustCertificateAuthority(
            test_support::MakeTestCertificates().caCertificate.c_str());
    }

    // A TLS server on loopback: "/s" answers "secret", "/down" redirects to `redirectTarget`.
    void Start(bool trusted, const std::string& redirectTarget = {}) {
        const auto& certificates = test_support::MakeTestCertificates();
        server = std::make_unique<test_support::TlsServer>(
            (trusted ? certificates.serverCertificate : certificates.untrustedCertificate).c_str(),
            (trusted ? certificates.serverKey : certificates.untrustedKey).c_str());
        (*server)->Get("/s", [](const httplib::Request&, httplib::Response& response) {
            response.set_content("secret", "text/plain");
        });
        (*server)->Get("/down",
                       [redirectTarget](const httplib::Request&, httplib::Response& response) {
                           response.set_redirect(redirectTarget);
                       });
        server->Start();
    }

    RequestShape Secure(const std::string& path) const {
        return ShapeFor(server->port(), path, INTERNET_FLAG_RELOAD | INTERNET_FLAG_SECURE);
    }

    std::unique_ptr<test_support::TlsServer> server;
};

TEST_F(TlsTest, ACertificateFromTheTrustedCaIsAccepted) {
    Start(true);
    WinInetSession session(Secure("/s"));
    ASSERT_TRUE(session.Send("Accept: */*"));
    EXPECT_EQ(session.ReadAll(), "secret");
}

TEST_F(TlsTest, AnUntrustedCertificateFailsTheSend) {
    Start(false);
    WinInetSession session(Secure("/s"));
    EXPECT_FALSE(session.Send("Accept: */*"));
    EXPECT_EQ(GetLastError(), ERROR_INTERNET_INVALID_CA);
    EXPECT_EQ(session.ReadAll(), "");
}

TEST_F(TlsTest, ASecureRequestIsNotSentOnToPlainHttp) {
    RawHttpServer plain([](const std::string&) { return Answer("", "plain"); });
    Start(true, "http://" + plain.authority() + "/plain");
    WinInetSession session(Secure("/down"));
    EXPECT_FALSE(session.Send("Accept: */*"));
    EXPECT_EQ(GetLastError(), ERROR_INTERNET_HTTPS_TO_HTTP_ON_REDIR);
    EXPECT_TRUE(plain.requests().empty());
}

TEST_F(TlsTest, APlainRequestMayBeRedirectedToHttps) {
    Start(true);
    const std::string target = "https://127.0.0.1:" + std::to_string(server->port()) + "/s";
    RawHttpServer plain([&](const std::string&) {
        return "HTTP/1.1 301 Moved\r\nLocation: " + target +
               "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
    });
    WinInetSession upgraded(
        ShapeFor(plain.port(), "/", INTERNET_FLAG_RELOAD | INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS));
    ASSERT_TRUE(upgraded.Send("Accept: */*"));
    EXPECT_EQ(upgraded.ReadAll(), "secret");
    WinInetSession kept(ShapeFor(plain.port(), "/"));
    EXPECT_FALSE(kept.Send("Accept: */*"));
    EXPECT_EQ(GetLastError(), ERROR_INTERNET_HTTP_TO_HTTPS_ON_REDIR);
}

}  // namespace
