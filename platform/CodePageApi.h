#pragma once

// MultiByteToWideChar and WideCharToMultiByte: kernel32's on Windows, the stand-in over iconv
// elsewhere.

#if defined(_WIN32)
#include <windows.h>
#else
#include "platform/codepage/CodePage.h"
#endif
