#include "platform/codepage/CodePage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// "中文" in GBK and in UTF-8, and as UTF-16 units.
const std::string kGbk = "\xD6\xD0\xCE\xC4";
const std::string kUtf8 = "\xE4\xB8\xAD\xE6\x96\x87";
const std::u16string kUnits = u"\u4E2D\u6587";

std::u16string ToUnits(UINT codePage, const std::string& in) {
    const int n = MultiByteToWideChar(codePage, 0, in.data(), int(in.size()), nullptr, 0);
    std::u16string out(std::size_t(n), u'\0');
    EXPECT_EQ(MultiByteToWideChar(codePage, 0, in.data(), int(in.size()), out.data(), n), n);
    return out;
}

std::string FromUnits(UINT codePage, const std::u16string& in) {
    const int n =
        WideCharToMultiByte(codePage, 0, in.data(), int(in.size()), nullptr, 0, nullptr, nullptr);
    std::string out(std::size_t(n), '\0');
    EXPECT_EQ(WideCharToMultiByte(codePage, 0, in.data(), int(in.size()), out.data(), n, nullptr,
                                  nullptr),
              n);
    return out;
}

TEST(CodePageTest, ConvertsEachCodePageBothWays) {
    struct Case {
        UINT codePage;
        std::string bytes;
    };
    for (const Case& c : {Case{CP_GBK, kGbk}, Case{CP_ACP, kGbk}, Case{CP_UTF8, kUtf8}}) {
        SCOPED_TRACE(c.codePage);
        EXPECT_EQ(ToUnits(c.codePage, c.bytes + "a"), kUnits + u"a");
        EXPECT_EQ(FromUnits(c.codePage, kUnits + u"a"), c.bytes + "a");
    }
}

TEST(CodePageTest, MinusOneCountsTheTerminator) {
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, kGbk.c_str(), -1, nullptr, 0), 3);
    char16_t units[3] = {u'x', u'x', u'x'};
    ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, kGbk.c_str(), -1, units, 3), 3);
    EXPECT_EQ(std::u16string(units, 3), kUnits + u'\0');
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"\u4E2Da", -1, nullptr, 0, nullptr, nullptr), 4);
}

TEST(CodePageTest, RefusesNullInputUnknownCodePagesAndShortBuffers) {
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, nullptr, -1, nullptr, 0), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "a", 0, nullptr, 0), 0);
    EXPECT_EQ(MultiByteToWideChar(1252, 0, "a", 1, nullptr, 0), 0);
    EXPECT_EQ(WideCharToMultiByte(CP_GBK, 0, nullptr, -1, nullptr, 0, nullptr, nullptr), 0);

    char16_t small[1] = {u'x'};
    EXPECT_EQ(MultiByteToWideChar(CP_GBK, 0, kGbk.data(), int(kGbk.size()), small, 1), 0);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(small[0], u'\u4E2D');  // what fits is written, as on the platform

    // UTF-8 has no default character.
    BOOL used = FALSE;
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"a", 1, nullptr, 0, nullptr, &used), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(CodePageTest, ReplacesWhatCannotBeConverted) {
    // A lone continuation byte, a truncated sequence at the end, a GBK lead byte at the end.
    EXPECT_EQ(ToUnits(CP_UTF8,
                      "a\x80"
                      "b\xE4\xB8"),
              u"a\uFFFDb\uFFFD\uFFFD");
    EXPECT_EQ(ToUnits(CP_GBK, "a\xD6"), u"a\uFFFD");
    EXPECT_EQ(ToUnits(CP_UTF8, kGbk).find(u'\uFFFD'), 0u);

    // A character GBK lacks, a lone surrogate, and a surrogate pair for one character.
    BOOL used = FALSE;
    const std::u16string in = u"\u0E01x\xD800y\U0001F600";
    char out[16] = {};
    const int n =
        WideCharToMultiByte(CP_GBK, 0, in.data(), int(in.size()), out, sizeof out, nullptr, &used);
    EXPECT_EQ(std::string(out, std::size_t(n)), "?x?y?");
    EXPECT_TRUE(used);
    EXPECT_EQ(FromUnits(CP_UTF8, u"a\xDC00"), "a\xEF\xBF\xBD");
    const int withDefault =
        WideCharToMultiByte(CP_GBK, 0, u"\u0E01", 1, out, sizeof out, "*", nullptr);
    EXPECT_EQ(std::string(out, std::size_t(withDefault)), "*");
}

TEST(CodePageTest, LongInputsConvertWhole) {
    std::string gbk;
    for (int i = 0; i < 5000; ++i) {
        gbk += kGbk;
    }
    const std::u16string units = ToUnits(CP_GBK, gbk);
    EXPECT_EQ(units.size(), 10000u);
    EXPECT_EQ(FromUnits(CP_GBK, units), gbk);
}

}  // namespace
