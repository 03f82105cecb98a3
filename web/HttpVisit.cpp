#include "web/HttpVisit.h"

#include "platform/WinInetApi.h"
#include "runtime/BytesOps.h"
#include "runtime/Owned.h"
#include "runtime/PlatformText.h"
#include "runtime/TextCase.h"
#include "runtime/TextCut.h"
#include "runtime/TextSearch.h"
#include "runtime/TextSpaces.h"
#include "web/Cookies.h"
#include "web/TextBetween.h"
#include "web/UrlParts.h"

namespace web {
namespace {

using runtime::ContainsExact;
using runtime::kNotFound;
using runtime::NullIfEmpty;

constexpr const char* kDefaultAgent = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";
constexpr DWORD kReadChunk = 1024;
constexpr int kHeaderBufferSize = 5000;
static_assert(kMaxAnswerBytes % kReadChunk == 0, "the last read fills the answer to its bound");

// Declared in opening order, the handles of one call close newest first on every path.
using InternetHandle = runtime::Owned<HINTERNET, InternetCloseHandle>;

const char* Verb(int method) {
    switch (method) {
        case kPost:
            return "POST";
        case kHead:
            return "HEAD";
        default:
            return "GET";
    }
}

Text UserAgent(const Text& headers) {
    if (runtime::FindIgnoringCase(headers, "User-Agent:") == kNotFound) {
        return kDefaultAgent;
    }
    const Text agent = runtime::TrimText(TextBetween(headers + "\r\n", "User-Agent:", "\r\n"));
    return agent.empty() ? HeaderValue(headers) : agent;
}

DWORD RequestFlags(bool cookiesGiven, bool noRedirect, bool secure) {
    DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NEED_FILE;
    if (cookiesGiven) {
        flags |= INTERNET_FLAG_NO_COOKIES;
    }
    if (noRedirect) {
        flags |= INTERNET_FLAG_NO_AUTO_REDIRECT;
    }
    flags |= secure ? INTERNET_FLAG_SECURE : INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS;
    return flags;
}

// Adds each default line the block lacks (case-sensitive tests), then the cookie line.
Text CompleteHeaderBlock(Text block, const Text& url, const Text* sendCookies) {
    if (block.empty()) {
        block = "Accept: */*";
    } else if (!ContainsExact(block, "Accept:")) {
        block += "\r\nAccept: */*";
    }
    if (!ContainsExact(block, "Referer:")) {
        block += "\r\nReferer: " + url;
    }
    if (!ContainsExact(block, "Accept-Language:")) {
        block += "\r\nAccept-Language: zh-cn";
    }
    if (!ContainsExact(block, "Content-Type:")) {
        block += "\r\nContent-Type: application/x-www-form-urlencoded";
    }
    if (sendCookies != nullptr && !sendCookies->empty()) {
        block += ContainsExact(*sendCookies, "Cookie:") ? "\r\n" + *sendCookies
                                                        : "\r\nCookie: " + *sendCookies;
    }
    return block;
}

Bytes ReadBody(HINTERNET request) {
    Bytes body;
    std::uint8_t chunk[kReadChunk];
    DWORD read = 0;
    do {
        read = 0;
        InternetReadFile(request, chunk, kReadChunk, &read);
        body.insert(body.end(), chunk, chunk + read);
    } while (read != 0 && body.size() < kMaxAnswerBytes);
    return body;
}

// The block the platform wrote over the blanks; when the query fails the blanks stay.
Text RawHeaders(HINTERNET request) {
    Text buffer = runtime::BlankText(kHeaderBufferSize);
    DWORD length = kHeaderBufferSize;
    HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, buffer.data(), &length, nullptr);
    // Not a no-op: any spelling such as "set-cookie" becomes "Set-Cookie", so that the
    // exact-case line match of CookiesSet finds every cookie the answer set.
    return runtime::ReplaceAllIgnoringCase(runtime::TextUpToZero(buffer), "Set-Cookie",
                                           Text("Set-Cookie"));
}

// The «name=value» part of every Set-Cookie line, in header order.
Text CookiesSet(const Text& rawHeaders) {
    Text cookies;
    for (const Text& line : runtime::SplitText(rawHeaders, Text("\r\n"))) {
        if (!ContainsExact(line, "Set-Cookie")) {
            continue;
        }
        const Text entry = ContainsExact(line, ";")
                               ? TextBetween(line, "Set-Cookie:", ";")
                               : runtime::ReplaceAllIgnoringCase(line, "Set-Cookie:", std::nullopt);
        cookies += runtime::TrimText(entry) + "; ";
    }
    return runtime::TextLeft(cookies, runtime::TextLength(cookies) - 2);
}

}  // namespace

Bytes HttpVisit(const Text& url, int method, const Text& postText, Text* sendCookies,
                Text* returnedCookies, Text* headers, Text* returnedHeaders, bool noRedirect,
                Bytes* postBytes, const Text& proxy) {
    if (method < kGet || method > kHead) {
        method = kGet;
    }
    const bool secure = runtime::ToLowerText(runtime::TextLeft(url, 8)) == "https://";
    const Text givenHeaders = headers != nullptr ? *headers : Text();
    const Text agent = UserAgent(givenHeaders);

    Bytes body;
    Text rawHeaders;
    {
        const Text proxyList = secure ? proxy : "http=" + proxy;
        const InternetHandle internet(
            proxy.empty()
                ? InternetOpenA(NullIfEmpty(agent), INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0)
                : InternetOpenA(NullIfEmpty(agent), INTERNET_OPEN_TYPE_PROXY,
                                NullIfEmpty(proxyList), nullptr, 0));
        if (!internet) {
            return {};
        }
        const InternetHandle connection(InternetConnectA(
            internet.handle, NullIfEmpty(UrlHost(url)), static_cast<INTERNET_PORT>(UrlPort(url)),
            nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
        if (!connection) {
            return {};
        }
        const Text path = UrlPath(url);
        const InternetHandle request(HttpOpenRequestA(
            connection.handle, Verb(method), NullIfEmpty(path), "HTTP/1.1", nullptr, nullptr,
            RequestFlags(sendCookies != nullptr, noRedirect, secure), 0));
        if (!request) {
            return {};
        }

        const Text block = CompleteHeaderBlock(givenHeaders, url, sendCookies);
        if (headers != nullptr) {
            *headers = block;
        }
        Bytes sent;
        if (method != kGet) {
            sent = postBytes != nullptr ? *postBytes : Bytes();
            if (sent.empty()) {
                sent = runtime::TextToBytes(postText);
            }
            if (postBytes != nullptr) {
                *postBytes = sent;
            }
        }
        HttpSendRequestA(request.handle, NullIfEmpty(block), static_cast<DWORD>(block.size()),
                         sent.empty() ? nullptr : sent.data(), static_cast<DWORD>(sent.size()));
        body = ReadBody(request.handle);
        rawHeaders = RawHeaders(request.handle);
    }

    Text cookies = CookiesSet(rawHeaders);
    if (sendCookies != nullptr) {
        cookies = MergeCookies(*sendCookies, cookies);
    }
    if (returnedCookies != nullptr) {
        *returnedCookies = cookies;
    }
    if (returnedHeaders != nullptr) {
        *returnedHeaders = rawHeaders;
    }
    return body;
}

}  // namespace web
