// Where the C library has no memmem: memchr for one byte, where it is vectorised, else the
// standard library's Boyer-Moore-Horspool search with its table built once per pattern.

#include <cstring>

#include "runtime/ByteFinder.h"

namespace runtime {

ByteFinder::ByteFinder(std::string_view pattern)
    : pattern_(pattern), searcher_(pattern.data(), pattern.data() + pattern.size()) {}

std::size_t ByteFinder::FindIn(std::string_view text, std::size_t from) const {
    if (from > text.size() || text.size() - from < pattern_.size()) {
        return npos;
    }
    const char* begin = text.data() + from;
    const char* end = text.data() + text.size();
    if (pattern_.size() == 1) {
        const void* hit = std::memchr(begin, pattern_[0], text.size() - from);
        return hit == nullptr
                   ? npos
                   : static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
    }
    const char* hit = searcher_(begin, end).first;
    return hit == end ? npos : static_cast<std::size_t>(hit - text.data());
}

}  // namespace runtime
