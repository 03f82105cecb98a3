// PNG through libpng's simplified API, which handles every colour type, bit depth and
// transparency chunk, and reports errors by return value instead of longjmp.

#include <png.h>

#include "platform/codecs/Decoders.h"
#include "platform/codecs/PixelBudget.h"

namespace codecs {
namespace {

class PngImage {
public:
    PngImage() {
        image.version = PNG_IMAGE_VERSION;
    }
    PngImage(const PngImage&) = delete;
    PngImage& operator=(const PngImage&) = delete;
    ~PngImage() { png_image_free(&image); }

    png_image image{};
};

}  // namespace

std::optional<DecodedPicture> DecodePng(std::span<const std::uint8_t> data, DecodeHint) {
    PngImage png;
    if (png_image_begin_read_from_memory(&png.image, data.data(), data.size()) == 0 ||
        !FitsPixelBudget(png.image.width, png.image.height)) {
        return std::nullopt;
    }
    // BGRA bytes in memory are 0xAARRGGBB words on a little-endian machine.
    png.image.format = PNG_FORMAT_BGRA;
    DecodedPicture picture;
    picture.width = picture.naturalWidth = static_cast<int>(png.image.width);
    picture.height = picture.naturalHeight = static_cast<int>(png.image.height);
    picture.argb.resize(std::size_t{png.image.width} * png.image.height);
    if (png_image_finish_read(&png.image, nullptr, picture.argb.data(), 0, nullptr) == 0) {
        return std::nullopt;
    }
    return picture;
}

}  // namespace codecs
