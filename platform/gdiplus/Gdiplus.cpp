#include "platform/gdiplus/Gdiplus.h"

#include <algorithm>
#include <new>
#include <set>
#include <unordered_set>
#include <vector>

#include "platform/codecs/PictureDecoder.h"
#include "platform/codecs/PictureEncoder.h"
#include "platform/gdiplus/CallLog.h"

struct HBITMAP__ {
    codecs::DecodedPicture picture;
};

namespace {

class PictureBitmap final : public GpBitmap {
  public:
    explicit PictureBitmap(codecs::DecodedPicture p) : picture(std::move(p)) {}
    codecs::DecodedPicture picture;
};

// The process-wide state of the library: the tokens in force, and the live objects, so that a
// stale or forged pointer is refused instead of being followed.
struct Library {
    std::set<ULONG_PTR> tokens;
    ULONG_PTR nextToken = 1;
    std::unordered_set<const GpImage*> images;
    std::unordered_set<const HBITMAP__*> deviceBitmaps;
};

Library& State() {
    static Library library;
    return library;
}

bool Started() {
    return !State().tokens.empty();
}

PictureBitmap* FindImage(GpImage* image) {
    return State().images.count(image) != 0 ? static_cast<PictureBitmap*>(image) : nullptr;
}

GpStatus NewBitmap(codecs::DecodedPicture picture, GpBitmap** bitmap) {
    auto* created = new (std::nothrow) PictureBitmap(std::move(picture));
    if (created == nullptr) {
        return OutOfMemory;
    }
    State().images.insert(created);
    *bitmap = created;
    return Ok;
}

std::optional<std::vector<std::uint8_t>> ReadToEnd(IStream* stream) {
    ULARGE_INTEGER here{}, end{};
    if (stream->Seek(LARGE_INTEGER{0}, STREAM_SEEK_CUR, &here) != S_OK ||
        stream->Seek(LARGE_INTEGER{0}, STREAM_SEEK_END, &end) != S_OK ||
        stream->Seek(LARGE_INTEGER{static_cast<LONGLONG>(here.QuadPart)}, STREAM_SEEK_SET,
                     nullptr) != S_OK ||
        end.QuadPart < here.QuadPart || end.QuadPart - here.QuadPart > 0xFFFFFFFFu) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(end.QuadPart - here.QuadPart));
    ULONG read = 0;
    if (!bytes.empty() &&
        (stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read) != S_OK ||
         read != bytes.size())) {
        return std::nullopt;
    }
    return bytes;
}

std::uint32_t OverBackground(std::uint32_t pixel, ARGB background) {
    const std::uint32_t a = pixel >> 24;
    std::uint32_t out = 0xFF000000u;
    for (int shift = 0; shift <= 16; shift += 8) {
        const std::uint32_t fg = (pixel >> shift) & 0xFF, bg = (background >> shift) & 0xFF;
        out |= ((fg * a + bg * (255 - a) + 127) / 255) << shift;
    }
    return out;
}

// The five built-in encoders: {557CF40x-1A04-11D3-9A73-0000F81EF32E}.
std::optional<codecs::EncodedFormat> EncoderFor(const CLSID& clsid) {
    struct Row {
        std::uint32_t data1;
        codecs::EncodedFormat format;
    };
    constexpr Row kEncoders[] = {
        {0x557CF400, codecs::EncodedFormat::Bmp}, {0x557CF401, codecs::EncodedFormat::Jpeg},
        {0x557CF402, codecs::EncodedFormat::Gif}, {0x557CF405, codecs::EncodedFormat::Tiff},
        {0x557CF406, codecs::EncodedFormat::Png},
    };
    for (const Row& row : kEncoders) {
        const CLSID expected{
            row.data1, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
        if (clsid == expected) {
            return row.format;
        }
    }
    return std::nullopt;
}

}  // namespace

