#pragma once

// A loopback HTTP server on a free port that answers each request with whatever bytes its
// responder returns, well-formed or not, then closes the connection. It records every request
// exactly as it arrived.

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
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

  private:
    void Serve();
    void Answer(int client);

    Responder responder_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
    std::thread thread_;
};

// A port on loopback on which nothing listens.
int ClosedPort();

}  // namespace test_support
