#pragma once

#include <string>
#include <string_view>

#include "platform/wininet/CurlHandles.h"

namespace wininet {

// The caller's header block as libcurl's header list, so that exactly these lines go out: curl
// adds none of its own Accept, Content-Type or Expect lines, and a line without a value is sent
// as it is. With `cookieValue`, a Cookie line is taken out of the list and its value handed
// there instead, so that the cookie store can send it on one line with the stored cookies.
HeaderList RequestHeaders(std::string_view block, std::string* cookieValue);

}  // namespace wininet
