#pragma once

#include <optional>

#include "platform/User32Api.h"
#include "runtime/Text.h"

namespace app {

// A message box: style omitted 0x40 (information, OK), title omitted "友情提醒", owner omitted the
// program's own visible window. Returns the button pressed minus 1 (0 for OK), -1 when no box
// could be shown.
int ShowMessage(const std::optional<runtime::Text>& text = std::nullopt,
                std::optional<int> style = std::nullopt,
                const std::optional<runtime::Text>& title = std::nullopt,
                std::optional<HWND> owner = std::nullopt);

}  // namespace app
