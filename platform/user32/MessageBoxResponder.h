#pragma once

// Test seam: a responder answers every message box once it is up, in place of a person. The box
// is still really shown, over its owner and modal to it.

#include <functional>

#include "platform/user32/WinUser.h"
#include "runtime/Text.h"

namespace user32 {

struct MessageBoxSeen {
    HWND owner = 0;
    runtime::Text text;
    runtime::Text title;
    UINT style = 0;
    UINT icon = 0;  // the icon shown, as its style bits (0: none)
};

// Returns the identifier of the button to press (IDOK, IDCANCEL, ...). An empty function
// removes the responder.
using MessageBoxResponder = std::function<int(const MessageBoxSeen&)>;
void SetMessageBoxResponder(MessageBoxResponder responder);

}  // namespace user32
