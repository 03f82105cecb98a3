// PNG through libpng's simplified API: 8-bit RGB, or RGBA when the picture has transparency.

#include <png.h>

#include "platform/codecs/Argb.h"
#include "platform/codecs/Encoders.h"

namespace codecs {
namespace {

// The simplified API reads whole pixels of its format, so an opaque picture is first packed
// into three bytes per pixel.
std::vector<std::uint8_t> PackBgr(const DecodedPicture& picture) {
    std::vector<std::uint8_t> bgr;
    bgr.reserve(picture.argb.size() * 3);
    for (const std::uint32_t p : picture.argb) {
        bgr.push_back(BlueOf(p));
        bgr.push_back(GreenOf(p));
        bgr.push_back(RedOf(p));
    }
    return bgr;
}

}  // namespace

EncodedBytes EncodePng(const DecodedPicture& picture) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(picture.width);
    image.height = static_cast<png_uint_32>(picture.height);
    const bool alpha = HasTransparency(picture);
    image.format = alpha ? PNG_FORMAT_BGRA : PNG_FORMAT_BGR;
    const std::vector<std::uint8_t> bgr = alpha ? std::vector<std::uint8_t>{} : PackBgr(picture);
    const void* pixels = alpha ? static_cast<const void*>(picture.argb.data()) : bgr.data();
    png_alloc_size_t size = 0;
    if (png_image_write_get_memory_size(image, size, 0, pixels, 0, nullptr) == 0) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> out(size);
    if (png_image_write_to_memory(&image, out.data(), &size, 0, pixels, 0, nullptr) == 0) {
        return std::nullopt;
    }
    out.resize(size);
    return out;
}

}  // namespace codecs
