#pragma once

#include <string_view>

namespace wininet {

// Whether a header line is named `name`, ignoring the case of ASCII letters.
inline bool HeaderNameIs(std::string_view line, std::string_view name) {
    if (line.size() <= name.size() || line[name.size()] != ':') {
        return false;
    }
    for (std::size_t i = 0; i < name.size(); ++i) {
        if ((line[i] | 0x20) != (name[i] | 0x20)) {
            return false;
        }
    }
    return true;
}

}  // namespace wininet
