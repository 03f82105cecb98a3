#include "platform/wininet/CookieStore.h"

#include "platform/wininet/CurlHandles.h"

namespace wininet {

CURLSH* SharedCookieStore() {
    // The program makes its requests on one thread, so the share needs no lock callbacks.
    static const ShareHandle store = [] {
        ShareHandle share(curl_share_init());
        curl_share_setopt(share.handle, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
        return share;
    }();
    return store.handle;
}

}  // namespace wininet
