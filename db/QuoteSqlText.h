#pragma once

#include "runtime/Text.h"

namespace db {

// `text` as it goes between the apostrophes of a SQL text literal: every apostrophe byte doubled.
// The bytes are scanned one by one, not as GBK characters: 0x27 is never a GBK trail byte, and a
// character-wise scan would take a single-byte character such as 0x80 (the euro sign) together
// with the apostrophe after it and let that apostrophe end the literal.
runtime::Text QuoteSqlText(const runtime::Text& text);

}  // namespace db
