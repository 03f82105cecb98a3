#include "platform/wininet/HttpTransfer.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/wininet/CookieStore.h"
#include "platform/wininet/HeaderName.h"
#include "platform/wininet/RequestHeaders.h"
#include "platform/wininet/TrustedCertificates.h"
#include "platform/wininet/WinInet.h"
#include "platform/wininet/WinInetTestSeam.h"

namespace wininet {
namespace {

// The platform's defaults: no call waits forever.
constexpr long kConnectTimeoutMs = 60'000;
constexpr auto kIdleTimeout = std::chrono::seconds(30);
// The idle time-out alone lets a server that sends a byte now and then hold a request, and the
// window that waits for it, for ever. Two minutes is past any request that is going to succeed
// (the connect alone may take its 60 s; the program's answers, a listing text and pictures of
// some ten KiB, then take well under a second on any working line) and still bounds how long a
// trickling server can block the window.
constexpr unsigned long kRequestTimeLimitMs = 120'000;
constexpr int kPollMs = 1000;
// How far the body may run ahead of the caller before the transfer pauses.
constexpr std::size_t kReadAhead = 1024 * 1024;
// Larger receive pieces than libcurl's default mean fewer calls per answer.
constexpr long kReceiveBuffer = 256 * 1024;
constexpr long kMaxRedirects = 10;

DWORD ErrorFor(CURLcode code) {
    switch (code) {
        case CURLE_COULDNT_RESOLVE_HOST:
        case CURLE_COULDNT_RESOLVE_PROXY:
            return ERROR_INTERNET_NAME_NOT_RESOLVED;
        case CURLE_COULDNT_CONNECT:
            return ERROR_INTERNET_CANNOT_CONNECT;
        case CURLE_OPERATION_TIMEDOUT:
            return ERROR_INTERNET_TIMEOUT;
        case CURLE_URL_MALFORMAT:
            return ERROR_INTERNET_INVALID_URL;
        case CURLE_PEER_FAILED_VERIFICATION:
            return ERROR_INTERNET_INVALID_CA;
        case CURLE_SSL_CONNECT_ERROR:
        case CURLE_SSL_CACERT_BADFILE:
            return ERROR_INTERNET_SECURE_FAILURE;
        case CURLE_WEIRD_SERVER_REPLY:
            return ERROR_HTTP_INVALID_SERVER_RESPONSE;
        default:
            return ERROR_INTERNET_CONNECTION_ABORTED;
    }
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

unsigned long& RequestTimeLimitMs() {
    static unsigned long limit = kRequestTimeLimitMs;
    return limit;
}

}  // namespace

HttpTransfer::HttpTransfer(RequestSettings settings)
    : settings_(std::move(settings)), easy_(curl_easy_init()), multi_(curl_multi_init()) {}

HttpTransfer::~HttpTransfer() {
    // A handle that was never added is no error here.
    if (easy_ && multi_) {
        curl_multi_remove_handle(multi_.handle, easy_.handle);
    }
}

void HttpTransfer::Configure() {
    CURL* easy = easy_.handle;
    curl_easy_setopt(easy, CURLOPT_URL, settings_.url.c_str());
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_HTTP_VERSION,
                     settings_.http10 ? CURL_HTTP_VERSION_1_0 : CURL_HTTP_VERSION_1_1);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, kConnectTimeoutMs);
    // libcurl counts this from the send on, through redirects, and ends the transfer as timed out.
    curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, static_cast<long>(RequestTimeLimitMs()));
    curl_easy_setopt(easy, CURLOPT_BUFFERSIZE, kReceiveBuffer);
    if (settings_.agent) {
        curl_easy_setopt(easy, CURLOPT_USERAGENT, settings_.agent->c_str());
    }
    // An empty proxy also keeps libcurl from taking one from the environment.
    // FIXME: a redirect that changes the scheme keeps the proxy chosen for the first address.
    curl_easy_setopt(easy, CURLOPT_PROXY, settings_.proxy ? settings_.proxy->c_str() : "");
    curl_easy_setopt(easy, CURLOPT_NOPROXY, "");
    curl_easy_setopt(easy, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
    if (settings_.cookies) {
        curl_easy_setopt(easy, CURLOPT_SHARE, SharedCookieStore());
        curl_easy_setopt(easy, CURLOPT_COOKIEFILE, "");
    }
    if (settings_.followRedirects) {
        curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(easy, CURLOPT_MAXREDIRS, kMaxRedirects);
        const bool toHttp = !settings_.secure || settings_.redirectToHttp;
        const bool toHttps = settings_.secure || settings_.redirectToHttps;
        curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR,
                         toHttp && toHttps ? "http,https" : (toHttps ? "https" : "http"));
    }
    AddTrustedCertificates(easy);
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &HttpTransfer::OnHeader);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &HttpTransfer::OnBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, &HttpTransfer::OnProgress);
    curl_easy_setopt(easy, CURLOPT_XFERINFODATA, this);
    curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
}

