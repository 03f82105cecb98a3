#include "web/CodePageText.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/CodePageApi.h"
#include "runtime/PlatformText.h"

namespace web {
namespace {

// The UTF-8 that one step of Utf8ToAnsi converts: its UTF-16 form, twice this size or more,
// stays small however large the text is.
constexpr std::size_t kUtf8Piece = 64 * 1024;
// A UTF-8 character is at most this many bytes long.
constexpr std::size_t kLongestUtf8 = 4;

bool IsUtf8Continuation(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// Where the piece that begins at `at` ends: after about kUtf8Piece bytes, at a character start.
std::size_t PieceEnd(const Text& text, std::size_t at) {
    std::size_t end = std::min(text.size(), at + kUtf8Piece);
    for (std::size_t back = 1;
         back < kLongestUtf8 && end < text.size() && IsUtf8Continuation(text[end]); ++back) {
        --end;
    }
    return end;
}

// The units before the first zero unit; a trailing odd byte is no unit.
std::u16string UnitsOf(const Bytes& units) {
    const std::size_t whole = units.size() / 2;
    std::size_t count = 0;
    while (count < whole && (units[2 * count] | units[2 * count + 1]) != 0) {
        ++count;
    }
    std::u16string result(count, u'\0');
    if (count > 0) {
        std::memcpy(result.data(), units.data(), 2 * count);
    }
    return result;
}

}  // namespace

Bytes TextToUtf16(const Text& text, unsigned codePage) {
    if (text.empty()) {
        return {};
    }
    const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    Bytes buffer(2 * static_cast<std::size_t>(n), 0);
    // The converter stores its units byte-wise, little-endian, into the caller's memory.
    MultiByteToWideChar(codePage, 0, text.c_str(), -1, reinterpret_cast<LPWSTR>(buffer.data()), n);
    return buffer;
}

Text Utf16ToText(const Bytes& units, unsigned codePage) {
    // Converting a copy that surely ends with a zero unit keeps a Bytes without one in bounds.
    const std::u16string terminated = UnitsOf(units);
    if (terminated.empty()) {
        return {};
    }
    const int m =
        WideCharToMultiByte(CP_ACP, 0, terminated.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string buffer(static_cast<std::size_t>(2 * m), ' ');
    WideCharToMultiByte(codePage, 0, terminated.c_str(), -1, buffer.data(), 2 * m, nullptr,
                        nullptr);
    return runtime::TextUpToZero(buffer);
}

Text Utf8ToAnsi(const Text& text) {
    // Piece by piece, each cut between two characters, gives the same text as converting it
    // whole, but never holds the whole text's UTF-16 form. Code page 936 never needs more bytes
    // than UTF-8 for a character, so the reserved room is enough for valid input.
    Text result;
    result.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = PieceEnd(text, at);
        result += Utf16ToText(TextToUtf16(text.substr(at, end - at)), 936);
        at = end;
    }
    return result;
}

}  // namespace web
