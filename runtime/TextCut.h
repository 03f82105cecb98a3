#pragma once

// Plain byte cuts: these do not look at characters.

#include "runtime/Text.h"

namespace runtime {

int TextLength(const Text& t);
Text TextLeft(const Text& t, int n);
Text TextRight(const Text& t, int n);
Text TextMid(const Text& t, int start, int n);

}  // namespace runtime
