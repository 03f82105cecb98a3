#pragma once

#include <optional>

#include "platform/User32Api.h"
#include "runtime/Text.h"

namespace app {

// The first visible top-level window of the process, in Z order. With both filters given, a
// window must hold `title` in its title or `className` in its class name. Handles waiting window
// messages after every window it passes; 0 once `timeoutMs` (omitted or -1: 31,536,000) passed.
HWND FindProcessWindow(DWORD processId, const std::optional<runtime::Text>& title = std::nullopt,
                       const std::optional<runtime::Text>& className = std::nullopt,
                       std::optional<int> timeoutMs = std::nullopt);

}  // namespace app
