#pragma once

// Text between code pages by way of UTF-16. UTF-16 data is a Bytes of little-endian units ended
// by a zero unit; only the units before the first zero unit count.

#include "runtime/Text.h"

namespace web {

using runtime::Bytes;
using runtime::Text;

// `text` read in `codePage` as UTF-16 units, zero unit included; sized by the text's reading in
// the ANSI code page. Empty for an empty text.
Bytes TextToUtf16(const Text& text, unsigned codePage = 65001);

// The units written in `codePage` (omitted: the ANSI code page), up to the first zero byte.
Text Utf16ToText(const Bytes& units, unsigned codePage = 0);

// UTF-8 text in code page 936: Utf16ToText(TextToUtf16(text), 936), taken a piece at a time.
Text Utf8ToAnsi(const Text& text);

}  // namespace web
