#include "web/HttpVisit.h"

#include <optional>

#include "platform/wininet/WinInet.h"
#include "runtime/BytesOps.h"
#include "runtime/TextCase.h"
#include "runtime/TextCut.h"
#include "runtime/TextSearch.h"
#include "runtime/TextSpaces.h"
#include "web/Cookies.h"
#include "web/TextBetween.h"
#include "web/UrlParts.h"

namespace web {
namespace {

using runtime::kNotFound;

constexpr const char* kDefaultAgent = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";
constexpr DWORD kReadChunk = 1024;
constexpr int kHeaderBufferSize = 5000;

// Closes its handle when it goes out of scope; declared in opening order, the handles of one
// call thus close newest first on every path.
class InternetHandle {
  public:
    explicit InternetHandle(HINTERNET handle) : handle_(handle) {}
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    ~InternetHandle() {
        if (handle_ != nullptr) {
            InternetCloseHandle(handle_);
        }
    }
    HINTERNET get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

  private:
    HINTERNET handle_;
};

// An empty text reaches the platform as a null pointer.
LPCSTR PlatformText(const Text& text) {
    return text.empty() ? nullptr : text.c_str();
}

bool Contains(const Text& text, const Text& sub, bool ignoreCase) {
    return runtime::FindText(text, sub, std::nullopt, ignoreCase) != kNotFound;
}

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
    if (!Contains(headers, "User-Agent:", true)) {
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
    } else if (!Contains(block, "Accept:", false)) {
        block += "\r\nAccept: */*";
    }
    if (!Contains(block, "Referer:", false)) {
        block += "\r\nReferer: " + url;
    }
    if (!Contains(block, "Accept-Language:", false)) {
        block += "\r\nAccept-Language: zh-cn";
    }
    if (!Contains(block, "Content-Type:", false)) {
        block += "\r\nContent-Type: application/x-www-form-urlencoded";
    }
    if (sendCookies != nullptr && !sendCookies->empty()) {
        block += Contains(*sendCookies, "Cookie:", false) ? "\r\n" + *sendCookies
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
    } while (read != 0);
    return body;
}

// The block the platform wrote over the blanks; when the query fails the blanks stay.
Text RawHeaders(HINTERNET request) {
    Text buffer = runtime::BlankText(kHeaderBufferSize);
    DWORD length = kHeaderBufferSize;
    HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, buffer.data(), &length, nullptr);
    buffer = buffer.substr(0, buffer.find('\0'));
    return runtime::ReplaceText(buffer, "Set-Cookie", Text("Set-Cookie"), std::nullopt,
                                std::nullopt, false);
}

// The «name=value» part of every Set-Cookie line, in header order.
Text CookiesSet(const Text& rawHeaders) {
    Text cookies;
    for (const Text& line : runtime::SplitText(rawHeaders, Text("\r\n"))) {
        if (!Contains(line, "Set-Cookie", false)) {
            continue;
        }
        const Text entry = Contains(line, ";", false)
                               ? TextBetween(line, "Set-Cookie:", ";")
                               : runtime::ReplaceText(line, "Set-Cookie:", std::nullopt,
                                                      std::nullopt, std::nullopt, false);
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
                ? InternetOpenA(PlatformText(agent), INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0)
                : InternetOpenA(PlatformText(agent), INTERNET_OPEN_TYPE_PROXY,
                                PlatformText(proxyList), nullptr, 0));
        if (!internet) {
            return {};
        }
        const InternetHandle connection(InternetConnectA(
            internet.get(), PlatformText(UrlHost(url)), static_cast<INTERNET_PORT>(UrlPort(url)),
            nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
        if (!connection) {
            return {};
        }
        const Text path = UrlPath(url);
        const InternetHandle request(HttpOpenRequestA(
            connection.get(), Verb(method), PlatformText(path), "HTTP/1.1", nullptr, nullptr,
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
        HttpSendRequestA(request.get(), PlatformText(block), static_cast<DWORD>(block.size()),
                         sent.empty() ? nullptr : sent.data(), static_cast<DWORD>(sent.size()));
        body = ReadBody(request.get());
        rawHeaders = RawHeaders(request.get());
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
