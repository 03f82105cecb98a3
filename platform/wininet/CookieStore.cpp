#include "platform/wininet/CookieStore.h"

#include <memory>

namespace {

struct ShareCleanup {
    void operator()(CURLSH* share) const { curl_share_cleanup(share); }
};

}  // namespace

CURLSH* SharedCookieStore() {
    // The program makes its requests on one thread, so the share needs no lock callbacks.
    static const std::unique_ptr<CURLSH, ShareCleanup> store = [] {
        std::unique_ptr<CURLSH, ShareCleanup> share(curl_share_init());
        curl_share_setopt(share.get(), CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
        return share;
    }();
    return store.get();
}
