#pragma once

// The one place where the program's GBK texts meet Qt's strings.

#include <QString>

#include "runtime/Text.h"

namespace window {

QString QStringFromGbk(const runtime::Text& text);
runtime::Text GbkFromQString(const QString& text);

}  // namespace window
