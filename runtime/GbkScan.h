#pragma once

// Internal to the text operations: how a GBK text is walked character by character.

#include <cstddef>
#include <string_view>

namespace runtime::gbk {

inline bool IsLeadByte(unsigned char byte) {
    return byte >= 0x80;
}

// Width in bytes of the character starting at `at`; a lead byte at the very end is 1 wide so
// callers can recognise it and stop.
inline std::size_t CharWidth(std::string_view t, std::size_t at) {
    return IsLeadByte(static_cast<unsigned char>(t[at])) && at + 1 < t.size() ? 2 : 1;
}

inline bool IsDanglingLead(std::string_view t, std::size_t at) {
    return at + 1 == t.size() && IsLeadByte(static_cast<unsigned char>(t[at]));
}

inline bool IsSpaceAt(std::string_view t, std::size_t at) {
    if (t[at] == ' ') {
        return true;
    }
    return at + 1 < t.size() && static_cast<unsigned char>(t[at]) == 0xA1 &&
           static_cast<unsigned char>(t[at + 1]) == 0xA1;
}

}  // namespace runtime::gbk
