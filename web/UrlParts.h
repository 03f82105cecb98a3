#pragma once

// Taking an address apart. Every input yields a defined result, however odd; an address without
// a scheme is plain HTTP.

#include <optional>

#include "runtime/Text.h"

namespace web {

using runtime::Text;

// The host, lower-case. With `suffixDots` omitted the host is what lies between the scheme and
// the next "/"; given, it is the number of dots in the domain suffix (".com" 1, ".com.cn" 2) and
// the result keeps that suffix plus two labels (plus one with `mainDomain`). `mainDomain` without
// `suffixDots` keeps the last two labels. `keepPort` keeps a ":port" after the host.
Text UrlHost(const Text& url, bool mainDomain = false, bool keepPort = false,
             std::optional<int> suffixDots = std::nullopt);

// The explicit port, else 443 for "https" addresses and 80 for the rest; 0 for ":" without digits.
int UrlPort(const Text& url);

// From the first "/" after the host to the end, in the given case; "/" when there is none.
Text UrlPath(const Text& url);

}  // namespace web
