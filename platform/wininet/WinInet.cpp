#include "platform/wininet/WinInet.h"

#include <curl/curl.h>

#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <variant>

#include "platform/wininet/HttpTransfer.h"
#include "platform/wininet/ProxyList.h"

namespace {

using wininet::HttpTransfer;
using wininet::RequestSettings;

struct Session {
    std::optional<std::string> agent;
    std::optional<std::string> proxyList;
};

struct Connection {
    Session session;
    std::string host;
    INTERNET_PORT port;
};

using Handle = std::variant<Session, Connection, std::unique_ptr<HttpTransfer>>;

// Every open handle, keyed by the address the caller holds; an unknown address is refused.
std::map<HINTERNET, std::unique_ptr<Handle>>& OpenHandles() {
    static std::map<HINTERNET, std::unique_ptr<Handle>> handles;
    return handles;
}

HINTERNET Register(Handle handle) {
    auto owned = std::make_unique<Handle>(std::move(handle));
    HINTERNET key = owned.get();
    OpenHandles().emplace(key, std::move(owned));
    return key;
}

template <typename T>
T* Find(HINTERNET handle) {
    const auto found = OpenHandles().find(handle);
    T* object = found == OpenHandles().end() ? nullptr : std::get_if<T>(found->second.get());
    if (object == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
    }
    return object;
}

HttpTransfer* FindTransfer(HINTERNET handle) {
    auto* transfer = Find<std::unique_ptr<HttpTransfer>>(handle);
    return transfer == nullptr ? nullptr : transfer->get();
}

std::optional<std::string> TextOf(LPCSTR text) {
    return text == nullptr ? std::nullopt : std::optional<std::string>(text);
}

bool IsEmpty(LPCSTR text) {
    return text == nullptr || *text == '\0';
}

// Bytes that may not stand in a URL's path as they are; libcurl would refuse the address.
std::string EscapedPath(LPCSTR objectName) {
    const std::string path = IsEmpty(objectName) ? "/" : objectName;
    std::string escaped = path.front() == '/' ? "" : "/";
    constexpr char kHex[] = "0123456789ABCDEF";
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte >= 0x7F) {
            escaped += '%';
            escaped += kHex[byte >> 4];
            escaped += kHex[byte & 0x0F];
        } else {
            escaped += c;
        }
    }
    return escaped;
}

