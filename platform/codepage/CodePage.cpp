#include "platform/codepage/CodePage.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace {

// UTF-16 in memory is little-endian on every target we build for.
constexpr const char* kUtf16 = "UTF-16LE";
constexpr char16_t kReplacementChar = 0xFFFD;

std::optional<const char*> IconvName(UINT codePage) {
    switch (codePage) {
        case CP_ACP:
        case CP_GBK:
            return "CP936";
        case CP_UTF8:
            return "UTF-8";
        default:
            return std::nullopt;
    }
}

class Iconv {
  public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    ~Iconv() {
        if (ok()) {
            iconv_close(cd_);
        }
    }
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts all of `in`; whenever iconv refuses a sequence, `replace` is told the bytes still
    // pending and returns how many to skip after appending its replacement to `out`.
    template <typename Replace>
    void Convert(std::string_view in, std::string& out, Replace replace) {
        char* inPtr = const_cast<char*>(in.data());
        std::size_t inLeft = in.size();
        char chunk[4096];
        while (inLeft > 0) {
            char* outPtr = chunk;
            std::size_t outLeft = sizeof chunk;
            const std::size_t rc = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
            out.append(chunk, static_cast<std::size_t>(outPtr - chunk));
            if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
                const std::size_t skip = std::min(inLeft, replace(inLeft, out));
                inPtr += skip;
                inLeft -= skip;
                iconv(cd_, nullptr, nullptr, nullptr, nullptr);
            }
        }
    }

  private:
    iconv_t cd_;
};

void AppendUnit(std::string& utf16, char16_t unit) {
    utf16.push_back(static_cast<char>(unit & 0xFF));
    utf16.push_back(static_cast<char>(unit >> 8));
}

// The input as the platform counts it: -1 means up to and including the terminator.
template <typename Char>
std::optional<std::basic_string_view<Char>> InputOf(const Char* data, int length) {
    if (data == nullptr || length == 0 || length < -1) {
        return std::nullopt;
    }
    if (length == -1) {
        return std::basic_string_view<Char>(data, std::char_traits<Char>::length(data) + 1);
    }
    return std::basic_string_view<Char>(data, static_cast<std::size_t>(length));
}

// Copies what fits; fails with ERROR_INSUFFICIENT_BUFFER when not all of it does.
template <typename Char>
int DeliverOutput(const std::basic_string<Char>& result, Char* out, int capacity) {
    const auto needed = static_cast<int>(result.size());
    if (out == nullptr || capacity == 0) {
        return needed;
    }
    const int copied = std::min(needed, capacity);
    std::memcpy(out, result.data(), static_cast<std::size_t>(copied) * sizeof(Char));
    if (copied < needed) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    return needed;
}

}  // namespace

int MultiByteToWideChar(UINT CodePage, DWORD /*dwFlags*/, LPCCH lpMultiByteStr, int cbMultiByte,
                        LPWSTR lpWideCharStr, int cchWideChar) {
    const auto name = IconvName(CodePage);
    const auto in = InputOf(lpMultiByteStr, cbMultiByte);
    if (!name || !in || cchWideChar < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    Iconv converter(kUtf16, *name);
    if (!converter.ok()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::string utf16;
    converter.Convert(*in, utf16, [](std::size_t, std::string& out) {
        AppendUnit(out, kReplacementChar);
        return std::size_t{1};
    });
    std::u16string units(utf16.size() / 2, u'\0');
    std::memcpy(units.data(), utf16.data(), units.size() * 2);
    return DeliverOutput(units, lpWideCharStr, cchWideChar);
}

int WideCharToMultiByte(UINT CodePage, DWORD /*dwFlags*/, LPCWCH lpWideCharStr, int cchWideChar,
                        LPSTR lpMultiByteStr, int cbMultiByte, LPCCH lpDefaultChar,
                        LPBOOL lpUsedDefaultChar) {
    const auto name = IconvName(CodePage);
    const auto in = InputOf(lpWideCharStr, cchWideChar);
    const bool utf8 = CodePage == CP_UTF8;
    // As on the platform, UTF-8 has no default character to report.
    if (!name || !in || cbMultiByte < 0 ||
        (utf8 && (lpDefaultChar != nullptr || lpUsedDefaultChar != nullptr))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    Iconv converter(*name, kUtf16);
    if (!converter.ok()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const std::string_view bytes(reinterpret_cast<const char*>(in->data()), in->size() * 2);
    const std::string replacement =
        utf8 ? "\xEF\xBF\xBD" : std::string(1, lpDefaultChar ? *lpDefaultChar : '?');
    bool usedDefault = false;
    std::string result;
    converter.Convert(bytes, result, [&](std::size_t pending, std::string& out) {
        out += replacement;
        usedDefault = true;
        // A high surrogate with its low half is one character that cannot be mapped.
        const auto* unit = reinterpret_cast<const char16_t*>(bytes.data() + bytes.size() - pending);
        const bool pair = pending >= 4 && unit[0] >= 0xD800 && unit[0] < 0xDC00 &&
                          unit[1] >= 0xDC00 && unit[1] < 0xE000;
        return std::size_t{pair ? 4u : 2u};
    });
    if (lpUsedDefaultChar != nullptr) {
        *lpUsedDefaultChar = usedDefault ? TRUE : FALSE;
    }
    return DeliverOutput(result, lpMultiByteStr, cbMultiByte);
}
