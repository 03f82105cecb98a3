#pragma once

#include <optional>

#include "runtime/Text.h"

namespace web {

using runtime::Text;

// The text strictly between the first `before` at or after `start` (omitted or < 1: 1) and the
// first `after` that follows it; empty when either marker is missing. "#引号" in a marker stands
// for a double quote. Case-insensitive (ASCII letters) unless `caseSensitive`.
Text TextBetween(const Text& text, const Text& before, const Text& after,
                 std::optional<int> start = std::nullopt, bool caseSensitive = false);

// Everything after the first ":", trimmed of spaces (later lines included); empty without ":".
Text HeaderValue(const Text& text);

}  // namespace web
