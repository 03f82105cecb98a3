#include "runtime/TextNumbers.h"

#include <gtest/gtest.h>

#include <limits>

namespace runtime {
namespace {

constexpr int kMax = std::numeric_limits<int>::max();
constexpr int kMin = std::numeric_limits<int>::min();

struct IntCase {
    Text t;
    int expected;
};

TEST(TextToIntTest, ReadsASignedDecimalSaturatingAndFullWidthForms) {
    const IntCase cases[] = {
        {"123", 123},
        {"  -42abc", -42},
        {"+7", 7},
        {"\t\n 12", 12},
        {"1 2", 1},
        {"--1", 0},
        {"abc", 0},
        {"", 0},
        {"20", 20},
        {"输入数量", 0},
        // Full-width digits, sign and space.
        {"１２３", 123},
        {"－５", -5},
        {"　１2", 12},
        // A3 B1 here is a trail byte followed by a lead byte, not a full-width "1".
        {"\xB0\xA3\xB1\xB2", 0},
        // Saturation instead of wrapping.
        {"2147483647", kMax},
        {"2147483648", kMax},
        {"4294967301", kMax},
        {"99999999999999999999999", kMax},
        {"-2147483648", kMin},
        {"-2147483649", kMin},
        {"-99999999999999999999999", kMin},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextToInt(c.t), c.expected) << "t=\"" << c.t << "\"";
    }
}

TEST(NumberToTextTest, SignedDecimal) {
    EXPECT_EQ(NumberToText(0), "0");
    EXPECT_EQ(NumberToText(17), "17");
    EXPECT_EQ(NumberToText(-5), "-5");
    EXPECT_EQ(NumberToText(kMin), "-2147483648");
}

}  // namespace
}  // namespace runtime
