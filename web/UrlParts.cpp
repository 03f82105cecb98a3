#include "web/UrlParts.h"

#include "runtime/TextCase.h"
#include "runtime/TextCut.h"
#include "runtime/TextNumbers.h"
#include "runtime/TextSearch.h"
#include "web/TextBetween.h"

namespace web {
namespace {

using runtime::kNotFound;
using runtime::TextLength;

constexpr const char* kHttp = "http://";
constexpr const char* kHttps = "https://";

// The last (length - position) bytes: the text after a 1-based position.
Text TextAfter(const Text& text, int position) {
    return runtime::TextRight(text, TextLength(text) - position);
}

// The last "." lying wholly before 1-based `position`; -1 stays -1.
int LastDotBefore(const Text& text, int position) {
    if (position == kNotFound) {
        return kNotFound;
    }
    return runtime::FindLastExact(text, ".", position);
}

Text PlainHost(Text c, bool mainDomain) {
    if (runtime::TextRight(c, 1) != "/") {
        c += "/";
    }
    if (runtime::TextLeft(c, 8) == kHttps) {
        c = TextBetween(c, kHttps, "/");
    } else {
        if (!runtime::ContainsExact(c, kHttp)) {
            c = kHttp + c;
        }
        c = TextBetween(c, kHttp, "/");
    }
    if (mainDomain) {
        const runtime::TextArray labels = runtime::SplitText(c, Text("."));
        if (labels.size() > 1) {
            c = labels[labels.size() - 2] + "." + labels.back();
        }
    }
    return c;
}

Text SuffixHost(Text c, bool mainDomain, int suffixDots) {
    c = runtime::ReplaceAllExact(c, kHttp, std::nullopt);
    c = runtime::ReplaceAllExact(c, kHttps, std::nullopt);
    const int slash = runtime::FindExact(c, "/");
    if (slash != kNotFound) {
        c = runtime::TextLeft(c, slash - 1);
    }
    int h = TextLength(c);
    for (int i = 0; i < suffixDots; ++i) {
        h = LastDotBefore(c, h);
    }
    const int l = LastDotBefore(c, h);
    if (mainDomain) {
        return TextAfter(c, l);
    }
    const int m = LastDotBefore(c, l);
    return m == kNotFound ? c : TextAfter(c, m);
}

}  // namespace

Text UrlHost(const Text& url, bool mainDomain, bool keepPort, std::optional<int> suffixDots) {
    const Text lower = runtime::ToLowerText(url);
    const Text c =
        suffixDots ? SuffixHost(lower, mainDomain, *suffixDots) : PlainHost(lower, mainDomain);
    if (keepPort) {
        return c;
    }
    const int colon = runtime::FindExact(c, ":");
    return colon == kNotFound ? c : runtime::TextLeft(c, colon - 1);
}

int UrlPort(const Text& url) {
    const Text host = UrlHost(url, /*mainDomain=*/false, /*keepPort=*/true);
    const int colon = runtime::FindLastExact(host, ":");
    if (colon == kNotFound) {
        return runtime::TextLeft(runtime::ToLowerText(url), 5) == "https" ? 443 : 80;
    }
    return runtime::TextToInt(TextAfter(host, colon));
}

Text UrlPath(const Text& url) {
    // The host is looked for after the scheme: a host such as "t" would otherwise be found
    // inside "http://" and the path would begin at the scheme's slashes.
    const Text scheme = runtime::ToLowerText(runtime::TextLeft(url, 8));
    const int afterScheme = scheme == kHttps ? 9 : (runtime::TextLeft(scheme, 7) == kHttp ? 8 : 1);
    const int hostAt = runtime::FindIgnoringCase(url, UrlHost(url), afterScheme);
    const int slash = runtime::FindExact(url, "/", hostAt);
    if (slash == kNotFound) {
        return "/";
    }
    return runtime::TextRight(url, TextLength(url) - slash + 1);
}

}  // namespace web
