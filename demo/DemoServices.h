#pragma once

// The demo's own services on loopback, in one object: the listing service with its picture store
// on one address, the announcement host on another.

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace httplib {
class Server;
}

namespace demo {

struct Endpoint {
    std::string host;
    int port = 0;
};

// "host:port".
Endpoint ParseEndpoint(const std::string& text);

// The 23-character path of the n-th listing answer: "down/", 14 digits, ".jpg".
std::string PathFor(unsigned n);

class DemoServices {
  public:
    DemoServices();
    ~DemoServices();
    DemoServices(const DemoServices&) = delete;
    DemoServices& operator=(const DemoServices&) = delete;

    // False when either address cannot be listened on.
    bool Start(const Endpoint& listing, const Endpoint& announcement);
    void Stop();

    // An unusable listing answers with no path in its text, so the program falls back to the
    // addresses stored in its table.
    void SetListingUnusable(bool unusable) { unusable_ = unusable; }
    // Every further listing answer holds this UTF-8 text, percent-encoded; empty: numbered
    // paths again.
    void SetListingAnswer(const std::string& text);
    int ListingRequests() const { return listingRequests_; }
    int AnnouncementRequests() const { return announcementRequests_; }

  private:
    std::string NextAnswer();

    std::unique_ptr<httplib::Server> listing_;
    std::unique_ptr<httplib::Server> announcement_;
    std::thread listingThread_;
    std::thread announcementThread_;
    std::atomic<bool> unusable_{false};
    std::mutex answerLock_;
    std::string fixedAnswer_;
    std::atomic<unsigned> nextPath_{1};
    std::atomic<int> listingRequests_{0};
    std::atomic<int> announcementRequests_{0};
};

}  // namespace demo