void HttpTransfer::PrepareBody(std::span<const std::uint8_t> body) {
    CURL* easy = easy_.handle;
    const std::string& verb = settings_.verb;
    if (body.empty() && verb == "HEAD") {
        curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);
        return;
    }
    if (body.empty() && verb == "GET") {
        curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
        return;
    }
    body_.assign(body.begin(), body.end());
    // A POST without body still says "Content-Length: 0"; the pointer must not be null for that.
    static const char kNothing = 0;
    curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body_.size()));
    curl_easy_setopt(easy, CURLOPT_POSTFIELDS,
                     body_.empty() ? &kNothing : reinterpret_cast<const char*>(body_.data()));
    if (verb != "POST") {
        curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, verb.c_str());
        headersOnly_ = verb == "HEAD";
    }
}

bool HttpTransfer::Send(std::string_view headerBlock, std::span<const std::uint8_t> body,
                        DWORD& error) {
    if (!easy_ || !multi_ || phase_ != Phase::kOpened) {
        error = ERROR_INTERNET_INCORRECT_HANDLE_STATE;
        return false;
    }
    phase_ = Phase::kAwaitingHeaders;
    Configure();
    PrepareBody(body);
    headers_ = RequestHeaders(headerBlock, settings_.cookies ? &cookieLine_ : nullptr);
    if (!cookieLine_.empty()) {
        curl_easy_setopt(easy_.handle, CURLOPT_COOKIE, cookieLine_.c_str());
    }
    curl_easy_setopt(easy_.handle, CURLOPT_HTTPHEADER, headers_.handle);
    if (curl_multi_add_handle(multi_.handle, easy_.handle) != CURLM_OK) {
        phase_ = Phase::kFinished;
        result_ = CURLE_FAILED_INIT;
        error = ERROR_INTERNET_INCORRECT_HANDLE_STATE;
        return false;
    }
    wanted_ = 1;
    RunUntil([this] { return HeadersIn(); });
    if (!HeadersIn()) {
        // The only protocols left out are those a redirect may not switch to.
        const DWORD refusedRedirect = settings_.secure ? ERROR_INTERNET_HTTPS_TO_HTTP_ON_REDIR
                                                       : ERROR_INTERNET_HTTP_TO_HTTPS_ON_REDIR;
        error = result_ == CURLE_UNSUPPORTED_PROTOCOL ? refusedRedirect : ErrorFor(result_);
        return false;
    }
    return true;
}

bool HttpTransfer::Read(std::uint8_t* out, std::size_t size, std::size_t& delivered, DWORD& error) {
    delivered = 0;
    if (!HeadersIn()) {
        error = ERROR_INTERNET_INCORRECT_HANDLE_STATE;
        return false;
    }
    if (Buffered() < size && phase_ != Phase::kFinished) {
        pending_.erase(pending_.begin(),
                       pending_.begin() + static_cast<std::ptrdiff_t>(readOffset_));
        readOffset_ = 0;
        wanted_ = size;
        if (phase_ == Phase::kPaused) {
            // Unpausing may hand over body at once, so the phase changes first.
            phase_ = Phase::kReceivingBody;
            curl_easy_pause(easy_.handle, CURLPAUSE_CONT);
        }
        RunUntil([this, size] { return Buffered() >= size; });
    }
    delivered = std::min(size, Buffered());
    if (delivered > 0) {
        std::memcpy(out, pending_.data() + readOffset_, delivered);
        readOffset_ += delivered;
    }
    if (delivered == 0 && result_ != CURLE_OK && !headersOnly_) {
        error = ErrorFor(result_);
        return false;
    }
    return true;
}

