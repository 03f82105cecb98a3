#include <cstring>
#include <string>

#include "image/ConvertImage.h"
#include "platform/codepage/CodePage.h"
#include "runtime/BytesOps.h"
#include "runtime/TextCut.h"

namespace image {

runtime::Bytes AnsiToUtf16(const runtime::Text& text) {
    if (text.empty()) {
        return {};
    }
    // The length counts the terminating zero, so the result carries one too.
    const int length = runtime::TextLength(text) + 1;
    const int units = MultiByteToWideChar(CP_ACP, 0, text.c_str(), length, nullptr, 0);
    std::u16string wide(static_cast<std::size_t>(std::max(units, 0)), u'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), length, wide.data(), units);
    runtime::Bytes bytes = runtime::BlankBytes(2 * units);
    for (std::size_t i = 0; i < wide.size(); ++i) {
        bytes[2 * i] = static_cast<std::uint8_t>(wide[i]);
        bytes[2 * i + 1] = static_cast<std::uint8_t>(wide[i] >> 8);
    }
    return bytes;
}

CLSID ClsidFromText(const runtime::Text& text) {
    const runtime::Bytes utf16 = AnsiToUtf16(text);
    std::u16string wide(utf16.size() / 2, u'\0');
    for (std::size_t i = 0; i < wide.size(); ++i) {
        wide[i] = static_cast<char16_t>(utf16[2 * i] | (utf16[2 * i + 1] << 8));
    }
    CLSID clsid{};
    CLSIDFromString(utf16.empty() ? nullptr : wide.c_str(), &clsid);
    return clsid;
}

}  // namespace image
