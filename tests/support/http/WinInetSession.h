#pragma once

// One request through the WinInet stand-in, its three handles closed newest first.

#include <optional>
#include <string>

#include "platform/wininet/WinInet.h"

namespace test_support {

struct RequestShape {
    std::string host = "127.0.0.1";
    int port = 0;
    std::string verb = "GET";
    std::string path = "/";
    DWORD flags = INTERNET_FLAG_RELOAD;
    std::optional<std::string> agent = "Agent/1";
    std::optional<std::string> proxy;
};

class WinInetSession {
  public:
    explicit WinInetSession(const RequestShape& shape);
    WinInetSession(const WinInetSession&) = delete;
    WinInetSession& operator=(const WinInetSession&) = delete;
    ~WinInetSession();

    HINTERNET request() const { return request_; }
    // The send's result; GetLastError() holds the reason when it is false.
    bool Send(const std::string& headers, const std::string& body = {});
    // Reads in `chunk`-byte pieces until a read delivers nothing.
    std::string ReadAll(DWORD chunk = 1024);
    std::optional<std::string> RawHeaders();

  private:
    HINTERNET internet_ = nullptr;
    HINTERNET connection_ = nullptr;
    HINTERNET request_ = nullptr;
};

}  // namespace test_support
