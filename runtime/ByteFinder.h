#pragma once

// Internal to the text operations: finds one pattern's bytes again and again in texts.

#include <cstddef>
#include <string_view>
#if defined(_WIN32)
#include <functional>
#endif

namespace runtime {

class ByteFinder {
  public:
    static constexpr std::size_t npos = std::string_view::npos;

    // `pattern` must outlive the finder and must not be empty.
    explicit ByteFinder(std::string_view pattern);

    // Offset of the first occurrence starting at or after `from`, or npos.
    std::size_t FindIn(std::string_view text, std::size_t from) const;

  private:
    std::string_view pattern_;
#if defined(_WIN32)
    // The C library of Windows has no memmem.
    std::boyer_moore_horspool_searcher<const char*> searcher_;
#endif
};

}  // namespace runtime
