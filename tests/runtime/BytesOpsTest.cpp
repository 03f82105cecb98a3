#include "runtime/BytesOps.h"

#include <gtest/gtest.h>

namespace runtime {
namespace {

TEST(BytesOpsTest, TextAndBytes) {
    EXPECT_EQ(BytesToText(Bytes{'a', 'b', 0, 'c'}), "ab");
    EXPECT_EQ(BytesToText(Bytes{}), "");
    EXPECT_EQ(BytesToText(Bytes{0xD6, 0xD0}), "中");
    EXPECT_EQ(TextToBytes("中a"), (Bytes{0xD6, 0xD0, 'a'}));
    EXPECT_TRUE(TextToBytes("").empty());
    EXPECT_EQ(CharFromCode('A'), "A");
    EXPECT_EQ(CharFromCode(0xB0), "\xB0");
    EXPECT_EQ(CharFromCode(0), "");
}

TEST(BytesOpsTest, BlanksAndCuts) {
    EXPECT_EQ(BlankText(3), "   ");
    EXPECT_EQ(BlankText(0), "");
    EXPECT_EQ(BlankText(-2), "");
    EXPECT_EQ(BlankBytes(2), (Bytes{0, 0}));
    EXPECT_TRUE(BlankBytes(-1).empty());
    const Bytes b{1, 2, 3};
    EXPECT_EQ(BytesLength(b), 3);
    EXPECT_EQ(BytesLeft(b, 2), (Bytes{1, 2}));
    EXPECT_EQ(BytesLeft(b, 10), b);
    EXPECT_TRUE(BytesLeft(b, 0).empty());
    EXPECT_TRUE(BytesLeft(b, -1).empty());
}

}  // namespace
}  // namespace runtime
