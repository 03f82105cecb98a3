#pragma once

// A loopback HTTP server on a free port that answers each request with whatever bytes its
// responder returns, well-formed or not, then closes the connection. It records every request
// exactly as it arrived.

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace test_support {

class RawHttpServer {
  public:
    using Responder = std::function<std::string(const std::string& request)>;

    explicit RawHttpServer(Responder responder);
    RawHttpServer(const RawHttpServer&) = delete;
    RawHttpServer& operator=(const RawHttpServer&) = delete;
    ~RawHttpServer();

    int port() const { return port_; }
    // "127.0.0.1:port"
    std::string authority() const;
    std::vector<std::string> requests() const;
    // Later answers send their first `head` bytes at once, then one byte every `gap` until the
    // answer ends, the client goes or the server stops.
    void Trickle(std::size_t head, std::chrono::milliseconds gap);

  private:
    void Serve();
    void Answer(int client);
    void SendTrickling(int client, std::string_view answer, std::size_t head,
                       std::chrono::milliseconds gap);

    Responder responder_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
    std::size_t trickleHead_ = 0;
    std::chrono::milliseconds trickleGap_{0};
    std::thread thread_;
};

// A port on loopback on which nothing listens.
int ClosedPort();

}  // namespace test_support
