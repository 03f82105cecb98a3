#include "runtime/TextSearch.h"

#include <algorithm>
#include <limits>

#include "runtime/GbkScan.h"
#include "runtime/MatchScanner.h"

namespace runtime {
namespace {

// 0-based offset where a scan given a 1-based optional start begins.
std::size_t ScanOrigin(std::optional<int> start) {
    return start && *start >= 1 ? static_cast<std::size_t>(*start) - 1 : 0;
}

int ToPosition(std::size_t offset) {
    return offset == MatchScanner::npos ? kNotFound : static_cast<int>(offset) + 1;
}

}  // namespace

int FindText(const Text& t, const Text& sub, std::optional<int> start, bool ignoreCase) {
    const std::size_t origin = ScanOrigin(start);
    if (origin >= t.size()) {
        return kNotFound;
    }
    if (sub.empty()) {
        return 1;
    }
    MatchScanner scanner(t, sub, ignoreCase);
    return ToPosition(scanner.Next(origin));
}

int FindTextReverse(const Text& t, const Text& sub, std::optional<int> start, bool ignoreCase) {
    if (start && *start <= 1) {
        return kNotFound;
    }
    const std::size_t limit =
        start ? std::min(t.size(), static_cast<std::size_t>(*start) - 1) : t.size();
    if (sub.empty()) {
        return limit >= 1 ? 1 : kNotFound;
    }
    MatchScanner scanner(t, sub, ignoreCase);
    std::size_t last = MatchScanner::npos;
    for (std::size_t at = scanner.Next(0); at != MatchScanner::npos && at + sub.size() <= limit;
         at = scanner.Next(at + gbk::CharWidth(t, at))) {
        last = at;
    }
    return ToPosition(last);
}

Text ReplaceText(const Text& t, const Text& sub, const std::optional<Text>& replacement,
                 std::optional<int> start, std::optional<int> count, bool caseSensitive) {
    const std::size_t origin = ScanOrigin(start);
    if (t.empty() || sub.empty() || origin >= t.size() || count == 0) {
        return t;
    }
    int remaining = count && *count > 0 ? *count : std::numeric_limits<int>::max();
    MatchScanner scanner(t, sub, !caseSensitive);
    Text out(t, 0, origin);
    std::size_t copied = origin;
    for (std::size_t at = scanner.Next(origin); at != MatchScanner::npos;
         at = scanner.Next(copied)) {
        out.append(t, copied, at - copied);
        if (replacement) {
            out += *replacement;
        }
        copied = at + sub.size();
        if (--remaining == 0) {
            break;
        }
    }
    out.append(t, copied);
    return out;
}

TextArray SplitText(const Text& t, const std::optional<Text>& separator,
                    std::optional<int> maxCount) {
    if ((maxCount && *maxCount < 1) || t.empty()) {
        return {};
    }
    const Text& sep = separator ? *separator : Text(",");
    if (sep.empty()) {
        return {t};
    }
    const std::size_t limit =
        maxCount ? static_cast<std::size_t>(*maxCount) : std::numeric_limits<std::size_t>::max();
    TextArray pieces;
    MatchScanner scanner(t, sep, /*ignoreCase=*/false);
    std::size_t pieceStart = 0;
    while (pieces.size() < limit) {
        const std::size_t at = scanner.Next(pieceStart);
        if (at == MatchScanner::npos) {
            if (pieceStart < t.size()) {
                pieces.push_back(t.substr(pieceStart));
            }
            break;
        }
        pieces.push_back(t.substr(pieceStart, at - pieceStart));
        pieceStart = at + sep.size();
    }
    return pieces;
}

}  // namespace runtime
