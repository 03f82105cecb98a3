#include "runtime/TextCase.h"

#include <gtest/gtest.h>

namespace runtime {
namespace {

TEST(TextCaseTest, ChangesSingleByteLettersOnly) {
    EXPECT_EQ(ToLowerText("AbC-Z@[中"), "abc-z@[中");
    EXPECT_EQ(ToUpperText("abc-z`{中"), "ABC-Z`{中");
    // The trail bytes "A" and "a" of these characters stay as they are.
    EXPECT_EQ(ToLowerText("\x81\x41X"), "\x81\x41x");
    EXPECT_EQ(ToUpperText("\x81\x61x"), "\x81\x61X");
    EXPECT_EQ(ToUpperText("a\x81"), "A\x81");
    EXPECT_EQ(ToLowerText(""), "");
}

}  // namespace
}  // namespace runtime
