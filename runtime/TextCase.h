#pragma once

// Only single-byte ASCII letters change; a trail byte in the letter range never does.

#include "runtime/Text.h"

namespace runtime {

Text ToLowerText(const Text& t);
Text ToUpperText(const Text& t);

}  // namespace runtime
