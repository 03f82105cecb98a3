// The demo's own services on loopback: the listing service with its picture store, and the
// announcement host on a second address. This file is UTF-8, as the listing's answers are.
//
//   tolvane-demo-services [--listing HOST:PORT] [--announcement HOST:PORT] [--listing-unusable]
//
// --listing-unusable makes the listing answer hold no usable path, so the program falls back to
// the addresses stored in its table.

#include <httplib.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <regex>
#include <string>
#include <thread>

#include "demo/QrPicture.h"

namespace {

struct Address {
    std::string host;
    int port = 0;
};

Address ParseAddress(const std::string& text) {
    const auto colon = text.rfind(':');
    return {text.substr(0, colon), std::stoi(text.substr(colon + 1))};
}

std::string PercentEncode(const std::string& bytes) {
    static const char* const kDigits = "0123456789ABCDEF";
    std::string out;
    for (const unsigned char c : bytes) {
        if (std::isalnum(c) || c == '.' || c == '-' || c == '_') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kDigits[c >> 4];
            out += kDigits[c & 15];
        }
    }
    return out;
}

// A 23-character path: "down/", 14 digits, ".jpg".
std::string PathFor(unsigned number) {
    char path[32];
    std::snprintf(path, sizeof path, "down/20261211%06u.jpg", number % 1000000);
    return path;
}

void ServeListing(httplib::Server& server, bool unusable) {
    static std::atomic<unsigned> next{1};
    server.Post("/quality.php", [unusable](const httplib::Request& request, httplib::Response& response) {
        if (!request.has_param("home")) {
            response.status = 404;
            return;
        }
        const std::string text = unusable ? "今日群已发完，请明天再来"
                                          : "群二维码：" + PathFor(next++) + " 请扫码加入";
        response.set_content(PercentEncode(text), "text/plain");
    });
    server.Get(R"(/images/(down/\d{14}\.jpg))", [](const httplib::Request& request,
                                                 httplib::Response& response) {
        const std::string path = request.matches[1];
        const auto jpeg = QrJpeg("tolvane-demo://group/" + path, 8);
        response.set_content(std::string(jpeg.begin(), jpeg.end()), "image/jpeg");
    });
}

void ServeAnnouncement(httplib::Server& server) {
    server.Get("/GG.jpg", [](const httplib::Request&, httplib::Response& response) {
        const auto jpeg = QrJpeg("tolvane-demo://announcement/welcome", 10);
        response.set_content(std::string(jpeg.begin(), jpeg.end()), "image/jpeg");
    });
}

}  // namespace

int main(int argc, char** argv) {
    Address listing{"127.0.0.1", 18080};
    Address announcement{"127.0.0.2", 18081};
    bool unusable = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--listing" && i + 1 < argc) {
            listing = ParseAddress(argv[++i]);
        } else if (arg == "--announcement" && i + 1 < argc) {
            announcement = ParseAddress(argv[++i]);
        } else if (arg == "--listing-unusable") {
            unusable = true;
        } else {
            std::fprintf(stderr, "usage: %s [--listing H:P] [--announcement H:P] [--listing-unusable]\n", argv[0]);
            return 2;
        }
    }
    httplib::Server listingServer;
    httplib::Server announcementServer;
    ServeListing(listingServer, unusable);
    ServeAnnouncement(announcementServer);
    if (!listingServer.bind_to_port(listing.host, listing.port) ||
        !announcementServer.bind_to_port(announcement.host, announcement.port)) {
        std::fprintf(stderr, "cannot listen on %s:%d or %s:%d\n", listing.host.c_str(), listing.port,
                     announcement.host.c_str(), announcement.port);
        return 1;
    }
    std::thread announcementThread([&] { announcementServer.listen_after_bind(); });
    std::printf("listing on %s:%d, announcement on %s:%d\n", listing.host.c_str(), listing.port,
                announcement.host.c_str(), announcement.port);
    std::fflush(stdout);
    listingServer.listen_after_bind();
    announcementServer.stop();
    announcementThread.join();
    return 0;
}
