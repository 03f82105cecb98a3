#include <optional>

#include "platform/gdiplus/CallLog.h"
#include "platform/gdiplus/ComBase.h"

namespace {

std::optional<unsigned> HexDigit(OLECHAR c) {
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'a' && c <= u'f') {
        return c - u'a' + 10;
    }
    if (c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    return std::nullopt;
}

// Reads `digits` hex digits at text[pos]; the text is known to reach that far.
std::optional<std::uint32_t> Hex(LPCOLESTR text, int pos, int digits) {
    std::uint32_t value = 0;
    for (int i = 0; i < digits; ++i) {
        const auto d = HexDigit(text[pos + i]);
        if (!d) {
            return std::nullopt;
        }
        value = value << 4 | *d;
    }
    return value;
}

std::optional<GUID> Parse(LPCOLESTR text) {
    constexpr int kLength = 38;
    for (int i = 0; i < kLength; ++i) {
        if (text[i] == 0) {
            return std::nullopt;
        }
    }
    if (text[kLength] != 0 || text[0] != u'{' || text[37] != u'}' || text[9] != u'-' ||
        text[14] != u'-' || text[19] != u'-' || text[24] != u'-') {
        return std::nullopt;
    }
    GUID g{};
    const auto d1 = Hex(text, 1, 8), d2 = Hex(text, 10, 4), d3 = Hex(text, 15, 4);
    if (!d1 || !d2 || !d3) {
        return std::nullopt;
    }
    g.Data1 = *d1;
    g.Data2 = static_cast<std::uint16_t>(*d2);
    g.Data3 = static_cast<std::uint16_t>(*d3);
    constexpr int kByteAt[8] = {20, 22, 25, 27, 29, 31, 33, 35};
    for (int i = 0; i < 8; ++i) {
        const auto b = Hex(text, kByteAt[i], 2);
        if (!b) {
            return std::nullopt;
        }
        g.Data4[i] = static_cast<std::uint8_t>(*b);
    }
    return g;
}

}  // namespace

HRESULT CLSIDFromString(LPCOLESTR lpsz, LPCLSID pclsid) {
    const gdiplus::LoggedCall call("CLSIDFromString");
    if (pclsid == nullptr) {
        return E_INVALIDARG;
    }
    *pclsid = GUID{};
    if (lpsz == nullptr) {
        return S_OK;
    }
    const auto parsed = Parse(lpsz);
    if (!parsed) {
        return CO_E_CLASSSTRING;
    }
    *pclsid = *parsed;
    return S_OK;
}
