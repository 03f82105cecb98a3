#pragma once

// Cookie texts are «name=value» entries; every text made here joins them by "; ".

#include "runtime/Text.h"

namespace web {

using runtime::Text;
using runtime::TextArray;

// Folds the answer's cookies into the sent ones: the answer's first, then the sent cookies it did
// not name; "=deleted" entries dropped, exact duplicates collapsed. Both arguments lose every
// space; `sendCookies` also receives the merged text that is returned.
Text MergeCookies(Text& sendCookies, Text& returnedCookies);

// The trimmed text before the first "=" (all of `entry` without one).
Text CookieName(const Text& entry);

bool HasCookieNamed(const TextArray& entries, const Text& name);

// The pieces of `text` split at `separator`, each kept once, joined by `separator` again.
Text RemoveDuplicates(const Text& text, const Text& separator);

// 1-based index of the first element equal to `item`, or -1.
int IndexOfText(const TextArray& items, const Text& item);

}  // namespace web
