#pragma once

// Message boxes and the top-level window queries: user32.dll on Windows, the stand-in over Qt
// elsewhere.

#if defined(_WIN32)
#include <windows.h>
#else
#include "platform/user32/WinUser.h"
#endif