Status GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, GdiplusStartupOutput*) {
    const gdiplus::LoggedCall call("GdiplusStartup");
    if (token == nullptr || input == nullptr) {
        return InvalidParameter;
    }
    if (input->GdiplusVersion < 1 || input->GdiplusVersion > 3) {
        return UnsupportedGdiplusVersion;
    }
    *token = State().nextToken++;
    State().tokens.insert(*token);
    return Ok;
}

void GdiplusShutdown(ULONG_PTR token) {
    const gdiplus::LoggedCall call("GdiplusShutdown");
    State().tokens.erase(token);
}

GpStatus GdipCreateBitmapFromStream(IStream* stream, GpBitmap** bitmap) {
    const gdiplus::LoggedCall call("GdipCreateBitmapFromStream");
    if (!Started()) {
        return GdiplusNotInitialized;
    }
    if (stream == nullptr || bitmap == nullptr) {
        return InvalidParameter;
    }
    const auto bytes = ReadToEnd(stream);
    if (!bytes) {
        return InvalidParameter;
    }
    auto picture = codecs::DecodeForConversion(*bytes);
    if (!picture) {
        return UnknownImageFormat;
    }
    return NewBitmap(std::move(*picture), bitmap);
}

GpStatus GdipCreateHBITMAPFromBitmap(GpBitmap* bitmap, HBITMAP* hbmReturn, ARGB background) {
    const gdiplus::LoggedCall call("GdipCreateHBITMAPFromBitmap");
    if (!Started()) {
        return GdiplusNotInitialized;
    }
    const PictureBitmap* source = FindImage(bitmap);
    if (source == nullptr || hbmReturn == nullptr) {
        return InvalidParameter;
    }
    auto* device = new (std::nothrow) HBITMAP__{source->picture};
    if (device == nullptr) {
        return OutOfMemory;
    }
    for (auto& pixel : device->picture.argb) {
        pixel = OverBackground(pixel, background);
    }
    State().deviceBitmaps.insert(device);
    *hbmReturn = device;
    return Ok;
}

GpStatus GdipCreateBitmapFromHBITMAP(HBITMAP hbm, HPALETTE, GpBitmap** bitmap) {
    const gdiplus::LoggedCall call("GdipCreateBitmapFromHBITMAP");
    if (!Started()) {
        return GdiplusNotInitialized;
    }
    if (State().deviceBitmaps.count(hbm) == 0 || bitmap == nullptr) {
        return InvalidParameter;
    }
    return NewBitmap(hbm->picture, bitmap);
}

GpStatus GdipSaveImageToStream(GpImage* image, IStream* stream, const CLSID* clsidEncoder,
                               const EncoderParameters*) {
    const gdiplus::LoggedCall call("GdipSaveImageToStream");
    if (!Started()) {
        return GdiplusNotInitialized;
    }
    const PictureBitmap* source = FindImage(image);
    if (source == nullptr || stream == nullptr || clsidEncoder == nullptr) {
        return InvalidParameter;
    }
    const auto format = EncoderFor(*clsidEncoder);
    if (!format) {
        return FileNotFound;
    }
    const auto encoded = codecs::EncodePicture(*format, source->picture);
    if (!encoded || encoded->size() > 0xFFFFFFFFu) {
        return GenericError;
    }
    ULONG written = 0;
    if (stream->Write(encoded->data(), static_cast<ULONG>(encoded->size()), &written) != S_OK ||
        written != encoded->size()) {
        return Win32Error;
    }
    return Ok;
}

GpStatus GdipDisposeImage(GpImage* image) {
    const gdiplus::LoggedCall call("GdipDisposeImage");
    PictureBitmap* bitmap = FindImage(image);
    if (bitmap == nullptr) {
        return InvalidParameter;
    }
    State().images.erase(image);
    delete bitmap;
    return Ok;
}

BOOL DeleteObject(HGDIOBJ ho) {
    const gdiplus::LoggedCall call("DeleteObject");
    auto* device = static_cast<HBITMAP__*>(ho);
    if (State().deviceBitmaps.erase(device) == 0) {
        return FALSE;
    }
    delete device;
    return TRUE;
}
