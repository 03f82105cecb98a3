#pragma once

#include <curl/curl.h>

namespace wininet {

// The process-wide cookie store, in memory only: every request opened with cookies shares it.
CURLSH* SharedCookieStore();

}  // namespace wininet
