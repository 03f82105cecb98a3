#pragma once

// The spaces are 0x20 and the double-byte space 0xA1 0xA1, nothing else.

#include "runtime/Text.h"

namespace runtime {

Text TrimText(const Text& t);
Text RemoveSpaces(const Text& t);

}  // namespace runtime
