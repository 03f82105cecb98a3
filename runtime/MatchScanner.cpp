#include "runtime/MatchScanner.h"

#include <algorithm>

#include "runtime/GbkScan.h"

namespace runtime {
namespace {

bool IsAsciiLetter(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

unsigned char FoldAscii(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
}

}  // namespace

MatchScanner::MatchScanner(std::string_view text, std::string_view pattern, bool ignoreCase)
    : text_(text),
      pattern_(pattern),
      finder_(pattern),
      fold_(ignoreCase &&
            std::any_of(pattern.begin(), pattern.end(), [](char c) { return IsAsciiLetter(c); })),
      boundary_(0) {}

std::size_t MatchScanner::Next(std::size_t from) {
    if (pattern_.empty() || pattern_.size() > text_.size()) {
        return npos;
    }
    return fold_ ? NextFolded(from) : NextExact(from);
}

// The byte after any byte below 0x80 starts a character (that byte was either a single-byte
// character or a trail byte), so only the run of high bytes right before `at` decides whether
// `at` is a trail byte. The run is counted back no further than the known boundary, which keeps
// a whole scan linear.
bool MatchScanner::IsCharStart(std::size_t at) {
    std::size_t base = at;
    while (base > boundary_ && gbk::IsLeadByte(static_cast<unsigned char>(text_[base - 1]))) {
        --base;
    }
    const bool start = (at - base) % 2 == 0;
    boundary_ = start ? at : at + 1;
    return start;
}

std::size_t MatchScanner::NextExact(std::size_t from) {
    const std::size_t last = text_.size() - pattern_.size();
    while (from <= last) {
        const std::size_t at = finder_.FindIn(text_, from);
        if (at == npos) {
            return npos;
        }
        if (IsCharStart(at) && !gbk::IsDanglingLead(text_, at)) {
            return at;
        }
        from = at + 1;
    }
    return npos;
}

std::size_t MatchScanner::NextFolded(std::size_t from) {
    std::size_t at = boundary_;
    while (at < from) {
        at += gbk::CharWidth(text_, at);
    }
    const std::size_t last = text_.size() - pattern_.size();
    for (; at <= last && !gbk::IsDanglingLead(text_, at); at += gbk::CharWidth(text_, at)) {
        if (FoldedMatchAt(at)) {
            boundary_ = at;
            return at;
        }
    }
    boundary_ = std::min(at, text_.size());
    return npos;
}

// Lead and trail bytes must be equal; only single-byte characters are folded.
bool MatchScanner::FoldedMatchAt(std::size_t at) const {
    std::size_t k = 0;
    while (k < pattern_.size()) {
        const auto t = static_cast<unsigned char>(text_[at + k]);
        const auto p = static_cast<unsigned char>(pattern_[k]);
        if (gbk::IsLeadByte(t)) {
            if (t != p) {
                return false;
            }
            if (k + 1 < pattern_.size() && text_[at + k + 1] != pattern_[k + 1]) {
                return false;
            }
            k += 2;
        } else {
            if (FoldAscii(t) != FoldAscii(p)) {
                return false;
            }
            k += 1;
        }
    }
    return true;
}

}  // namespace runtime
