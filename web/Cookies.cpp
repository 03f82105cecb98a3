#include "web/Cookies.h"

#include <optional>

#include "runtime/TextCut.h"
#include "runtime/TextSearch.h"
#include "runtime/TextSpaces.h"

namespace web {
namespace {

constexpr const char* kDeleted = "=deleted";
constexpr const char* kEntrySeparator = "; ";

bool IsDeleted(const Text& entry) {
    return runtime::TextRight(entry, 8) == kDeleted;
}

Text WithoutLastBytes(const Text& text, int n) {
    return runtime::TextLeft(text, runtime::TextLength(text) - n);
}

}  // namespace

Text MergeCookies(Text& sendCookies, Text& returnedCookies) {
    sendCookies = runtime::RemoveSpaces(sendCookies);
    returnedCookies = runtime::RemoveSpaces(returnedCookies);
    const TextArray sent = runtime::SplitText(sendCookies, Text(";"));
    TextArray merged = runtime::SplitText(returnedCookies, Text(";"));
    for (const Text& entry : sent) {
        if (!HasCookieNamed(merged, CookieName(entry))) {
            merged.push_back(entry);
        }
    }
    sendCookies.clear();
    for (const Text& entry : merged) {
        if (!IsDeleted(entry)) {
            sendCookies += entry + kEntrySeparator;
        }
    }
    sendCookies = RemoveDuplicates(WithoutLastBytes(sendCookies, 2), kEntrySeparator);
    return sendCookies;
}

Text CookieName(const Text& entry) {
    const int equals = runtime::FindExact(entry, "=");
    return runtime::TrimText(equals == runtime::kNotFound ? entry
                                                          : runtime::TextLeft(entry, equals - 1));
}

bool HasCookieNamed(const TextArray& entries, const Text& name) {
    for (const Text& entry : entries) {
        if (CookieName(entry) == name) {
            return true;
        }
    }
    return false;
}

Text RemoveDuplicates(const Text& text, const Text& separator) {
    TextArray kept;
    Text result;
    for (const Text& part : runtime::SplitText(text, separator)) {
        if (IndexOfText(kept, part) == runtime::kNotFound) {
            kept.push_back(part);
            result += part + separator;
        }
    }
    return WithoutLastBytes(result, runtime::TextLength(separator));
}

int IndexOfText(const TextArray& items, const Text& item) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i] == item) {
            return static_cast<int>(i) + 1;
        }
    }
    return runtime::kNotFound;
}

}  // namespace web
