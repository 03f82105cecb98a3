#pragma once

// GDI+ (its flat API), COM memory streams and global memory: the system's on Windows, the
// stand-in over the project's codecs elsewhere. Both offer the same global names.

#if defined(_WIN32)
#include <objbase.h>
#include <objidl.h>
#include <windows.h>
// gdiplus.h uses min and max, which NOMINMAX keeps out of windows.h.
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

using Gdiplus::GdiplusShutdown;
using Gdiplus::GdiplusStartup;
using Gdiplus::GdiplusStartupInput;
using Gdiplus::GpBitmap;
using Gdiplus::GpImage;
using Gdiplus::DllExports::GdipCreateBitmapFromHBITMAP;
using Gdiplus::DllExports::GdipCreateBitmapFromStream;
using Gdiplus::DllExports::GdipCreateHBITMAPFromBitmap;
using Gdiplus::DllExports::GdipDisposeImage;
using Gdiplus::DllExports::GdipSaveImageToStream;
#else
#include "platform/gdiplus/Gdiplus.h"
#endif
