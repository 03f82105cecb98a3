// tolvane-demo-services: the demo's listing service, picture store and announcement host on
// loopback, and the table behind the program's database connection.
//
//   tolvane-demo-services [--listing HOST:PORT] [--announcement HOST:PORT]
//                         [--database FILE] [--listing-unusable]
//
// It runs until it is stopped (SIGINT or SIGTERM).

#include <csignal>
#include <cstdio>
#include <string>

#include <unistd.h>

#include "demo/AddressTable.h"
#include "demo/DemoServices.h"

namespace {

constexpr int kStoredRows = 120;

volatile std::sig_atomic_t stopRequested = 0;

void RequestStop(int) {
    stopRequested = 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::string listing = "127.0.0.1:18080";
    std::string announcement = "127.0.0.2:18081";
    std::string database;
    bool unusable = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--listing" && i + 1 < argc) {
            listing = argv[++i];
        } else if (arg == "--announcement" && i + 1 < argc) {
            announcement = argv[++i];
        } else if (arg == "--database" && i + 1 < argc) {
            database = argv[++i];
        } else if (arg == "--listing-unusable") {
            unusable = true;
        } else {
            std::fprintf(stderr,
                         "usage: %s [--listing H:P] [--announcement H:P] [--database FILE] "
                         "[--listing-unusable]\n",
                         argv[0]);
            return 2;
        }
    }
    if (!database.empty() &&
        !demo::PrepareAddressTable(database, "http://" + listing + "/images/", kStoredRows)) {
        std::fprintf(stderr, "cannot prepare the table in %s\n", database.c_str());
        return 1;
    }
    demo::DemoServices services;
    services.SetListingUnusable(unusable);
    if (!services.Start(demo::ParseEndpoint(listing), demo::ParseEndpoint(announcement))) {
        std::fprintf(stderr, "cannot listen on %s or %s\n", listing.c_str(), announcement.c_str());
        return 1;
    }
    std::signal(SIGINT, RequestStop);
    std::signal(SIGTERM, RequestStop);
    std::printf("listing on %s, announcement on %s%s\n", listing.c_str(), announcement.c_str(),
                unusable ? " (listing unusable)" : "");
    std::fflush(stdout);
    while (stopRequested == 0) {
        pause();
    }
    return 0;
}
