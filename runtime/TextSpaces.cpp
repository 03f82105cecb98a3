#include "runtime/TextSpaces.h"

#include "runtime/GbkScan.h"

namespace runtime {

Text TrimText(const Text& t) {
    std::size_t first = 0;
    while (first < t.size() && gbk::IsSpaceAt(t, first)) {
        first += gbk::CharWidth(t, first);
    }
    std::size_t end = first;
    for (std::size_t at = first; at < t.size();) {
        const std::size_t width = gbk::CharWidth(t, at);
        if (!gbk::IsSpaceAt(t, at)) {
            end = at + width;
        }
        at += width;
    }
    return t.substr(first, end - first);
}

Text RemoveSpaces(const Text& t) {
    Text out;
    out.reserve(t.size());
    for (std::size_t at = 0; at < t.size();) {
        const std::size_t width = gbk::CharWidth(t, at);
        if (!gbk::IsSpaceAt(t, at)) {
            out.append(t, at, width);
        }
        at += width;
    }
    return out;
}

}  // namespace runtime
