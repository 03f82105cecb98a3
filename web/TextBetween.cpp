#include "web/TextBetween.h"

#include "runtime/TextCut.h"
#include "runtime/TextSearch.h"
#include "runtime/TextSpaces.h"

namespace web {
namespace {

// Lets callers write a marker holding a double quote without quoting it.
Text WithQuotes(const Text& marker) {
    return runtime::ReplaceAllExact(marker, "#引号", Text("\""));
}

}  // namespace

Text TextBetween(const Text& text, const Text& before, const Text& after, std::optional<int> start,
                 bool caseSensitive) {
    const Text opening = WithQuotes(before);
    const Text closing = WithQuotes(after);
    int d = runtime::FindText(text, opening, start, /*ignoreCase=*/!caseSensitive);
    if (d == runtime::kNotFound) {
        return {};
    }
    d += runtime::TextLength(opening);
    const int e = runtime::FindText(text, closing, d, /*ignoreCase=*/!caseSensitive);
    if (e == runtime::kNotFound) {
        return {};
    }
    return runtime::TextMid(text, d, e - d);
}

Text HeaderValue(const Text& text) {
    const int colon = runtime::FindExact(text, ":");
    if (colon == runtime::kNotFound) {
        return {};
    }
    return runtime::TrimText(runtime::TextRight(text, runtime::TextLength(text) - colon));
}

}  // namespace web
