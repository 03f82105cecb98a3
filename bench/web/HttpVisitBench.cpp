// HttpVisit of a 256 MiB answer from a loopback server, against `curl -s -o /dev/null` of the
// same address: the wall-time ratio (goal <= 1.1) and this process's peak memory against the body
// size (goal <= 1.5: the answer is never held twice on its way into the result).
//
// The server runs in a child process so that its memory and work do not count as ours. A third
// figure, the time to append the same bytes to a Bytes 1024 at a time without any network, is
// the floor that storing the answer costs on this machine; curl to /dev/null stores nothing.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "tests/support/http/LoopbackServer.h"
#include "web/HttpVisit.h"

namespace {

constexpr std::size_t kBodySize = 256u * 1024 * 1024;
constexpr int kRuns = 3;
volatile std::size_t benchmarkSink = 0;

// Serves kBodySize bytes of a repeating pattern at "/big" and reports its port through `pipe`.
[[noreturn]] void RunServer(int pipe) {
    static const std::string pattern = [] {
        std::string text(64 * 1024, '\0');
        for (std::size_t i = 0; i < text.size(); ++i) {
            text[i] = static_cast<char>('a' + i % 23);
        }
        return text;
    }();
    test_support::PlainServer server;
    server->Get("/big", [](const httplib::Request&, httplib::Response& response) {
        response.set_content_provider(
            kBodySize, "application/octet-stream",
            [](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
                const std::size_t at = offset % pattern.size();
                return sink.write(pattern.data() + at, std::min(length, pattern.size() - at));
            });
    });
    server.Start();
    const int port = server.port();
    if (write(pipe, &port, sizeof port) != sizeof port) {
        std::_Exit(1);
    }
    while (true) {
        pause();
    }
}

template <typename Work>
double BestSeconds(Work work) {
    double best = 1e9;
    for (int i = 0; i < kRuns; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        best = std::min(
            best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

}  // namespace

int main() {
    int fds[2];
    if (pipe(fds) != 0) {
        return 1;
    }
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        RunServer(fds[1]);
    }
    close(fds[1]);
    int port = 0;
    if (read(fds[0], &port, sizeof port) != sizeof port) {
        return 1;
    }
    const std::string url = "http://127.0.0.1:" + std::to_string(port) + "/big";

    std::size_t received = 0;
    const double visit = BestSeconds([&] { received = web::HttpVisit(url).size(); });
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;

    const double floor = BestSeconds([] {
        const std::uint8_t chunk[1024] = {};
        runtime::Bytes bytes;
        for (std::size_t i = 0; i < kBodySize / sizeof chunk; ++i) {
            bytes.insert(bytes.end(), chunk, chunk + sizeof chunk);
        }
        benchmarkSink = bytes.size();
    });

    const std::string command = "curl -s -o /dev/null '" + url + "'";
    int curlStatus = 0;
    const double curl = BestSeconds([&] { curlStatus = std::system(command.c_str()); });

    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);

    const double bodyMiB = static_cast<double>(kBodySize) / (1024.0 * 1024.0);
    std::printf("body            %.0f MiB (received %zu bytes)\n", bodyMiB, received);
    std::printf("HttpVisit       %.3f s  (%.0f MiB/s, best of %d)\n", visit, bodyMiB / visit,
                kRuns);
    std::printf("curl            %.3f s  (%.0f MiB/s, best of %d, exit %d)\n", curl, bodyMiB / curl,
                kRuns, curlStatus);
    std::printf("storing floor   %.3f s  (appending to a Bytes alone, best of %d)\n", floor, kRuns);
    std::printf("time ratio      %.2f  (goal <= 1.10); against curl + floor %.2f\n", visit / curl,
                visit / (curl + floor));
    std::printf("peak memory     %.0f MiB = %.2fx the body  (goal <= 1.50)\n", peakMiB,
                peakMiB / bodyMiB);
    return received == kBodySize ? 0 : 1;
}
