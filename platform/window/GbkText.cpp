#include "platform/window/GbkText.h"

#include <vector>

#include "platform/codepage/CodePage.h"

namespace window {

QString QStringFromGbk(const runtime::Text& text) {
    if (text.empty()) {
        return {};
    }
    const int length = static_cast<int>(text.size());
    const int units = MultiByteToWideChar(CP_GBK, 0, text.data(), length, nullptr, 0);
    std::vector<WCHAR> buffer(static_cast<std::size_t>(units));
    MultiByteToWideChar(CP_GBK, 0, text.data(), length, buffer.data(), units);
    return QString::fromUtf16(buffer.data(), units);
}

runtime::Text GbkFromQString(const QString& text) {
    if (text.isEmpty()) {
        return {};
    }
    const auto* units = reinterpret_cast<const WCHAR*>(text.utf16());
    const int length = static_cast<int>(text.size());
    const int bytes = WideCharToMultiByte(CP_GBK, 0, units, length, nullptr, 0, nullptr, nullptr);
    runtime::Text out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_GBK, 0, units, length, out.data(), bytes, nullptr, nullptr);
    return out;
}

}  // namespace window