template <typename Ready>
void HttpTransfer::RunUntil(Ready ready) {
    lastActivity_ = Clock::now();
    bool connected = false;
    while (!ready() && phase_ != Phase::kFinished) {
        int running = 0;
        if (curl_multi_perform(multi_.handle, &running) != CURLM_OK) {
            phase_ = Phase::kFinished;
            result_ = CURLE_FAILED_INIT;
            return;
        }
        CollectResult();
        if (ready() || phase_ == Phase::kFinished) {
            return;
        }
        curl_off_t connectTime = 0;
        curl_easy_getinfo(easy_.handle, CURLINFO_CONNECT_TIME_T, &connectTime);
        if (!connected && connectTime > 0) {
            connected = true;
            lastActivity_ = Clock::now();
        }
        if (connected && Clock::now() - lastActivity_ > kIdleTimeout) {
            phase_ = Phase::kFinished;
            result_ = CURLE_OPERATION_TIMEDOUT;
            return;
        }
        curl_multi_poll(multi_.handle, nullptr, 0, kPollMs, nullptr);
    }
}

void HttpTransfer::CollectResult() {
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(multi_.handle, &left)) {
        if (message->msg == CURLMSG_DONE) {
            phase_ = Phase::kFinished;
            result_ = message->data.result;
        }
    }
}

std::size_t HttpTransfer::OnHeader(char* data, std::size_t size, std::size_t count, void* self) {
    auto& transfer = *static_cast<HttpTransfer*>(self);
    const std::size_t total = size * count;
    std::string_view line(data, total);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
        line.remove_suffix(1);
    }
    transfer.lastActivity_ = Clock::now();
    if (StartsWith(line, "HTTP/")) {
        transfer.headerBlock_.clear();
        transfer.locationSeen_ = false;
    }
    transfer.locationSeen_ = transfer.locationSeen_ || HeaderNameIs(line, "Location");
    transfer.headerBlock_.append(line).append("\r\n");
    if (!line.empty()) {
        return total;
    }
    long status = 0;
    curl_easy_getinfo(transfer.easy_.handle, CURLINFO_RESPONSE_CODE, &status);
    const bool interim = status / 100 == 1;
    // libcurl goes on to the next address itself; that answer's headers are the final ones.
    const bool followed = transfer.settings_.followRedirects && status / 100 == 3 &&
                          status != 304 && transfer.locationSeen_;
    if (interim || followed) {
        return total;
    }
    transfer.rawHeaders_ = transfer.headerBlock_;
    transfer.phase_ = Phase::kReceivingBody;
    if (transfer.headersOnly_) {
        return 0;
    }
    return total;
}

std::size_t HttpTransfer::OnBody(char* data, std::size_t size, std::size_t count, void* self) {
    auto& transfer = *static_cast<HttpTransfer*>(self);
    const std::size_t total = size * count;
    if (transfer.Buffered() >= std::max(kReadAhead, transfer.wanted_)) {
        transfer.phase_ = Phase::kPaused;
        return CURL_WRITEFUNC_PAUSE;
    }
    transfer.lastActivity_ = Clock::now();
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(data);
    transfer.pending_.insert(transfer.pending_.end(), bytes, bytes + total);
    return total;
}

int HttpTransfer::OnProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t uploaded) {
    auto& transfer = *static_cast<HttpTransfer*>(self);
    if (uploaded != transfer.uploaded_) {
        transfer.uploaded_ = uploaded;
        transfer.lastActivity_ = Clock::now();
    }
    return 0;
}

}  // namespace wininet

unsigned long InternetSetRequestTimeLimit(unsigned long milliseconds) {
    return std::exchange(wininet::RequestTimeLimitMs(), milliseconds);
}
