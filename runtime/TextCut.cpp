#include "runtime/TextCut.h"

#include <algorithm>

namespace runtime {

int TextLength(const Text& t) {
    return static_cast<int>(t.size());
}

Text TextLeft(const Text& t, int n) {
    if (n <= 0) {
        return {};
    }
    return t.substr(0, std::min<std::size_t>(static_cast<std::size_t>(n), t.size()));
}

Text TextRight(const Text& t, int n) {
    if (n <= 0) {
        return {};
    }
    const std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(n), t.size());
    return t.substr(t.size() - count);
}

Text TextMid(const Text& t, int start, int n) {
    if (start < 1 || static_cast<std::size_t>(start) > t.size() || n <= 0) {
        return {};
    }
    return t.substr(static_cast<std::size_t>(start) - 1, static_cast<std::size_t>(n));
}

}  // namespace runtime
