#include "tests/support/http/WinInetSession.h"

#include <vector>

namespace test_support {
namespace {

LPCSTR OrNull(const std::optional<std::string>& text) {
    return text ? text->c_str() : nullptr;
}

}  // namespace

WinInetSession::WinInetSession(const RequestShape& shape) {
    internet_ = InternetOpenA(OrNull(shape.agent),
                              shape.proxy ? INTERNET_OPEN_TYPE_PROXY : INTERNET_OPEN_TYPE_DIRECT,
                              OrNull(shape.proxy), nullptr, 0);
    connection_ =
        InternetConnectA(internet_, shape.host.c_str(), static_cast<INTERNET_PORT>(shape.port),
                         nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0);
    request_ = HttpOpenRequestA(connection_, shape.verb.c_str(), shape.path.c_str(), "HTTP/1.1",
                                nullptr, nullptr, shape.flags, 0);
}

WinInetSession::~WinInetSession() {
    for (HINTERNET handle : {request_, connection_, internet_}) {
        if (handle != nullptr) {
            InternetCloseHandle(handle);
        }
    }
}

bool WinInetSession::Send(const std::string& headers, const std::string& body) {
    std::string data = body;
    return HttpSendRequestA(request_, headers.empty() ? nullptr : headers.c_str(),
                            static_cast<DWORD>(headers.size()),
                            data.empty() ? nullptr : data.data(),
                            static_cast<DWORD>(data.size())) == TRUE;
}

std::string WinInetSession::ReadAll(DWORD chunk) {
    std::string body;
    std::vector<char> buffer(chunk);
    DWORD read = 0;
    do {
        read = 0;
        InternetReadFile(request_, buffer.data(), chunk, &read);
        body.append(buffer.data(), read);
    } while (read != 0);
    return body;
}

std::optional<std::string> WinInetSession::RawHeaders() {
    std::string buffer(8192, '\0');
    DWORD length = static_cast<DWORD>(buffer.size());
    if (!HttpQueryInfoA(request_, HTTP_QUERY_RAW_HEADERS_CRLF, buffer.data(), &length, nullptr)) {
        return std::nullopt;
    }
    buffer.resize(length);
    return buffer;
}

}  // namespace test_support