std::string Authority(const std::string& host, INTERNET_PORT port) {
    const bool ipv6 = host.find(':') != std::string::npos && host.front() != '[';
    return (ipv6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

void InitialiseCurlOnce() {
    static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    static_cast<void>(initialised);
}

}  // namespace

HINTERNET InternetOpenA(LPCSTR lpszAgent, DWORD dwAccessType, LPCSTR lpszProxy,
                        LPCSTR /*lpszProxyBypass*/, DWORD /*dwFlags*/) {
    const bool proxied = dwAccessType == INTERNET_OPEN_TYPE_PROXY;
    const bool known = proxied || dwAccessType == INTERNET_OPEN_TYPE_DIRECT ||
                       dwAccessType == INTERNET_OPEN_TYPE_PRECONFIG;
    if (!known || (proxied && IsEmpty(lpszProxy))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    InitialiseCurlOnce();
    // Without configuration, the preconfigured access is a direct one.
    return Register(Session{TextOf(lpszAgent), proxied ? TextOf(lpszProxy) : std::nullopt});
}

HINTERNET InternetConnectA(HINTERNET hInternet, LPCSTR lpszServerName, INTERNET_PORT nServerPort,
                           LPCSTR /*lpszUserName*/, LPCSTR /*lpszPassword*/, DWORD dwService,
                           DWORD /*dwFlags*/, DWORD_PTR /*dwContext*/) {
    const Session* session = Find<Session>(hInternet);
    if (session == nullptr) {
        return nullptr;
    }
    if (IsEmpty(lpszServerName) || dwService != INTERNET_SERVICE_HTTP) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return Register(Connection{*session, lpszServerName, nServerPort});
}

HINTERNET HttpOpenRequestA(HINTERNET hConnect, LPCSTR lpszVerb, LPCSTR lpszObjectName,
                           LPCSTR lpszVersion, LPCSTR /*lpszReferrer*/,
                           LPCSTR* /*lplpszAcceptTypes*/, DWORD dwFlags, DWORD_PTR /*dwContext*/) {
    const Connection* connection = Find<Connection>(hConnect);
    if (connection == nullptr) {
        return nullptr;
    }
    RequestSettings settings;
    settings.secure = (dwFlags & INTERNET_FLAG_SECURE) != 0;
    INTERNET_PORT port = connection->port;
    if (port == INTERNET_INVALID_PORT_NUMBER) {
        port = settings.secure ? INTERNET_DEFAULT_HTTPS_PORT : INTERNET_DEFAULT_HTTP_PORT;
    }
    settings.url = std::string(settings.secure ? "https://" : "http://") +
                   Authority(connection->host, port) + EscapedPath(lpszObjectName);
    settings.verb = IsEmpty(lpszVerb) ? "GET" : lpszVerb;
    settings.http10 = lpszVersion != nullptr && std::strcmp(lpszVersion, "HTTP/1.0") == 0;
    settings.agent = connection->session.agent;
    if (connection->session.proxyList) {
        settings.proxy = wininet::ProxyFor(*connection->session.proxyList, settings.secure);
    }
    settings.cookies = (dwFlags & INTERNET_FLAG_NO_COOKIES) == 0;
    settings.followRedirects = (dwFlags & INTERNET_FLAG_NO_AUTO_REDIRECT) == 0;
    settings.redirectToHttps = (dwFlags & INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS) != 0;
    settings.redirectToHttp = (dwFlags & INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTP) != 0;
    return Register(std::make_unique<HttpTransfer>(std::move(settings)));
}

BOOL HttpSendRequestA(HINTERNET hRequest, LPCSTR lpszHeaders, DWORD dwHeadersLength,
                      LPVOID lpOptional, DWORD dwOptionalLength) {
    HttpTransfer* transfer = FindTransfer(hRequest);
    if (transfer == nullptr) {
        return FALSE;
    }
    std::string_view headers;
    if (lpszHeaders != nullptr) {
        headers = dwHeadersLength == static_cast<DWORD>(-1)
                      ? std::string_view(lpszHeaders)
                      : std::string_view(lpszHeaders, dwHeadersLength);
    }
    std::span<const std::uint8_t> body;
    if (lpOptional != nullptr) {
        body = {static_cast<const std::uint8_t*>(lpOptional), dwOptionalLength};
    }
    DWORD error = ERROR_SUCCESS;
    if (!transfer->Send(headers, body, error)) {
        SetLastError(error);
        return FALSE;
    }
    return TRUE;
}

BOOL InternetReadFile(HINTERNET hFile, LPVOID lpBuffer, DWORD dwNumberOfBytesToRead,
                      LPDWORD lpdwNumberOfBytesRead) {
    if (lpdwNumberOfBytesRead == nullptr || (lpBuffer == nullptr && dwNumberOfBytesToRead > 0)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *lpdwNumberOfBytesRead = 0;
    HttpTransfer* transfer = FindTransfer(hFile);
    if (transfer == nullptr) {
        return FALSE;
    }
    std::size_t delivered = 0;
    DWORD error = ERROR_SUCCESS;
    const bool ok = transfer->Read(static_cast<std::uint8_t*>(lpBuffer), dwNumberOfBytesToRead,
                                   delivered, error);
    *lpdwNumberOfBytesRead = static_cast<DWORD>(delivered);
    if (!ok) {
        SetLastError(error);
        return FALSE;
    }
    return TRUE;
}

BOOL HttpQueryInfoA(HINTERNET hRequest, DWORD dwInfoLevel, LPVOID lpBuffer,
                    LPDWORD lpdwBufferLength, LPDWORD /*lpdwIndex*/) {
    const HttpTransfer* transfer = FindTransfer(hRequest);
    if (transfer == nullptr) {
        return FALSE;
    }
    if (dwInfoLevel != HTTP_QUERY_RAW_HEADERS_CRLF || lpdwBufferLength == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::optional<std::string>& raw = transfer->RawHeaders();
    if (!raw) {
        SetLastError(ERROR_HTTP_HEADER_NOT_FOUND);
        return FALSE;
    }
    const auto needed = static_cast<DWORD>(raw->size() + 1);
    if (lpBuffer == nullptr || *lpdwBufferLength < needed) {
        *lpdwBufferLength = needed;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    std::memcpy(lpBuffer, raw->c_str(), needed);
    *lpdwBufferLength = needed - 1;
    return TRUE;
}

BOOL InternetCloseHandle(HINTERNET hInternet) {
    if (OpenHandles().erase(hInternet) == 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}
