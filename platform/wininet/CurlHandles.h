#pragma once

#include <curl/curl.h>

#include "runtime/Owned.h"

namespace wininet {

using EasyHandle = runtime::Owned<CURL*, curl_easy_cleanup>;
using MultiHandle = runtime::Owned<CURLM*, curl_multi_cleanup>;
using ShareHandle = runtime::Owned<CURLSH*, curl_share_cleanup>;
using HeaderList = runtime::Owned<curl_slist*, curl_slist_free_all>;

}  // namespace wininet
