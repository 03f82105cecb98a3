#include "demo/DemoServices.h"

#include <httplib.h>

#include <cctype>
#include <cstdio>

#include "demo/QrPicture.h"

// This file is UTF-8, as the listing's answers are.

namespace demo {
namespace {

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

std::string Jpeg(const std::string& qrText, int moduleSize) {
    const auto jpeg = QrJpeg(qrText, moduleSize);
    return std::string(jpeg.begin(), jpeg.end());
}

}  // namespace

Endpoint ParseEndpoint(const std::string& text) {
    const auto colon = text.rfind(':');
    if (colon == std::string::npos) {
        return {text, 80};
    }
    return {text.substr(0, colon), std::atoi(text.c_str() + colon + 1)};
}

std::string PathFor(unsigned n) {
    char path[32];
    std::snprintf(path, sizeof path, "down/20261211%06u.jpg", n % 1000000);
    return path;
}

DemoServices::DemoServices()
    : listing_(std::make_unique<httplib::Server>()),
      announcement_(std::make_unique<httplib::Server>()) {
    listing_->Post("/quality.php",
                   [this](const httplib::Request& request, httplib::Response& response) {
                       ++listingRequests_;
                       if (!request.has_param("home")) {
                           response.status = 404;
                           return;
                       }
                       response.set_content(PercentEncode(NextAnswer()), "text/plain");
                   });
    // Every path from a listing or a stored address begins with "down".
    listing_->Get(R"(/images/(down.+))",
                  [](const httplib::Request& request, httplib::Response& response) {
                      const std::string path = request.matches[1];
                      response.set_content(Jpeg("tolvane-demo://group/" + path, 8), "image/jpeg");
                  });
    announcement_->Get("/GG.jpg", [this](const httplib::Request&, httplib::Response& response) {
        ++announcementRequests_;
        response.set_content(Jpeg("tolvane-demo://announcement", 10), "image/jpeg");
    });
}

DemoServices::~DemoServices() {
    Stop();
}

void DemoServices::SetListingAnswer(const std::string& text) {
    const std::lock_guard<std::mutex> hold(answerLock_);
    fixedAnswer_ = text;
}

std::string DemoServices::NextAnswer() {
    if (unusable_) {
        return "今日群已发完，请明天再来";
    }
    const std::lock_guard<std::mutex> hold(answerLock_);
    return fixedAnswer_.empty() ? "群二维码：" + PathFor(nextPath_++) + " 请扫码加入"
                                : fixedAnswer_;
}

bool DemoServices::Start(const Endpoint& listing, const Endpoint& announcement) {
    if (!listing_->bind_to_port(listing.host, listing.port) ||
        !announcement_->bind_to_port(announcement.host, announcement.port)) {
        return false;
    }
    listingThread_ = std::thread([this] { listing_->listen_after_bind(); });
    announcementThread_ = std::thread([this] { announcement_->listen_after_bind(); });
    return true;
}

void DemoServices::Stop() {
    listing_->stop();
    announcement_->stop();
    if (listingThread_.joinable()) {
        listingThread_.join();
    }
    if (announcementThread_.joinable()) {
        announcementThread_.join();
    }
}

}  // namespace demo
