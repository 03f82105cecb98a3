#include "platform/wininet/ProxyList.h"

#include <gtest/gtest.h>

namespace {

struct ProxyCase {
    const char* list;
    bool secure;
    std::optional<std::string> expected;
};

TEST(ProxyForTest, SchemeEntryWinsOverBareEntry) {
    const ProxyCase cases[] = {
        {"http=p:8080", false, "p:8080"},
        {"http=p:8080", true, std::nullopt},
        {"p:3128", false, "p:3128"},
        {"p:3128", true, "p:3128"},
        {"https=s:443 http=h:80", true, "s:443"},
        {"https=s:443 http=h:80", false, "h:80"},
        // A scheme's own entry wins over a bare one, wherever it stands.
        {"any:1 http=h:80", false, "h:80"},
        {"ftp=f:21;  any:1", false, "any:1"},
        {"http=", false, std::nullopt},
        {"", false, std::nullopt},
    };
    for (const ProxyCase& c : cases) {
        EXPECT_EQ(wininet::ProxyFor(c.list, c.secure), c.expected)
            << "list=\"" << c.list << "\" secure=" << c.secure;
    }
}

}  // namespace
