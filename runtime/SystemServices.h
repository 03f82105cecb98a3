#pragma once

#include "runtime/Text.h"

namespace runtime {

// What joins a directory and a name in a path on this platform.
#if defined(_WIN32)
inline constexpr char kPathSeparator[] = "\\";
#else
inline constexpr char kPathSeparator[] = "/";
#endif

// The directory of the program's executable, without a trailing separator.
Text RunDirectory();

// Creates or truncates the file, holds it exclusively while writing, closes it. False when the
// path is empty or the file cannot be opened or written (a partly written file may remain).
bool WriteBytesToFile(const Text& path, const Bytes& data);

// Milliseconds since the system started, wrapping at 32 bits.
int UptimeMs();

}  // namespace runtime
