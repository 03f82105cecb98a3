#include "web/CodePageText.h"

#include <cstring>
#include <string>

#include "platform/codepage/CodePage.h"
#include "runtime/PlatformText.h"

namespace web {
namespace {

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
    return Utf16ToText(TextToUtf16(text), 936);
}

}  // namespace web
