#pragma once

// The Windows Internet client: wininet.dll on Windows, the stand-in over libcurl elsewhere.

#if defined(_WIN32)
#include <windows.h>
#include <wininet.h>
#else
#include "platform/wininet/WinInet.h"
#endif
