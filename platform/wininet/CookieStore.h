#pragma once

#include <curl/curl.h>

// The process-wide cookie store, in memory only: every request opened with cookies shares it.
CURLSH* SharedCookieStore();
