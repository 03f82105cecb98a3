#pragma once

#include "runtime/Text.h"

namespace app {

// The notice line of the main window.
runtime::Text NoticeText();
// The count line: how many pictures this run has collected.
runtime::Text CountText(int collectedCount);

}  // namespace app
