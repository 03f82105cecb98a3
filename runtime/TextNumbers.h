#pragma once

#include "runtime/Text.h"

namespace runtime {

// Full-width digits, signs and spaces count as their ASCII forms. Leading white space, one sign,
// then decimal digits up to the first other byte; no digits: 0. Saturates at the int limits.
int TextToInt(const Text& t);

Text NumberToText(int n);

}  // namespace runtime
