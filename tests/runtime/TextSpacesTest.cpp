#include "runtime/TextSpaces.h"

#include <gtest/gtest.h>

namespace runtime {
namespace {

struct SpacesCase {
    Text t;
    Text trimmed;
    Text removed;
};

// "　" is the double-byte space A1 A1; "啊" is B0 A1, so "啊　" holds the bytes A1 A1 twice, once
// across two characters.
const SpacesCase kCases[] = {
    {"  a b  ", "a b", "ab"},
    {"　a　b　", "a　b", "ab"},
    {"\ta \r\n", "\ta \r\n", "\ta\r\n"},
    {"   ", "", ""},
    {"", "", ""},
    {"啊　", "啊", "啊"},
    {"\xB0\xA1\xA1", "\xB0\xA1\xA1", "\xB0\xA1\xA1"},
    {"\xB0\xA1\xA1\xB0", "\xB0\xA1\xA1\xB0", "\xB0\xA1\xA1\xB0"},
    {"　\xA1", "\xA1", "\xA1"},
};

TEST(TextSpacesTest, TrimAndRemove) {
    for (const auto& c : kCases) {
        EXPECT_EQ(TrimText(c.t), c.trimmed) << "t=\"" << c.t << "\"";
        EXPECT_EQ(RemoveSpaces(c.t), c.removed) << "t=\"" << c.t << "\"";
    }
}

}  // namespace
}  // namespace runtime
