#pragma once

// How texts cross into and out of the platform's C interfaces.

#include <string_view>

#include "runtime/Text.h"

namespace runtime {

// The empty text reaches a platform function as a null pointer, never as a pointer to "".
inline const char* NullIfEmpty(const Text& text) {
    return text.empty() ? nullptr : text.c_str();
}

// What a platform function wrote into a buffer: the bytes before the first zero, or the whole
// buffer when it holds none.
inline Text TextUpToZero(std::string_view buffer) {
    return Text(buffer.substr(0, buffer.find('\0')));
}

}  // namespace runtime
