#pragma once

#include <QFont>

#include "runtime/Window.h"

namespace window {

// The form's font on this machine: a face that is not installed falls back to a Kai-style CJK
// face, then to any face that writes Simplified Chinese.
QFont ResolveFont(const runtime::FontForm& form, const QFont& base);

}  // namespace window
