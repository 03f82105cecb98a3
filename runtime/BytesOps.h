#pragma once

#include <cstdint>

#include "runtime/Text.h"

namespace runtime {

// The bytes before the first zero byte.
Text BytesToText(const Bytes& b);
Bytes TextToBytes(const Text& t);
// One byte; 0 gives the empty text.
Text CharFromCode(std::uint8_t code);
Text BlankText(int n);
Bytes BlankBytes(int n);
int BytesLength(const Bytes& b);
Bytes BytesLeft(const Bytes& b, int n);

}  // namespace runtime
