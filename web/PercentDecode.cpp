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

Text PercentDecode(Text text, bool utf8) {
    // Every escape is longer than the byte it stands for, so the decoded bytes are written over
    // the text behind the reading position.
    std::size_t written = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            text[written++] = text[i];
            continue;
        }
        const int hi = DigitValue(text, ++i);
        const int lo = DigitValue(text, ++i);
        const int value = ((hi * 16 + lo) % 256 + 256) % 256;
        if (value != 0) {
            text[written++] = static_cast<char>(value);
        }
    }
    text.resize(written);
    if (utf8) {
        return Utf8ToAnsi(text);
    }
    return text;
}

}  // namespace web
