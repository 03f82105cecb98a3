#include "tests/support/http/RawHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>
#include <string_view>
#include <thread>

namespace test_support {
namespace {

constexpr int kPollMs = 50;

// A socket bound to 127.0.0.1 on a port the system chose.
int BindLoopback(int& port) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t size = sizeof address;
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        throw std::runtime_error("cannot bind a loopback port");
    }
    port = ntohs(address.sin_port);
    return fd;
}

std::size_t ContentLength(std::string_view head) {
    std::string lower(head);
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    const std::size_t at = lower.find("\r\ncontent-length:");
    return at == std::string::npos ? 0 : std::strtoul(lower.c_str() + at + 17, nullptr, 10);
}

// The request head and as much body as its Content-Length announces.
std::string ReadRequest(int client) {
    std::string request;
    char chunk[4096];
    std::size_t needed = std::string::npos;
    while (request.size() < needed) {
        pollfd wait{client, POLLIN, 0};
        if (poll(&wait, 1, 5000) <= 0) {
            break;
        }
        const ssize_t got = recv(client, chunk, sizeof chunk, 0);
        if (got <= 0) {
            break;
        }
        request.append(chunk, static_cast<std::size_t>(got));
        const std::size_t headEnd = request.find("\r\n\r\n");
        if (headEnd != std::string::npos && needed == std::string::npos) {
            needed = headEnd + 4 + ContentLength(std::string_view(request).substr(0, headEnd));
        }
    }
    return request;
}

void SendAll(int client, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t sent = send(client, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent <= 0) {
            return;
        }
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
}

}  // namespace

RawHttpServer::RawHttpServer(Responder responder) : responder_(std::move(responder)) {
    listener_ = BindLoopback(port_);
    listen(listener_, 16);
    thread_ = std::thread([this] { Serve(); });
}

RawHttpServer::~RawHttpServer() {
    stopping_ = true;
    thread_.join();
    close(listener_);
}

std::string RawHttpServer::authority() const {
    return "127.0.0.1:" + std::to_string(port_);
}

std::vector<std::string> RawHttpServer::requests() const {
    const std::lock_guard lock(mutex_);
    return requests_;
}

void RawHttpServer::Trickle(std::size_t head, std::chrono::milliseconds gap) {
    const std::lock_guard lock(mutex_);
    trickleHead_ = head;
    trickleGap_ = gap;
}

void RawHttpServer::Serve() {
    while (!stopping_) {
        pollfd wait{listener_, POLLIN, 0};
        if (poll(&wait, 1, kPollMs) <= 0) {
            continue;
        }
        const int client = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client >= 0) {
            Answer(client);
            close(client);
        }
    }
}

void RawHttpServer::Answer(int client) {
    const std::string request = ReadRequest(client);
    std::size_t head = 0;
    std::chrono::milliseconds gap{0};
    {
        const std::lock_guard lock(mutex_);
        requests_.push_back(request);
        head = trickleHead_;
        gap = trickleGap_;
    }
    const std::string answer = responder_(request);
    if (gap.count() > 0) {
        SendTrickling(client, answer, head, gap);
    } else {
        SendAll(client, answer);
    }
    shutdown(client, SHUT_WR);
}

void RawHttpServer::SendTrickling(int client, std::string_view answer, std::size_t head,
                                  std::chrono::milliseconds gap) {
    SendAll(client, answer.substr(0, head));
    for (std::size_t at = head; at < answer.size() && !stopping_; ++at) {
        std::this_thread::sleep_for(gap);
        if (send(client, answer.data() + at, 1, MSG_NOSIGNAL) != 1) {
            return;
        }
    }
}

int ClosedPort() {
    int port = 0;
    close(BindLoopback(port));
    return port;
}

}  // namespace test_support
