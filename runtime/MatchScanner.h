#pragma once

// Internal to the text operations: finds successive matches of a pattern that start on
// character boundaries of a GBK text.

#include <cstddef>
#include <string_view>

#include "runtime/ByteFinder.h"

namespace runtime {

class MatchScanner {
  public:
    static constexpr std::size_t npos = std::string_view::npos;

    // Character starts are counted from the beginning of the text, wherever a search begins: a
    // search from inside a double-byte character never matches on its trail byte.
    MatchScanner(std::string_view text, std::string_view pattern, bool ignoreCase);

    // The first match at a character start at or after `from`, or npos. Calls must come with
    // non-decreasing `from`.
    std::size_t Next(std::size_t from);

  private:
    std::size_t NextExact(std::size_t from);
    std::size_t NextFolded(std::size_t from);
    bool IsCharStart(std::size_t at);
    bool FoldedMatchAt(std::size_t at) const;

    std::string_view text_;
    std::string_view pattern_;
    ByteFinder finder_;
    bool fold_;
    // A position known to be a character start, never after the last position looked at.
    std::size_t boundary_;
};

}  // namespace runtime
