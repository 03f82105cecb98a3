// The listing answer's whole way through the program, as the Get workflow takes it: HttpVisit of a
// POST, the bytes as text, percent-decoding with the UTF-8 step. The answer is percent-escaped
// UTF-8 (Chinese characters and ASCII) of a given size, or endless; with "ascii" it is plain
// ASCII, the worst case for memory since no byte goes away on the way. Prints the wall time, the
// length of the text that came out and this process's peak memory against the answer's size.
//   web_listing_bench MIB [ascii]        an answer of MIB MiB with its length
//   web_listing_bench endless [ascii]    an answer that never ends (chunked)
//
// The server runs in a child process so that its memory and work do not count as ours.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "runtime/BytesOps.h"
#include "tests/support/http/LoopbackServer.h"
#include "web/HttpVisit.h"
#include "web/PercentDecode.h"

namespace {

bool asciiAnswer = false;

// "中文 down/" escaped (or plain ASCII), 64 KiB of it over and over.
const std::string& Pattern() {
    static const std::string pattern = [] {
        const std::string piece =
            asciiAnswer ? "listing+down/ab.png " : "%E4%B8%AD%E6%96%87+down%2F";
        std::string text;
        while (text.size() + piece.size() <= 64 * 1024) {
            text += piece;
        }
        return text;
    }();
    return pattern;
}

bool WritePattern(std::size_t offset, std::size_t length, httplib::DataSink& sink) {
    const std::string& pattern = Pattern();
    const std::size_t at = offset % pattern.size();
    return sink.write(pattern.data() + at, std::min(length, pattern.size() - at));
}

// Serves the answer at "/quality.php" and reports its port through `pipe`.
[[noreturn]] void RunServer(int pipe, std::size_t size) {
    test_support::PlainServer server;
    server->Post("/quality.php", [size](const httplib::Request&, httplib::Response& response) {
        if (size == 0) {
            response.set_chunked_content_provider(
                "text/html", [](std::size_t offset, httplib::DataSink& sink) {
                    return WritePattern(offset, Pattern().size(), sink);
                });
        } else {
            response.set_content_provider(size, "text/html", WritePattern);
        }
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

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s MIB|endless [ascii]\n", argv[0]);
        return 2;
    }
    asciiAnswer = argc == 3 && std::string(argv[2]) == "ascii";
    const bool endless = std::string(argv[1]) == "endless";
    const std::size_t size = endless ? 0 : std::stoul(argv[1]) * 1024 * 1024;
    int fds[2];
    if (pipe(fds) != 0) {
        return 1;
    }
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        RunServer(fds[1], size);
    }
    close(fds[1]);
    int port = 0;
    if (read(fds[0], &port, sizeof port) != sizeof port) {
        return 1;
    }
    const std::string url = "http://127.0.0.1:" + std::to_string(port) + "/quality.php?home=x";

    const auto start = std::chrono::steady_clock::now();
    const runtime::Text answer =
        web::PercentDecode(runtime::BytesToText(web::HttpVisit(url, web::kPost)), true);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;
    std::printf("answer          %s, %s\n",
                endless ? "endless" : (std::string(argv[1]) + " MiB").c_str(),
                asciiAnswer ? "ASCII" : "escaped UTF-8");
    std::printf("time            %.2f s\n", seconds);
    std::printf("text out        %.1f MiB\n",
                static_cast<double>(answer.size()) / (1024.0 * 1024.0));
    std::printf("peak memory     %.0f MiB", peakMiB);
    if (!endless) {
        std::printf(" = %.2fx the answer", peakMiB * 1024 * 1024 / static_cast<double>(size));
    }
    std::printf("\n");
    return 0;
}
