#pragma once

#include "runtime/Text.h"

namespace image {

// Writes data to a new temporary file of our own beside path and renames it over path, so that a
// failed write never leaves a truncated file in place of an existing one. The replacement keeps
// the target's permission bits; a new file gets those the umask allows. An existing target that
// cannot be written, or that another writer holds, is left alone. False when path was not
// replaced.
bool ReplaceFileWith(const runtime::Text& path, const runtime::Bytes& data);

}  // namespace image
