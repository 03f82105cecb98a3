#include "web/TextBetween.h"

#include <gtest/gtest.h>

namespace web {
namespace {

struct BetweenCase {
    Text text;
    Text before;
    Text after;
    std::optional<int> start;
    bool caseSensitive;
    Text expected;
};

TEST(TextBetweenTest, FirstTextBetweenMarkersFromStartInChosenCase) {
    const BetweenCase cases[] = {
        {"k={v}", "={", "}", std::nullopt, false, "v"},
        {"a \"q\" \"r\"", "#引号", "#引号", std::nullopt, false, "q"},
        {"id=\"7\";", "id=#引号", "#引号;", std::nullopt, false, "7"},
        {"user-agent: X\r\n", "User-Agent:", "\r\n", std::nullopt, false, " X"},
        {"user-agent: X\r\n", "User-Agent:", "\r\n", std::nullopt, true, ""},
        {"<a><b>", "<", ">", 3, false, "b"},
        {"<a><b>", "<", ">", -4, false, "a"},
        {"no markers", "[", "]", std::nullopt, false, ""},
        {"[open", "[", "]", std::nullopt, false, ""},
        // The closing marker only before the opening one.
        {"]x[", "[", "]", std::nullopt, false, ""},
        {"[]", "[", "]", std::nullopt, false, ""},
        {"ABxyCD", "b", "c", std::nullopt, false, "xy"},
    };
    for (const BetweenCase& c : cases) {
        EXPECT_EQ(TextBetween(c.text, c.before, c.after, c.start, c.caseSensitive), c.expected)
            << "text=\"" << c.text << "\" before=\"" << c.before << "\" after=\"" << c.after
            << "\" start=" << c.start.value_or(0) << " caseSensitive=" << c.caseSensitive;
    }
}

TEST(HeaderValueTest, TrimmedTextAfterFirstColon) {
    const std::pair<Text, Text> cases[] = {
        {"User-Agent:  abc ", "abc"}, {"no colon here", ""}, {"A: 1\r\nB: 2", "1\r\nB: 2"},
        {"Host: x:80", "x:80"},       {"Empty:", ""},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(HeaderValue(text), expected) << "text=\"" << text << "\"";
    }
}

}  // namespace
}  // namespace web
