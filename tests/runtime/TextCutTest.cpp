#include "runtime/TextCut.h"

#include <gtest/gtest.h>

namespace runtime {
namespace {

struct CutCase {
    const char* t;
    int start;  // TextMid only
    int n;
    const char* left;
    const char* right;
    const char* mid;
};

// Cuts count plain bytes: "中" (D6 D0) may be split.
const CutCase kCutCases[] = {
    {"abcdef", 2, 3, "abc", "def", "bcd"},
    {"abcdef", 1, 10, "abcdef", "abcdef", "abcdef"},
    {"abcdef", 6, 1, "a", "f", "f"},
    {"abcdef", 7, 1, "a", "f", ""},
    {"abcdef", 0, 2, "ab", "ef", ""},
    {"abcdef", 1, 0, "", "", ""},
    {"abcdef", 1, -3, "", "", ""},
    {"", 1, 1, "", "", ""},
    {"中文", 2, 3, "中\xCE", "\xD0文", "\xD0文"},
};

TEST(TextCutTest, CutsBytes) {
    for (const auto& c : kCutCases) {
        SCOPED_TRACE(testing::Message() << "t=\"" << c.t << "\" start=" << c.start << " n=" << c.n);
        EXPECT_EQ(TextLeft(c.t, c.n), c.left);
        EXPECT_EQ(TextRight(c.t, c.n), c.right);
        EXPECT_EQ(TextMid(c.t, c.start, c.n), c.mid);
    }
}

TEST(TextCutTest, LengthCountsBytes) {
    EXPECT_EQ(TextLength(""), 0);
    EXPECT_EQ(TextLength("a中"), 3);
}

}  // namespace
}  // namespace runtime
