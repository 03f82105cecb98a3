#pragma once

// A cpp-httplib server (plain or TLS) listening on a free loopback port in its own thread.

#include <httplib.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>

namespace test_support {

template <typename Server>
class LoopbackServer {
  public:
    template <typename... Args>
    explicit LoopbackServer(Args&&... args)
        : server_(std::make_unique<Server>(std::forward<Args>(args)...)) {}
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;
    ~LoopbackServer() {
        server_->stop();
        if (thread_.joinable()) {
            thread_.join();
        }
    }

    Server& operator*() { return *server_; }
    Server* operator->() { return server_.get(); }

    // Call after the routes are set.
    void Start() {
        port_ = server_->bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_->listen_after_bind(); });
        while (!server_->is_running()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    int port() const { return port_; }
    std::string authority() const { return "127.0.0.1:" + std::to_string(port_); }

  private:
    std::unique_ptr<Server> server_;
    std::thread thread_;
    int port_ = 0;
};

using PlainServer = LoopbackServer<httplib::Server>;
using TlsServer = LoopbackServer<httplib::SSLServer>;

}  // namespace test_support
