#include "runtime/TextNumbers.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

#include "runtime/GbkScan.h"

namespace runtime {
namespace {

// Full-width ASCII forms are 0xA3 0xA1..0xFE; the full-width space is 0xA1 0xA1.
Text WithHalfWidthForms(const Text& t) {
    Text out;
    out.reserve(t.size());
    for (std::size_t at = 0; at < t.size();) {
        const std::size_t width = gbk::CharWidth(t, at);
        const auto lead = static_cast<unsigned char>(t[at]);
        const auto trail = width == 2 ? static_cast<unsigned char>(t[at + 1]) : 0;
        if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
            out += static_cast<char>(trail - 0x80);
        } else if (lead == 0xA1 && trail == 0xA1) {
            out += ' ';
        } else {
            out.append(t, at, width);
        }
        at += width;
    }
    return out;
}

bool IsWhiteSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

int TextToInt(const Text& t) {
    const Text s = WithHalfWidthForms(t);
    std::size_t at = 0;
    while (at < s.size() && IsWhiteSpace(s[at])) {
        ++at;
    }
    bool negative = false;
    if (at < s.size() && (s[at] == '+' || s[at] == '-')) {
        negative = s[at] == '-';
        ++at;
    }
    const std::int64_t limit = negative ? -std::int64_t{std::numeric_limits<int>::min()}
                                        : std::int64_t{std::numeric_limits<int>::max()};
    std::int64_t value = 0;
    for (; at < s.size() && s[at] >= '0' && s[at] <= '9'; ++at) {
        value = std::min(limit, value * 10 + (s[at] - '0'));
    }
    return static_cast<int>(negative ? -value : value);
}

Text NumberToText(int n) {
    return std::to_string(n);
}

}  // namespace runtime
