#include "web/PercentDecode.h"

#include <gtest/gtest.h>

#include "web/CodePageText.h"

namespace web {
namespace {

struct DecodeCase {
    Text text;
    bool utf8;
    Text expected;
};

TEST(PercentDecodeTest, EscapesBecomeBytesLenientlyAndUtf8BecomesGbk) {
    const DecodeCase cases[] = {
        {"%41%42c", false, "ABc"},
        {"%2f%2F", false, "//"},
        {"a+b", false, "a+b"},
        {"100%", false, "100"},
        {"x%4", false, "x\x40"},
        {"%G1", false, "\xE1"},
        {"%%41", false,
         "\xE4"
         "1"},
        {"a%00b", false, "ab"},
        {"%E4%B8%AD", true, "\xD6\xD0"},
        {"%E4%B8%AD", false, "\xE4\xB8\xAD"},
        {"down%2Fab.png", true, "down/ab.png"},
        // A GBK character outside escapes passes through byte by byte.
        {"\xD6\xD0%41", false,
         "\xD6\xD0"
         "A"},
        {"", false, ""},
        {"", true, ""},
    };
    for (const DecodeCase& c : cases) {
        EXPECT_EQ(PercentDecode(c.text, c.utf8), c.expected)
            << "text=\"" << c.text << "\" utf8=" << c.utf8;
    }
}

// Large texts are converted a piece at a time; a character must come out whole wherever a
// piece ends, whatever bytes stand before it.
TEST(PercentDecodeTest, LargeUtf8TextComesOutWholeAcrossPieces) {
    // U+4E2D, then a character outside code page 936 (four bytes, two UTF-16 units).
    const Text unit = Utf8ToAnsi("\xE4\xB8\xAD\xF0\x9F\x98\x80");
    ASSERT_EQ(unit.substr(0, 2), "\xD6\xD0");
    Text escaped;
    Text gbk;
    for (int i = 0; i < 25000; ++i) {  // about three pieces
        escaped += "%E4%B8%AD%F0%9F%98%80";
        gbk += unit;
    }
    for (const Text& lead : {Text(), Text("a"), Text("ab"), Text("abc")}) {
        const Text decoded = PercentDecode(lead + escaped, true);
        EXPECT_EQ(decoded.size(), lead.size() + gbk.size()) << "lead \"" << lead << "\"";
        EXPECT_TRUE(decoded == lead + gbk) << "lead \"" << lead << "\"";
    }
}

TEST(CodePageTextTest, RoundTripsThroughUtf16) {
    const Bytes units = TextToUtf16(
        "\xE4\xB8\xAD"
        "a");
    EXPECT_EQ(units.size() % 2, 0u);
    // U+4E2D, "a", then the zero unit and the spare units the ANSI reading counted.
    ASSERT_GE(units.size(), 6u);
    EXPECT_EQ(Bytes(units.begin(), units.begin() + 6), (Bytes{0x2D, 0x4E, 0x61, 0, 0, 0}));
    EXPECT_EQ(Utf16ToText(units),
              "\xD6\xD0"
              "a");
    EXPECT_EQ(Utf16ToText(units, 65001),
              "\xE4\xB8\xAD"
              "a");
    EXPECT_EQ(TextToUtf16("\xD6\xD0", 936), (Bytes{0x2D, 0x4E, 0, 0}));
    EXPECT_EQ(Utf8ToAnsi("\xE4\xB8\xAD\xE6\x96\x87"), "\xD6\xD0\xCE\xC4");
}

TEST(CodePageTextTest, EmptyAndUnterminatedInputsStayInBounds) {
    EXPECT_TRUE(TextToUtf16("").empty());
    EXPECT_EQ(Utf16ToText({}), "");
    EXPECT_EQ(Utf16ToText({0, 0, 0x41, 0}), "");
    // No zero unit and an odd trailing byte.
    EXPECT_EQ(Utf16ToText({0x41, 0, 0x42, 0, 0x43}), "AB");
}

}  // namespace
}  // namespace web
