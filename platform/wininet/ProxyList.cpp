#include "platform/wininet/ProxyList.h"

namespace wininet {

std::optional<std::string> ProxyFor(std::string_view list, bool secure) {
    const std::string_view wanted = secure ? "https" : "http";
    std::optional<std::string> bare;
    constexpr std::string_view kSeparators = " ;\t";
    std::size_t at = list.find_first_not_of(kSeparators);
    while (at != std::string_view::npos) {
        const std::size_t end = list.find_first_of(kSeparators, at);
        const std::string_view entry = list.substr(at, end - at);
        const std::size_t equals = entry.find('=');
        if (equals == std::string_view::npos) {
            if (!bare) {
                bare = std::string(entry);
            }
        } else if (entry.substr(0, equals) == wanted && equals + 1 < entry.size()) {
            return std::string(entry.substr(equals + 1));
        }
        at = end == std::string_view::npos ? end : list.find_first_not_of(kSeparators, end);
    }
    return bare;
}

}  // namespace wininet
