#pragma once

// Character-aware search, replace and split: a match only ever starts at a character start, and
// a lead byte at the very end of the text stops the scan.

#include <optional>

#include "runtime/Text.h"

namespace runtime {

// First match at or after `start` (omitted or < 1: 1); -1 when none or `start` is past the end.
// An empty `sub` gives 1 when the range is non-empty. `ignoreCase` folds ASCII letters only.
int FindText(const Text& t, const Text& sub, std::optional<int> start, bool ignoreCase);

// Last match lying wholly within the first `start` - 1 bytes (omitted: the whole text).
int FindTextReverse(const Text& t, const Text& sub, std::optional<int> start, bool ignoreCase);

// Replaces non-overlapping matches from `start` on, left to right, at most `count` times
// (omitted or negative: all). An omitted replacement removes the matches.
Text ReplaceText(const Text& t, const Text& sub, const std::optional<Text>& replacement,
                 std::optional<int> start, std::optional<int> count, bool caseSensitive);

// Splits at every exact match of `separator` (omitted: ","). Inner empty pieces are kept, an
// empty last piece is not; at most `maxCount` pieces (< 1: none).
TextArray SplitText(const Text& t, const std::optional<Text>& separator = std::nullopt,
                    std::optional<int> maxCount = std::nullopt);

// Call-site names for the flags above, which run opposite ways (`ignoreCase` for the searches,
// `caseSensitive` for the replace): a call says which comparison it wants instead of a bare bool.
inline int FindExact(const Text& t, const Text& sub, std::optional<int> start = std::nullopt) {
    return FindText(t, sub, start, /*ignoreCase=*/false);
}
inline int FindIgnoringCase(const Text& t, const Text& sub,
                            std::optional<int> start = std::nullopt) {
    return FindText(t, sub, start, /*ignoreCase=*/true);
}
inline int FindLastExact(const Text& t, const Text& sub, std::optional<int> start = std::nullopt) {
    return FindTextReverse(t, sub, start, /*ignoreCase=*/false);
}
inline bool ContainsExact(const Text& t, const Text& sub) {
    return FindExact(t, sub) != kNotFound;
}
// Every match, in exact case, replaced; an omitted replacement removes them.
inline Text ReplaceAllExact(const Text& t, const Text& sub,
                            const std::optional<Text>& replacement) {
    return ReplaceText(t, sub, replacement, std::nullopt, std::nullopt, /*caseSensitive=*/true);
}
inline Text ReplaceAllIgnoringCase(const Text& t, const Text& sub,
                                   const std::optional<Text>& replacement) {
    return ReplaceText(t, sub, replacement, std::nullopt, std::nullopt, /*caseSensitive=*/false);
}

}  // namespace runtime
