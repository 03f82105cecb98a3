#pragma once

// The basic Windows types and the last-error value: the system's on Windows, the stand-in's
// elsewhere. Each platform piece has one such header, so that nothing depends on the order of
// include paths.

#if defined(_WIN32)
#include <windows.h>
#else
#include "platform/win32/WinBase.h"
#endif
