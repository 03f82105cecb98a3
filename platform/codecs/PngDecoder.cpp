// PNG through libpng. Every colour type and bit depth is expanded to 8-bit BGRA, transparency
// chunks become alpha, and 16-bit samples keep their high byte (as stored, not re-gamma'd).
// libpng reports errors by longjmp, so every call into it sits in a small function whose
// frame has no destructors; the C++ caller owns all memory.

#include <png.h>

#include <vector>

#include "platform/codecs/ByteReader.h"
#include "platform/codecs/Decoders.h"
#include "platform/codecs/PixelBudget.h"

namespace codecs {
namespace {

[[noreturn]] void JumpOnError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void IgnoreWarning(png_structp, png_const_charp) {}

void ReadFromMemory(png_structp png, png_bytep out, png_size_t size) {
    auto* reader = static_cast<ByteReader*>(png_get_io_ptr(png));
    const auto bytes = reader->Take(size);
    if (!bytes) {
        png_error(png, "truncated");
    }
    std::copy(bytes->begin(), bytes->end(), out);
}

class PngReader {
  public:
    explicit PngReader(std::span<const std::uint8_t> data) : input(data) {
        png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, JumpOnError, IgnoreWarning);
        if (png != nullptr) {
            info = png_create_info_struct(png);
            png_set_read_fn(png, &input, ReadFromMemory);
        }
    }
    PngReader(const PngReader&) = delete;
    PngReader& operator=(const PngReader&) = delete;
    ~PngReader() { png_destroy_read_struct(&png, &info, nullptr); }

    ByteReader input;
    png_structp png = nullptr;
    png_infop info = nullptr;
};

// Reads the header and sets up the conversion to 8-bit BGRA.
bool ReadHeader(PngReader& r, png_uint_32& width, png_uint_32& height) {
    if (setjmp(png_jmpbuf(r.png)) != 0) {
        return false;
    }
    // Sizes up to the format's own limit reach the pixel budget, which says why it refuses.
    png_set_user_limits(r.png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    png_read_info(r.png, r.info);
    width = png_get_image_width(r.png, r.info);
    height = png_get_image_height(r.png, r.info);
    png_set_expand(r.png);
    png_set_strip_16(r.png);
    png_set_gray_to_rgb(r.png);
    png_set_add_alpha(r.png, 0xFF, PNG_FILLER_AFTER);
    png_set_bgr(r.png);
    png_set_interlace_handling(r.png);
    png_read_update_info(r.png, r.info);
    return png_get_rowbytes(r.png, r.info) == std::size_t{width} * 4;
}

bool ReadPixels(PngReader& r, png_bytepp rows) {
    if (setjmp(png_jmpbuf(r.png)) != 0) {
        return false;
    }
    png_read_image(r.png, rows);
    return true;
}

}  // namespace

bool IsPng(std::span<const std::uint8_t> data) {
    return data.size() >= 8 && png_sig_cmp(data.data(), 0, 8) == 0;
}

DecodeResult DecodePng(std::span<const std::uint8_t> data, DecodeHint) {
    PngReader reader(data);
    png_uint_32 width = 0, height = 0;
    if (reader.info == nullptr || !ReadHeader(reader, width, height)) {
        return reader.input.Ok() ? Refusal::BadHeader : Refusal::Truncated;
    }
    if (!FitsPixelBudget(width, height)) {
        return Refusal::TooLarge;
    }
    DecodedPicture picture;
    picture.width = picture.naturalWidth = static_cast<int>(width);
    picture.height = picture.naturalHeight = static_cast<int>(height);
    picture.argb.resize(std::size_t{width} * height);
    // BGRA bytes in memory are 0xAARRGGBB words on a little-endian machine.
    std::vector<png_bytep> rows(height);
    for (png_uint_32 y = 0; y < height; ++y) {
        rows[y] = reinterpret_cast<png_bytep>(picture.argb.data() + std::size_t{y} * width);
    }
    if (!ReadPixels(reader, rows.data())) {
        return reader.input.Ok() ? Refusal::BadData : Refusal::Truncated;
    }
    return picture;
}

}  // namespace codecs
