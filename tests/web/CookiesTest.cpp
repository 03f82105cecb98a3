#include "web/Cookies.h"

#include <gtest/gtest.h>

namespace web {
namespace {

struct MergeCase {
    Text sent;
    Text received;
    Text merged;
    Text receivedAfter;
};

TEST(MergeCookiesTest, AnswerCookiesWinAndDeletedOrRepeatedEntriesDrop) {
    const MergeCase cases[] = {
        {"a=1; b=2; c=3", "b=5; c=deleted; d=4", "b=5; d=4; a=1", "b=5;c=deleted;d=4"},
        {"", "", "", ""},
        {"a=1;b=2", "", "a=1; b=2", ""},
        {"", "x=1; x=1", "x=1", "x=1;x=1"},
        {"", "x=1; x=2", "x=1; x=2", "x=1;x=2"},
        {"x=1; x=2", "", "x=1", ""},
        {"SID=1", "sid=2", "sid=2; SID=1", "sid=2"},
        {"flag; a=1", "b=2", "b=2; flag; a=1", "b=2"},
        {"flag", "flag=on", "flag=on", "flag=on"},
        {"a=x y", "b=\xA1\xA1z", "b=z; a=xy", "b=z"},
        {"a=1;;b=2", "", "a=1; ; b=2", ""},
        {"a=1;", "", "a=1", ""},
        {"gone=deleted", "", "", ""},
    };
    for (const MergeCase& c : cases) {
        Text sent = c.sent;
        Text received = c.received;
        const Text merged = MergeCookies(sent, received);
        EXPECT_EQ(merged, c.merged)
            << "sent=\"" << c.sent << "\" received=\"" << c.received << "\"";
        EXPECT_EQ(sent, c.merged) << "sent=\"" << c.sent << "\"";
        EXPECT_EQ(received, c.receivedAfter) << "received=\"" << c.received << "\"";
    }
}

TEST(CookieListTest, NamesAndLookups) {
    EXPECT_EQ(CookieName(" sid = 1"), "sid");
    EXPECT_EQ(CookieName(" flag "), "flag");
    EXPECT_EQ(CookieName("a=b=c"), "a");
    EXPECT_TRUE(HasCookieNamed({"x=1", "sid=2"}, "sid"));
    EXPECT_FALSE(HasCookieNamed({"SID=2"}, "sid"));
    EXPECT_EQ(IndexOfText({"a", "b", "b"}, "b"), 2);
    EXPECT_EQ(IndexOfText({"a"}, "A"), -1);
    EXPECT_EQ(RemoveDuplicates("a, b, a, c, b", ", "), "a, b, c");
    EXPECT_EQ(RemoveDuplicates("", "; "), "");
}

}  // namespace
}  // namespace web
