#pragma once

#include "runtime/Text.h"

namespace app {

// The name comes from the network: a separator or a control byte in it would take the file out
// of the program's directory or make it unreadable, so each becomes "_". Double-byte characters
// stay whole; a byte that cannot trail the lead byte before it is judged on its own.
runtime::Text SaveFileName(const runtime::Text& name);

}  // namespace app
