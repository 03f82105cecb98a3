#include "image/ConvertImage.h"

#include <cstring>

#include "image/ReplaceFile.h"
#include "platform/GdiplusApi.h"
#include "runtime/BytesOps.h"
#include "runtime/Owned.h"
#include "runtime/TextCase.h"
#include "runtime/TextCut.h"
#include "runtime/TextSpaces.h"

namespace image {
namespace {

struct ImageFormat {
    int format;
    const char* clsidText;
    const char* extension;
};

constexpr ImageFormat kFormats[] = {
    {1, "{557CF400-1A04-11D3-9A73-0000F81EF32E}", ".bmp"},
    {2, "{557CF401-1A04-11D3-9A73-0000F81EF32E}", ".jpg"},
    {3, "{557CF402-1A04-11D3-9A73-0000F81EF32E}", ".gif"},
    {4, "{557CF405-1A04-11D3-9A73-0000F81EF32E}", ".tiff"},
    {5, "{557CF406-1A04-11D3-9A73-0000F81EF32E}", ".png"},
};

// Any other number selects no encoder: both texts stay empty.
ImageFormat FindFormat(int format) {
    for (const ImageFormat& row : kFormats) {
        if (row.format == format) {
            return row;
        }
    }
    return {format, "", ""};
}

// The path unchanged when it already ends in the extension (ASCII case aside), otherwise the
// path with the extension after it, trailing spaces and all.
runtime::Text FileNameFor(const runtime::Text& path, const runtime::Text& extension) {
    using runtime::ToLowerText;
    const runtime::Text ending = runtime::TextRight(path, runtime::TextLength(extension));
    return ToLowerText(ending) == ToLowerText(extension) ? path : path + extension;
}

// The releases of the holders below, each one platform call.
void Free(HGLOBAL block) {
    GlobalFree(block);
}
void Dispose(GpBitmap* bitmap) {
    GdipDisposeImage(bitmap);
}
void Delete(HBITMAP bitmap) {
    DeleteObject(bitmap);
}
void Release(IStream* stream) {
    stream->Release();
}
void Unlock(HGLOBAL block) {
    GlobalUnlock(block);
}

}  // namespace

runtime::Text ConvertedFileName(const runtime::Text& path, int format) {
    return FileNameFor(path, FindFormat(format).extension);
}

bool ConvertImage(const runtime::Bytes& source, int format, const runtime::Text& path,
                  runtime::Bytes* encoded, bool whiteBackground) {
    if (runtime::BytesLength(source) < 3) {
        return false;
    }
    using runtime::Owned;
    // Declared in the reverse of the release order: the input stream goes first, GDI+ last.
    Owned<ULONG_PTR, GdiplusShutdown> session;  // the token is never 0
    Owned<HGLOBAL, Free> inputBlock;
    Owned<GpBitmap*, Dispose> decoded;
    Owned<HBITMAP, Delete> deviceBitmap;
    Owned<GpBitmap*, Dispose> replacement;
    Owned<IStream*, Release> outputStream;  // frees its block
    Owned<HGLOBAL, Unlock> lockedOutput;
    Owned<IStream*, Release> inputStream;  // leaves its block

    const GdiplusStartupInput input;  // version 1, nothing suppressed
    GdiplusStartup(&session.handle, &input, nullptr);
    const ImageFormat row = FindFormat(format);
    const CLSID encoder = ClsidFromText(row.clsidText);

    inputBlock.handle = GlobalAlloc(GMEM_MOVEABLE, source.size());
    CreateStreamOnHGlobal(inputBlock.handle, FALSE, &inputStream.handle);
    if (void* address = GlobalLock(inputBlock.handle)) {
        std::memcpy(address, source.data(), source.size());
    }
    GlobalUnlock(inputBlock.handle);
    GdipCreateBitmapFromStream(inputStream.handle, &decoded.handle);
    GpBitmap* bitmap = decoded.handle;
    if (whiteBackground) {
        GdipCreateHBITMAPFromBitmap(decoded.handle, &deviceBitmap.handle, 0x00FFFFFF);
        GdipCreateBitmapFromHBITMAP(deviceBitmap.handle, nullptr, &replacement.handle);
        bitmap = replacement.handle;
    }
    CreateStreamOnHGlobal(nullptr, TRUE, &outputStream.handle);
    GdipSaveImageToStream(bitmap, outputStream.handle, &encoder, nullptr);

    HGLOBAL outputBlock = nullptr;
    GetHGlobalFromStream(outputStream.handle, &outputBlock);
    const void* data = GlobalLock(outputBlock);
    const SIZE_T size = GlobalSize(outputBlock);
    if (data == nullptr) {
        return false;
    }
    lockedOutput.handle = outputBlock;
    runtime::Bytes result = runtime::BlankBytes(static_cast<int>(size));
    std::memcpy(result.data(), data, result.size());

    if (!runtime::TrimText(path).empty()) {
        ReplaceFileWith(ConvertedFileName(path, format), result);  // its outcome does not count
    }
    if (encoded != nullptr) {
        *encoded = std::move(result);
    }
    return true;
}

}  // namespace image
