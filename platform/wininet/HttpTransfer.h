#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/WinBase.h"
#include "platform/wininet/CurlHandles.h"

namespace wininet {

// What a request handle was opened with.
struct RequestSettings {
    std::string url;
    std::string verb;
    bool http10 = false;
    std::optional<std::string> agent;
    std::optional<std::string> proxy;
    bool secure = false;
    bool cookies = true;
    bool followRedirects = true;
    bool redirectToHttps = false;
    bool redirectToHttp = false;
};

// One HTTP exchange on libcurl's multi interface, driven only while the caller waits in Send or
// Read. The body is buffered a little ahead of the caller and the transfer pauses when the buffer
// is full, so an answer of any size takes bounded memory here.
class HttpTransfer {
  public:
    explicit HttpTransfer(RequestSettings settings);
    HttpTransfer(const HttpTransfer&) = delete;
    HttpTransfer& operator=(const HttpTransfer&) = delete;
    ~HttpTransfer();

    // Returns once the final answer's headers are in; false (with a reason) when none arrived.
    bool Send(std::string_view headerBlock, std::span<const std::uint8_t> body, DWORD& error);
    // Copies up to `size` bytes, fewer only at the end; false at a broken end.
    bool Read(std::uint8_t* out, std::size_t size, std::size_t& delivered, DWORD& error);
    // The final answer's status and header lines, each ended by CRLF, and the closing empty line.
    const std::optional<std::string>& RawHeaders() const { return rawHeaders_; }
    bool HeadersIn() const { return rawHeaders_.has_value(); }

  private:
    using Clock = std::chrono::steady_clock;

    static std::size_t OnHeader(char* data, std::size_t size, std::size_t count, void* self);
    static std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* self);
    static int OnProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t uploaded);

    void Configure();
    void PrepareBody(std::span<const std::uint8_t> body);
    template <typename Ready>
    void RunUntil(Ready ready);
    void CollectResult();
    std::size_t Buffered() const { return pending_.size() - readOffset_; }

    RequestSettings settings_;
    EasyHandle easy_;
    MultiHandle multi_;
    HeaderList headers_;
    std::vector<std::uint8_t> body_;
    std::string cookieLine_;
    enum class Phase {
        kOpened,           // not sent yet
        kAwaitingHeaders,  // sent; the final answer's headers are not all in
        kReceivingBody,    // the body flows into the read-ahead buffer
        kPaused,           // the buffer is full; libcurl holds the body back until a Read
        kFinished,         // libcurl is done with the transfer; `result_` says how it ended
    };
    Phase phase_ = Phase::kOpened;
    // A HEAD request that carries a body: libcurl would wait for an answer body, so the
    // transfer is ended by us once the headers are in, and that end is no failure.
    bool headersOnly_ = false;
    // The answer whose header lines are coming in names a new address.
    bool locationSeen_ = false;
    CURLcode result_ = CURLE_OK;
    std::string headerBlock_;
    std::optional<std::string> rawHeaders_;
    std::vector<std::uint8_t> pending_;
    std::size_t readOffset_ = 0;
    std::size_t wanted_ = 0;
    curl_off_t uploaded_ = 0;
    Clock::time_point lastActivity_;
};

}  // namespace wininet
