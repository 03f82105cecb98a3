#pragma once

#include "runtime/Text.h"

namespace web {

using runtime::Text;

// Every "%" and the two characters after it become one byte (hex digits in either case); "+" is
// an ordinary character. Odd escapes keep their arithmetic: a non-digit counts as -2, a missing
// character as 0, the byte is taken modulo 256, and a zero byte is dropped. With `utf8` the
// decoded bytes are read as UTF-8 and returned in code page 936. The text is taken by value and
// decoded where it stands, so a large answer handed over as a temporary is never copied.
Text PercentDecode(Text text, bool utf8 = false);

}  // namespace web
