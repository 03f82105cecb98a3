#include "runtime/BytesOps.h"

#include <algorithm>

namespace runtime {

Text BytesToText(const Bytes& b) {
    const auto end = std::find(b.begin(), b.end(), 0);
    return Text(b.begin(), end);
}

Bytes TextToBytes(const Text& t) {
    return Bytes(t.begin(), t.end());
}

Text CharFromCode(std::uint8_t code) {
    return code == 0 ? Text() : Text(1, static_cast<char>(code));
}

Text BlankText(int n) {
    return n > 0 ? Text(static_cast<std::size_t>(n), ' ') : Text();
}

Bytes BlankBytes(int n) {
    return n > 0 ? Bytes(static_cast<std::size_t>(n), 0) : Bytes();
}

int BytesLength(const Bytes& b) {
    return static_cast<int>(b.size());
}

Bytes BytesLeft(const Bytes& b, int n) {
    if (n <= 0) {
        return {};
    }
    const std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(n), b.size());
    return Bytes(b.begin(), b.begin() + static_cast<std::ptrdiff_t>(count));
}

}  // namespace runtime
