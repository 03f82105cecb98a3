// TIFF through libtiff's RGBA interface, which converts every photometric interpretation,
// bit depth and compression it knows. Only picture conversion reads TIFF.

#include "platform/codecs/Argb.h"
#include "platform/codecs/Decoders.h"
#include "platform/codecs/PixelBudget.h"
#include "platform/codecs/TiffMemory.h"

namespace codecs {
namespace {

// The RGBA interface delivers alpha premultiplied; the pictures here are not.
std::uint32_t ToArgb(std::uint32_t abgr) {
    std::uint32_t r = TIFFGetR(abgr), g = TIFFGetG(abgr), b = TIFFGetB(abgr);
    const std::uint32_t a = TIFFGetA(abgr);
    if (a != 0 && a != 255) {
        r = std::min<std::uint32_t>(255, (r * 255 + a / 2) / a);
        g = std::min<std::uint32_t>(255, (g * 255 + a / 2) / a);
        b = std::min<std::uint32_t>(255, (b * 255 + a / 2) / a);
    }
    return PackArgb(a, r, g, b);
}

}  // namespace

DecodeResult DecodeTiff(std::span<const std::uint8_t> data, DecodeHint) {
    TiffMemory memory{{data.begin(), data.end()}};
    const TiffHandle tiff = OpenTiffInMemory(memory, "r");
    std::uint32_t width = 0, height = 0;
    char message[1024];
    if (!tiff || TIFFGetField(tiff.handle, TIFFTAG_IMAGEWIDTH, &width) != 1 ||
        TIFFGetField(tiff.handle, TIFFTAG_IMAGELENGTH, &height) != 1) {
        return memory.readPastEnd ? Refusal::Truncated : Refusal::BadHeader;
    }
    if (!FitsPixelBudget(width, height)) {
        return Refusal::TooLarge;
    }
    if (TIFFRGBAImageOK(tiff.handle, message) != 1) {
        return Refusal::BadHeader;
    }
    DecodedPicture picture;
    picture.width = picture.naturalWidth = static_cast<int>(width);
    picture.height = picture.naturalHeight = static_cast<int>(height);
    picture.argb.resize(std::size_t{width} * height);
    if (TIFFReadRGBAImageOriented(tiff.handle, width, height, picture.argb.data(),
                                  ORIENTATION_TOPLEFT, 1) != 1) {
        return memory.readPastEnd ? Refusal::Truncated : Refusal::BadData;
    }
    for (auto& pixel : picture.argb) {
        pixel = ToArgb(pixel);
    }
    return picture;
}

}  // namespace codecs
