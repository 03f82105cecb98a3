#include "runtime/TextSearch.h"

#include <gtest/gtest.h>

#include <optional>

namespace runtime {
namespace {

// "\x81\x61" is one GBK character whose trail byte is the letter "a"; "\x81\x41" has "A".
constexpr const char* kTrailA = "\x81\x61";

struct FindCase {
    Text t;
    Text sub;
    std::optional<int> start;
    bool ignoreCase;
    int expected;
};

std::ostream& operator<<(std::ostream& out, const FindCase& c) {
    out << "t=\"" << c.t << "\" sub=\"" << c.sub << "\" start=";
    if (c.start) {
        out << *c.start;
    } else {
        out << "omitted";
    }
    return out << " ignoreCase=" << c.ignoreCase;
}

TEST(FindTextTest, FindsTheFirstMatchAtACharacterStartFromTheStart) {
    const FindCase cases[] = {
        {"abcabc", "c", std::nullopt, false, 3},
        {"abcabc", "c", 4, false, 6},
        {"abcabc", "a", 0, false, 1},
        {"abcabc", "a", -5, false, 1},
        {"abcabc", "a", 7, false, -1},
        {"abcabc", "abcd", std::nullopt, false, -1},
        {"abcabc", "d", std::nullopt, false, -1},
        {"abc", "", std::nullopt, false, 1},
        {"abc", "", 3, false, 1},
        {"abc", "", 4, false, -1},
        {"", "", std::nullopt, false, -1},
        {"", "a", std::nullopt, false, -1},
        {"ABC", "b", std::nullopt, true, 2},
        {"ABC", "b", std::nullopt, false, -1},
        {"xDOWNy", "down", std::nullopt, false, -1},
        // Trail bytes never start a match and are never folded.
        {Text(kTrailA) + "a", "a", std::nullopt, false, 3},
        {Text(kTrailA) + "A", "a", std::nullopt, true, 3},
        {"\x81\x41", "a", std::nullopt, true, -1},
        {"中文中", "文", std::nullopt, false, 3},
        {"中文", "\xD0\xCE", std::nullopt, false, -1},
        {"啊啊", "\xA1\xB0", std::nullopt, false, -1},
        {"中中中中a", "a", std::nullopt, false, 9},
        {"中中中中a", "A", std::nullopt, true, 9},
        {"a中b", "中B", std::nullopt, true, 2},
        // A lead byte at the very end stops the scan.
        {"ab\xB0", "\xB0", std::nullopt, false, -1},
        {"ab\xB0", "\xB0", std::nullopt, true, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FindText(c.t, c.sub, c.start, c.ignoreCase), c.expected) << c;
    }
}

TEST(FindTextReverseTest, FindsTheLastMatchLyingBeforeTheStart) {
    const FindCase cases[] = {
        {"abcabc", "c", std::nullopt, false, 6},
        {"abcabc", "c", 6, false, 3},
        {"abcabc", "abc", 7, false, 4},
        {"abcabc", "abc", 6, false, 1},
        {"abcabc", "c", 100, false, 6},
        {"abcabc", "c", 1, false, -1},
        {"abcabc", "c", -3, false, -1},
        {"aaa", "aa", std::nullopt, false, 2},
        {"abc", "", std::nullopt, false, 1},
        {"", "", std::nullopt, false, -1},
        {"xAxa", "a", std::nullopt, true, 4},
        {"xAxa", "a", 4, true, 2},
        {Text("a") + kTrailA, "a", std::nullopt, false, 1},
        {"中文中文", "文", std::nullopt, false, 7},
        {"啊啊", "\xA1\xB0", std::nullopt, false, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FindTextReverse(c.t, c.sub, c.start, c.ignoreCase), c.expected) << c;
    }
}

struct ReplaceCase {
    Text t;
    Text sub;
    std::optional<Text> replacement;
    std::optional<int> start;
    std::optional<int> count;
    bool caseSensitive;
    Text expected;
};

TEST(ReplaceTextTest, ReplacesNonOverlappingMatchesLeftToRight) {
    const ReplaceCase cases[] = {
        {"a,b,c", ",", ";", std::nullopt, std::nullopt, true, "a;b;c"},
        {"a,b,c", ",", std::nullopt, std::nullopt, std::nullopt, true, "abc"},
        {"a,b,c", ",", ";", std::nullopt, 1, true, "a;b,c"},
        {"a,b,c", ",", ";", std::nullopt, 0, true, "a,b,c"},
        {"a,b,c", ",", ";", std::nullopt, -1, true, "a;b;c"},
        {"a,b,c", ",", ";", 3, std::nullopt, true, "a,b;c"},
        {"a,b,c", ",", ";", 0, std::nullopt, true, "a;b;c"},
        {"a,b,c", ",", ";", 6, std::nullopt, true, "a,b,c"},
        {"", ",", ";", std::nullopt, std::nullopt, true, ""},
        {"a,b", "", ";", std::nullopt, std::nullopt, true, "a,b"},
        {"abAB", "ab", "x", std::nullopt, std::nullopt, false, "xx"},
        {"abAB", "ab", "x", std::nullopt, std::nullopt, true, "xAB"},
        // Matches do not overlap and the replacement is not scanned again.
        {"aaa", "aa", "a", std::nullopt, std::nullopt, true, "aa"},
        {"ab", "a", "aa", std::nullopt, std::nullopt, true, "aab"},
        {Text(kTrailA) + "a", "a", "b", std::nullopt, std::nullopt, true, Text(kTrailA) + "b"},
        {"中文中", "中", "汉", std::nullopt, std::nullopt, true, "汉文汉"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReplaceText(c.t, c.sub, c.replacement, c.start, c.count, c.caseSensitive),
                  c.expected)
            << "t=\"" << c.t << "\" sub=\"" << c.sub << "\"";
    }
}

// A start inside a double-byte character does not make its trail byte a character start: the
// characters are still counted from the beginning of the text. "啊" is B0 A1.
TEST(StartInsideACharacterTest, CharacterStartsCountFromTheBeginningOfTheText) {
    const FindCase finds[] = {
        {"啊啊", "\xA1\xB0", 2, false, -1},
        {"啊啊", "\xA1\xB0", 2, true, -1},
        {"\xB0\xA1x", "x", 2, false, 3},
        {"\xB0\xA1x", "X", 2, true, 3},
        {"啊a啊", "a", 2, false, 3},
        {Text(kTrailA) + "a", "a", 2, false, 3},
        {Text(kTrailA) + "A", "a", 2, true, 3},
        {"中中a", "\xD0\xD6", 2, false, -1},
    };
    for (const auto& c : finds) {
        EXPECT_EQ(FindText(c.t, c.sub, c.start, c.ignoreCase), c.expected) << c;
    }
    const ReplaceCase replaces[] = {
        {"啊啊", "\xA1\xB0", "xy", 2, std::nullopt, true, "啊啊"},
        {"啊啊", "\xA1\xB0", "xy", 2, std::nullopt, false, "啊啊"},
        {"\xB0\xA1x", "x", "y", 2, std::nullopt, true, "\xB0\xA1y"},
        {Text(kTrailA) + "a", "a", "b", 2, std::nullopt, true, Text(kTrailA) + "b"},
    };
    for (const auto& c : replaces) {
        EXPECT_EQ(ReplaceText(c.t, c.sub, c.replacement, c.start, c.count, c.caseSensitive),
                  c.expected)
            << "t=\"" << c.t << "\" sub=\"" << c.sub << "\"";
    }
}

struct SplitCase {
    Text t;
    std::optional<Text> separator;
    std::optional<int> maxCount;
    TextArray expected;
};

TEST(SplitTextTest, SplitsAtExactSeparatorsKeepingInnerEmptyPieces) {
    const SplitCase cases[] = {
        {"a,b,c", std::nullopt, std::nullopt, {"a", "b", "c"}},
        {"a,,b", std::nullopt, std::nullopt, {"a", "", "b"}},
        {",a", std::nullopt, std::nullopt, {"", "a"}},
        {"a,b,", std::nullopt, std::nullopt, {"a", "b"}},
        {",", std::nullopt, std::nullopt, {""}},
        {"", std::nullopt, std::nullopt, {}},
        {"abc", "", std::nullopt, {"abc"}},
        {"a,b,c", ",", 2, {"a", "b"}},
        {"a,b,c", ",", 0, {}},
        {"a,b,c", ",", -1, {}},
        {"a||b|c", "||", std::nullopt, {"a", "b|c"}},
        {"a,B,c", "b", std::nullopt, {"a,B,c"}},
        {"\x81|a|b", "|", std::nullopt, {"\x81|a", "b"}},
        {"中，文", "，", std::nullopt, {"中", "文"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitText(c.t, c.separator, c.maxCount), c.expected) << "t=\"" << c.t << "\"";
    }
}

}  // namespace
}  // namespace runtime
