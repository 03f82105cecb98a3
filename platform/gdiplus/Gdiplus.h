#pragma once

// The part of GDI+'s flat interface and of GDI that picture conversion uses. Bitmaps are
// decoded with the project's decoders; the encoders are the five built-in ones, chosen by
// CLSID, with their default settings.

#include <cstdint>

#include "platform/gdiplus/ComStream.h"

using ULONG_PTR = std::uintptr_t;
using ARGB = std::uint32_t;
using HGDIOBJ = void*;
struct HBITMAP__;
using HBITMAP = HBITMAP__*;
struct HPALETTE__;
using HPALETTE = HPALETTE__*;

enum Status {
    Ok = 0,
    GenericError = 1,
    InvalidParameter = 2,
    OutOfMemory = 3,
    ObjectBusy = 4,
    InsufficientBuffer = 5,
    NotImplemented = 6,
    Win32Error = 7,
    WrongState = 8,
    Aborted = 9,
    FileNotFound = 10,
    ValueOverflow = 11,
    AccessDenied = 12,
    UnknownImageFormat = 13,
    FontFamilyNotFound = 14,
    FontStyleNotFound = 15,
    NotTrueTypeFont = 16,
    UnsupportedGdiplusVersion = 17,
    GdiplusNotInitialized = 18,
};
using GpStatus = Status;

using DebugEventProc = void (*)(int level, char* message);

struct GdiplusStartupInput {
    std::uint32_t GdiplusVersion = 1;
    DebugEventProc DebugEventCallback = nullptr;
    BOOL SuppressBackgroundThread = FALSE;
    BOOL SuppressExternalCodecs = FALSE;
};
struct GdiplusStartupOutput;

// Opaque, as in the platform's own declarations; a bitmap is an image.
class GpImage {};
class GpBitmap : public GpImage {};

struct EncoderParameters;

// Start-up and shutdown nest: the other calls answer GdiplusNotInitialized while no start-up
// is in force. The token is never 0.
Status GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input,
                      GdiplusStartupOutput* output);
void GdiplusShutdown(ULONG_PTR token);

// Decodes the stream from its current position to its end.
GpStatus GdipCreateBitmapFromStream(IStream* stream, GpBitmap** bitmap);
// A device bitmap: the picture composed over the background colour, alpha dropped.
GpStatus GdipCreateHBITMAPFromBitmap(GpBitmap* bitmap, HBITMAP* hbmReturn, ARGB background);
// An opaque bitmap with the device bitmap's pixels; the palette is not used.
GpStatus GdipCreateBitmapFromHBITMAP(HBITMAP hbm, HPALETTE hpal, GpBitmap** bitmap);
// Writes the encoded picture at the stream's position. Encoder parameters are not supported:
// the defaults apply.
GpStatus GdipSaveImageToStream(GpImage* image, IStream* stream, const CLSID* clsidEncoder,
                               const EncoderParameters* encoderParams);
GpStatus GdipDisposeImage(GpImage* image);

// Deletes a device bitmap; FALSE for anything else.
BOOL DeleteObject(HGDIOBJ ho);
