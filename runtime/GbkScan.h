#pragma once

// How a GBK text is walked character by character: the text operations, and the places that
// must keep double-byte characters whole.

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

// Whether code page 936 itself reads a double-byte character at `at`. Stricter than the text
// operations' walk: 0x80 ("€") and 0xFF stand alone there, and control bytes, "/" and the other
// bytes below 0x40 never trail a lead byte. For places where a byte that the platform would
// read on its own, such as a "\" after "€", must be seen as such.
inline bool IsDoubleByteAt(std::string_view t, std::size_t at) {
    if (at + 1 >= t.size()) {
        return false;
    }
    const auto lead = static_cast<unsigned char>(t[at]);
    const auto trail = static_cast<unsigned char>(t[at + 1]);
    return lead >= 0x81 && lead <= 0xFE && trail >= 0x40 && trail != 0x7F && trail != 0xFF;
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
