#include "app/SaveFileName.h"

#include <gtest/gtest.h>

namespace app {
namespace {

TEST(SaveFileNameTest, ReplacesSeparatorsAndControlBytesKeepingCharactersWhole) {
    struct Case {
        const char* what;
        runtime::Text name;
        runtime::Text expected;
    };
    const Case cases[] = {
        {"plain name", "2024/ab.jpg", "2024_ab.jpg"},
        {"backslash and control bytes", "a\\b\x01\x7F.jpg", "a_b__.jpg"},
        {"a double-byte character", "\xD6\xD0.jpg", "\xD6\xD0.jpg"},
        {"a backslash trailing a lead byte is part of it", "\x81\x5Cx.jpg", "\x81\x5Cx.jpg"},
        {"a slash after a lead byte", "\x81/../../x.jpg", "\x81_.._.._x.jpg"},
        {"CR and LF after the euro sign", "\x80\r\n.jpg", "\x80__.jpg"},
        {"a backslash after the euro sign", "\x80\\..\\x", "\x80_.._x"},
        {"a backslash after 0xFF", "\xFF\\x", "\xFF_x"},
        {"a lone lead byte at the end", "x\x81", "x\x81"},
        {"a lead byte before a control byte", "\xB0\x09x", "\xB0_x"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SaveFileName(c.name), c.expected) << c.what;
    }
}

}  // namespace
}  // namespace app
