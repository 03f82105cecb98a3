// HttpVisit against servers on loopback: what arrives there and what comes back to the caller.

#include "web/HttpVisit.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/wininet/WinInetTestSeam.h"
#include "runtime/TextCase.h"
#include "tests/support/http/LoopbackServer.h"
#include "tests/support/http/RawHttpServer.h"
#include "tests/support/http/TestCertificates.h"

namespace web {
namespace {

using test_support::RawHttpServer;

const Text kDefaultBlock =
    "Accept: */*\r\nReferer: {url}\r\nAccept-Language: zh-cn\r\n"
    "Content-Type: application/x-www-form-urlencoded";
const Text kDefaultAgent = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";
const Text kBlanks(5000, ' ');

Text Answer(const Text& head, const Text& body) {
    return "HTTP/1.1 200 OK\r\n" + head + "Content-Length: " + std::to_string(body.size()) +
           "\r\nConnection: close\r\n\r\n" + body;
}

Text WithUrl(Text block, const Text& url) {
    const std::size_t at = block.find("{url}");
    return at == Text::npos ? block : block.replace(at, 5, url);
}

Text LineOf(const Text& request, const Text& name) {
    const std::size_t at = request.find("\r\n" + name + ": ");
    if (at == Text::npos) {
        return "";
    }
    const std::size_t start = at + name.size() + 4;
    return request.substr(start, request.find("\r\n", start) - start);
}

std::size_t Count(const Text& text, const Text& sub) {
    std::size_t count = 0;
    for (std::size_t at = text.find(sub); at != Text::npos; at = text.find(sub, at + 1)) {
        ++count;
    }
    return count;
}

Text AsText(const Bytes& bytes) {
    return Text(bytes.begin(), bytes.end());
}

class HttpVisitTest : public testing::Test {
  protected:
    Text answer = Answer("", "body");
    RawHttpServer server{[this](const std::string&) { return answer; }};

