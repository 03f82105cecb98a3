#include <string>

#include "image/ConvertImage.h"
#include "platform/CodePageApi.h"
#include "web/CodePageText.h"

namespace image {

CLSID ClsidFromText(const runtime::Text& text) {
    // Little-endian units with a final zero unit; empty for an empty text.
    const runtime::Bytes utf16 = web::TextToUtf16(text, CP_ACP);
    std::u16string wide(utf16.size() / 2, u'\0');
    for (std::size_t i = 0; i < wide.size(); ++i) {
        wide[i] = static_cast<char16_t>(utf16[2 * i] | (utf16[2 * i + 1] << 8));
    }
    CLSID clsid{};
    CLSIDFromString(utf16.empty() ? nullptr : wide.c_str(), &clsid);
    return clsid;
}

}  // namespace image
