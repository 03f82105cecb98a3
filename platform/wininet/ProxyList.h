#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace wininet {

// The proxy that a list of the platform's syntax names for a plain or a secure request:
// "https=host:port" or "http=host:port" for that scheme, else the first bare "host:port".
// Entries are separated by spaces or semicolons; entries for other schemes are ignored.
std::optional<std::string> ProxyFor(std::string_view list, bool secure);

}  // namespace wininet