    Text Url(const Text& path) const { return "http://" + server.authority() + path; }
    Text OnlyRequest() const {
        const auto requests = server.requests();
        return requests.size() == 1 ? requests.front() : "";
    }
};

TEST_F(HttpVisitTest, DefaultRequestGoesOutByteForByte) {
    const Text url = Url("/images/Ab?x=1");
    EXPECT_EQ(AsText(HttpVisit(url)), "body");
    EXPECT_EQ(OnlyRequest(), "GET /images/Ab?x=1 HTTP/1.1\r\nHost: " + server.authority() +
                                 "\r\nUser-Agent: " + kDefaultAgent + "\r\n" +
                                 WithUrl(kDefaultBlock, url) + "\r\n\r\n");
}

struct MethodCase {
    int method;
    Text postText;
    Bytes postBytes;
    Text requestLine;
    Text sentBody;  // with its Content-Length; "-" for none
    Bytes postBytesAfter;
};

TEST_F(HttpVisitTest, MethodsAndBodies) {
    const MethodCase cases[] = {
        {0, "a=1", {}, "GET / HTTP/1.1", "-", {}},
        {7, "", {}, "GET / HTTP/1.1", "-", {}},
        {-1, "", {}, "GET / HTTP/1.1", "-", {}},
        {1, "", {}, "POST / HTTP/1.1", "", {}},
        {1, "a=1", {}, "POST / HTTP/1.1", "a=1", {'a', '=', '1'}},
        {1, "a=1", {'z', 'z'}, "POST / HTTP/1.1", "zz", {'z', 'z'}},
        {2, "q", {}, "HEAD / HTTP/1.1", "q", {'q'}},
    };
    for (const MethodCase& c : cases) {
        RawHttpServer each([](const std::string&) { return Answer("", ""); });
        Bytes postBytes = c.postBytes;
        HttpVisit("http://" + each.authority() + "/", c.method, c.postText, nullptr, nullptr,
                  nullptr, nullptr, false, &postBytes);
        ASSERT_EQ(each.requests().size(), 1u) << "method " << c.method;
        const Text request = each.requests()[0];
        EXPECT_EQ(request.substr(0, request.find("\r\n")), c.requestLine) << "method " << c.method;
        const Text tail = request.substr(request.find("\r\n\r\n") + 4);
        if (c.sentBody == "-") {
            EXPECT_EQ(LineOf(request, "Content-Length"), "") << "method " << c.method;
            EXPECT_EQ(tail, "") << "method " << c.method;
        } else {
            EXPECT_EQ(LineOf(request, "Content-Length"), std::to_string(c.sentBody.size()))
                << "method " << c.method;
            EXPECT_EQ(tail, c.sentBody) << "method " << c.method;
        }
        EXPECT_EQ(postBytes, c.postBytesAfter) << "method " << c.method;
    }
}

struct HeaderCase {
    Text given;
    Text agent;
    Text block;  // {url} stands for the address
};

TEST_F(HttpVisitTest, UserAgentAndDefaultLines) {
    const HeaderCase cases[] = {
        {"User-Agent: X", "X",
         "User-Agent: X\r\nAccept: */*\r\nReferer: {url}\r\nAccept-Language: zh-cn\r\n"
         "Content-Type: application/x-www-form-urlencoded"},
        {"user-agent: X", "X",
         "user-agent: X\r\nAccept: */*\r\nReferer: {url}\r\nAccept-Language: zh-cn\r\n"
         "Content-Type: application/x-www-form-urlencoded"},
        {"accept: text/html", kDefaultAgent,
         "accept: text/html\r\nAccept: */*\r\nReferer: {url}\r\nAccept-Language: zh-cn\r\n"
         "Content-Type: application/x-www-form-urlencoded"},
        {"Referer: http://elsewhere/\r\nAccept: image/png\r\nAccept-Language: en\r\n"
         "Content-Type: text/plain",
         kDefaultAgent,
         "Referer: http://elsewhere/\r\nAccept: image/png\r\nAccept-Language: en\r\n"
         "Content-Type: text/plain"},
    };
    for (const HeaderCase& c : cases) {
        RawHttpServer each([](const std::string&) { return Answer("", ""); });
        const Text url = "http://" + each.authority() + "/h";
        Text headers = c.given;
        HttpVisit(url, 0, "", nullptr, nullptr, &headers);
        const Text block = WithUrl(c.block, url);
        EXPECT_EQ(headers, block) << "given \"" << c.given << "\"";
        ASSERT_EQ(each.requests().size(), 1u);
        const Text request = each.requests()[0];
        EXPECT_EQ(request, "GET /h HTTP/1.1\r\nHost: " + each.authority() + "\r\n" +
                               (c.agent == kDefaultAgent ? "User-Agent: " + c.agent + "\r\n" : "") +
                               block + "\r\n\r\n")
            << "given \"" << c.given << "\"";
        EXPECT_EQ(Count(runtime::ToLowerText(request), "user-agent:"), 1u)
            << "given \"" << c.given << "\"";
    }
}

TEST_F(HttpVisitTest, RawHeadersAndCookiesOfTheAnswer) {
    answer =
        "HTTP/1.1 200 OK\r\nSet-Cookie: sid=1; path=/\r\nset-cookie: t=2\r\n"
        "Content-Length: 2\r\n\r\nhi";
    Text returnedCookies = "old";
    Text returnedHeaders = "old";
    EXPECT_EQ(
        AsText(HttpVisit(Url("/"), 0, "", nullptr, &returnedCookies, nullptr, &returnedHeaders)),
        "hi");
    EXPECT_EQ(returnedHeaders,
              "HTTP/1.1 200 OK\r\nSet-Cookie: sid=1; path=/\r\nSet-Cookie: t=2\r\n"
              "Content-Length: 2\r\n\r\n");
    EXPECT_EQ(returnedCookies, "sid=1; t=2");
}

TEST_F(HttpVisitTest, AHeaderBlockOverTheBufferLeavesBlanks) {
    answer = Answer("Set-Cookie: big=1\r\nX-Pad: " + Text(6000, 'p') + "\r\n", "still here");
    Text returnedCookies = "old";
    Text returnedHeaders;
    EXPECT_EQ(
        AsText(HttpVisit(Url("/"), 0, "", nullptr, &returnedCookies, nullptr, &returnedHeaders)),
        "still here");
    EXPECT_EQ(returnedHeaders, kBlanks);
    EXPECT_EQ(returnedCookies, "");
}

// /set answers with cookies; every request's Cookie line is kept by path.
class HttpVisitCookieTest : public testing::Test {
  protected:
    std::map<Text, Text> cookieLines;
    RawHttpServer server{[this](const std::string& request) {
        const Text path = request.substr(4, request.find(' ', 4) - 4);
        cookieLines[path] = LineOf(request, "Cookie");
        if (path == "/set") {
            return Answer(
                "Set-Cookie: visit=1; path=/\r\nSet-Cookie: b=5\r\n"
                "Set-Cookie: c=deleted\r\n",
                "");
        }
        return Answer("", "");
    }};
    Text Url(const Text& path) const { return "http://" + server.authority() + path; }
};

TEST_F(HttpVisitCookieTest, ThePlatformStoreServesCallsWithoutACookieText) {
    Text returnedCookies;
    HttpVisit(Url("/set"), 0, "", nullptr, &returnedCookies);
    EXPECT_EQ(returnedCookies, "visit=1; b=5; c=deleted");
    HttpVisit(Url("/plain"));
    EXPECT_NE(cookieLines["/plain"].find("visit=1"), Text::npos) << cookieLines["/plain"];
    // A given cookie text turns the store off: only the given cookies go out.
    Text sendCookies = "a=1; c=3";
    HttpVisit(Url("/given"), 0, "", &sendCookies);
    EXPECT_EQ(cookieLines["/given"], "a=1; c=3");
}

TEST_F(HttpVisitCookieTest, AGivenCookieTextIsCarriedFromCallToCall) {
    Text sendCookies = "a=1; b=2; c=3";
    Text returnedCookies;
    HttpVisit(Url("/set"), 0, "", &sendCookies, &returnedCookies);
    EXPECT_EQ(cookieLines["/set"], "a=1; b=2; c=3");
    EXPECT_EQ(returnedCookies, "visit=1; b=5; a=1");
    EXPECT_EQ(sendCookies, "visit=1; b=5; a=1");
    HttpVisit(Url("/next"), 0, "", &sendCookies);
    EXPECT_EQ(cookieLines["/next"], "visit=1; b=5; a=1");
}

TEST_F(HttpVisitCookieTest, GivenButEmptySendsNoCookieLineAndStillMerges) {
    Text sendCookies;
    Text returnedCookies;
    HttpVisit(Url("/set"), 0, "", &sendCookies, &returnedCookies);
    EXPECT_EQ(cookieLines["/set"], "");
    EXPECT_EQ(sendCookies, "visit=1; b=5");
    EXPECT_EQ(returnedCookies, "visit=1; b=5");
}

TEST_F(HttpVisitCookieTest, ACompleteCookieLineIsSentAsItIs) {
    Text sendCookies = "Cookie: a=1";
    Text headers;
    HttpVisit(Url("/line"), 0, "", &sendCookies, nullptr, &headers);
    EXPECT_EQ(cookieLines["/line"], "a=1");
    EXPECT_EQ(headers.substr(headers.rfind("\r\n") + 2), "Cookie: a=1");
}

class HttpVisitRedirectTest : public testing::Test {
  protected:
    RawHttpServer server{[](const std::string& request) {
        if (request.rfind("GET /old ", 0) == 0) {
            return Text(
                "HTTP/1.1 302 Found\r\nLocation: /new\r\nContent-Length: 5\r\n"
                "Connection: close\r\n\r\nmoved");
        }
        return Answer("", "new place");
    }};
    Text Url(const Text& path) const { return "http://" + server.authority() + path; }
};

TEST_F(HttpVisitRedirectTest, FollowedUnlessNoRedirect) {
    EXPECT_EQ(AsText(HttpVisit(Url("/old"))), "new place");
    Text returnedHeaders;
    EXPECT_EQ(
        AsText(HttpVisit(Url("/old"), 0, "", nullptr, nullptr, nullptr, &returnedHeaders, true)),
        "moved");
    EXPECT_EQ(returnedHeaders.rfind("HTTP/1.1 302 Found\r\n", 0), 0u);
    EXPECT_EQ(server.requests().size(), 3u);
}

TEST(HttpVisitSecureTest, FetchesOverTlsFromATrustedServer) {
    const auto& certificates = test_support::MakeTestCertificates();
    InternetTrustCertificateAuthority(certificates.caCertificate.c_str());
    test_support::TlsServer server(certificates.serverCertificate.c_str(),
                                   certificates.serverKey.c_str());
    Text userAgent;
    server->Get("/GG.jpg", [&](const httplib::Request& request, httplib::Response& response) {
        userAgent = request.get_header_value("User-Agent");
        response.set_content("picture", "image/jpeg");
    });
    server.Start();
    EXPECT_EQ(AsText(HttpVisit("HTTPS://127.0.0.1:" + std::to_string(server.port()) + "/GG.jpg")),
              "picture");
    EXPECT_EQ(userAgent, kDefaultAgent);
}

TEST(HttpVisitProxyTest, PlainAddressesGoThroughTheProxyAsHttpEntry) {
    RawHttpServer proxy([](const std::string&) { return Answer("", "proxied"); });
    EXPECT_EQ(AsText(HttpVisit("http://127.0.0.1:9/p", 0, "", nullptr, nullptr, nullptr, nullptr,
                               false, nullptr, proxy.authority())),
              "proxied");
    ASSERT_EQ(proxy.requests().size(), 1u);
    EXPECT_EQ(proxy.requests()[0].rfind("GET http://127.0.0.1:9/p HTTP/1.1\r\n", 0), 0u);
}

TEST(HttpVisitProxyTest, SecureAddressesTunnel) {
    RawHttpServer proxy([](const std::string&) { return Text("HTTP/1.1 403 No\r\n\r\n"); });
    EXPECT_TRUE(HttpVisit("https://127.0.0.1:9/p", 0, "", nullptr, nullptr, nullptr, nullptr, false,
                          nullptr, proxy.authority())
                    .empty());
    ASSERT_EQ(proxy.requests().size(), 1u);
    EXPECT_EQ(proxy.requests()[0].rfind("CONNECT 127.0.0.1:9 HTTP/1.1\r\n", 0), 0u);
}

TEST_F(HttpVisitTest, AServerClosingMidBodyGivesWhatArrived) {
    answer = "HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n" + Text(3000, 'x');
    EXPECT_EQ(AsText(HttpVisit(Url("/"))), Text(3000, 'x'));
}

// An answer that never ends is cut at the bound: the visit returns, as with a broken connection,
// with what was read up to there.
TEST(HttpVisitBoundTest, AnEndlessAnswerEndsTheVisitAtTheBound) {
    const std::string pattern = "0123456789abcdef";
    std::string block;
    while (block.size() < 64 * 1024) {
        block += pattern;
    }
    test_support::PlainServer server;
    server->Get("/endless", [&](const httplib::Request&, httplib::Response& response) {
        response.set_chunked_content_provider("text/plain",
                                              [&](std::size_t, httplib::DataSink& sink) {
                                                  return sink.write(block.data(), block.size());
                                              });
    });
    server.Start();
    Text returnedHeaders;
    const Bytes body = HttpVisit("http://" + server.authority() + "/endless", kGet, "", nullptr,
                                 nullptr, nullptr, &returnedHeaders);
    ASSERT_EQ(body.size(), kMaxAnswerBytes);
    EXPECT_EQ(Text(body.begin(), body.begin() + 16), pattern);
    EXPECT_EQ(Text(body.end() - 16, body.end()), pattern);
    EXPECT_EQ(returnedHeaders.rfind("HTTP/1.1 200 OK\r\n", 0), 0u);
}

// The request handle opens but the send fails: the by-reference results are written anyway.
TEST(HttpVisitFailureTest, AFailedSendStillWritesTheResults) {
    // A label over 63 bytes fails name resolution without any query leaving the machine.
    const Text unresolvable = "http://" + Text(64, 'a') + ".invalid/x";
    const Text refused = "http://127.0.0.1:" + std::to_string(test_support::ClosedPort()) + "/x";
    for (const Text& url : {unresolvable, refused}) {
        Text sendCookies = "a=1";
        Text returnedCookies = "old";
        Text headers;
        Text returnedHeaders;
        EXPECT_TRUE(
            HttpVisit(url, 0, "", &sendCookies, &returnedCookies, &headers, &returnedHeaders)
                .empty())
            << url;
        EXPECT_EQ(headers, WithUrl(kDefaultBlock, url) + "\r\nCookie: a=1") << url;
        EXPECT_EQ(returnedHeaders, kBlanks) << url;
        EXPECT_EQ(returnedCookies, "a=1") << url;
        EXPECT_EQ(sendCookies, "a=1") << url;
    }
}

TEST(HttpVisitFailureTest, NoRequestHandleLeavesEverythingUntouched) {
    Text sendCookies = "a=1 ";
    Text returnedCookies = "r";
    Text headers = "X: 1";
    Text returnedHeaders = "h";
    Bytes postBytes;
    EXPECT_TRUE(HttpVisit("", 1, "body", &sendCookies, &returnedCookies, &headers, &returnedHeaders,
                          false, &postBytes)
                    .empty());
    EXPECT_EQ(sendCookies, "a=1 ");
    EXPECT_EQ(returnedCookies, "r");
    EXPECT_EQ(headers, "X: 1");
    EXPECT_EQ(returnedHeaders, "h");
    EXPECT_TRUE(postBytes.empty());
}

}  // namespace
}  // namespace web
