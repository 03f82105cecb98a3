#include "runtime/TextCase.h"

#include "runtime/GbkScan.h"

namespace runtime {
namespace {

template <char From, char To>
Text MapLetters(const Text& t) {
    Text out = t;
    for (std::size_t at = 0; at < out.size(); at += gbk::CharWidth(out, at)) {
        if (out[at] >= From && out[at] <= From + 25) {
            out[at] = static_cast<char>(out[at] - From + To);
        }
    }
    return out;
}

}  // namespace

Text ToLowerText(const Text& t) {
    return MapLetters<'A', 'a'>(t);
}

Text ToUpperText(const Text& t) {
    return MapLetters<'a', 'A'>(t);
}

}  // namespace runtime
