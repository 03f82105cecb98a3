#include "web/PercentDecode.h"

#include "web/CodePageText.h"

namespace web {
namespace {

// The digit's value; -2 for a non-digit and 0 past the end of the text.
int DigitValue(const Text& text, std::size_t at) {
    if (at >= text.size()) {
        return 0;
    }
    const char c = text[at];
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -2;
}

}  // namespace

Text PercentDecode(const Text& text, bool utf8) {
    Text result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            result.push_back(text[i]);
            continue;
        }
        const int hi = DigitValue(text, ++i);
        const int lo = DigitValue(text, ++i);
        const int value = ((hi * 16 + lo) % 256 + 256) % 256;
        if (value != 0) {
            result.push_back(static_cast<char>(value));
        }
    }
    return utf8 ? Utf8ToAnsi(result) : result;
}

}  // namespace web
