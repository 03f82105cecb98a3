// glibc's memmem: a two-way search with vectorised candidate scans.

#include <cstring>

#include "runtime/ByteFinder.h"

namespace runtime {

ByteFinder::ByteFinder(std::string_view pattern) : pattern_(pattern) {}

std::size_t ByteFinder::FindIn(std::string_view text, std::size_t from) const {
    if (from > text.size()) {
        return npos;
    }
    const void* hit =
        memmem(text.data() + from, text.size() - from, pattern_.data(), pattern_.size());
    return hit == nullptr ? npos
                          : static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
}

}  // namespace runtime
