// JPEG through libjpeg(-turbo). libjpeg reports errors by longjmp, so every call into it sits in
// a small function whose frame has no destructors; the C++ caller owns all memory.

#include <jerror.h>

#include "platform/codecs/Argb.h"
#include "platform/codecs/Decoders.h"
#include "platform/codecs/JpegError.h"
#include "platform/codecs/PixelBudget.h"

namespace codecs {
namespace {

// Warnings are ignored, except the one for data that ends early: a truncated file is broken.
void OnMessage(j_common_ptr info, int level) {
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF) {
        JumpOnError(info);
    }
}

class Decompressor {
  public:
    Decompressor() {
        info.err = jpeg_std_error(&error.manager);
        error.manager.error_exit = JumpOnError;
        error.manager.emit_message = OnMessage;
        jpeg_create_decompress(&info);
    }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;
    ~Decompressor() { jpeg_destroy_decompress(&info); }

    jpeg_decompress_struct info{};
    JpegError error{};
};

bool ReadHeader(Decompressor& d, const std::uint8_t* data, std::size_t size) {
    if (setjmp(d.error.jump) != 0) {
        return false;
    }
    jpeg_mem_src(&d.info, data, static_cast<unsigned long>(size));
    return jpeg_read_header(&d.info, TRUE) == JPEG_HEADER_OK;
}

bool StartDecompress(Decompressor& d, unsigned scaleNum) {
    if (setjmp(d.error.jump) != 0) {
        return false;
    }
    const bool adobeInk =
        d.info.jpeg_color_space == JCS_CMYK || d.info.jpeg_color_space == JCS_YCCK;
    d.info.out_color_space = adobeInk ? JCS_CMYK : JCS_EXT_BGRA;
    d.info.scale_num = scaleNum;
    d.info.scale_denom = 8;
    return jpeg_start_decompress(&d.info) == TRUE;
}

// Appends output_height rows of output_width pixels to `out`, whose capacity already holds them.
// Rows are added as they are decoded, so data that breaks off early never touches the rest.
bool ReadRows(Decompressor& d, std::vector<std::uint32_t>& out) {
    if (setjmp(d.error.jump) != 0) {
        return false;
    }
    const std::size_t width = d.info.output_width;
    while (d.info.output_scanline < d.info.output_height) {
        out.resize(out.size() + width);
        JSAMPROW row = reinterpret_cast<JSAMPROW>(out.data() + width * d.info.output_scanline);
        if (jpeg_read_scanlines(&d.info, &row, 1) != 1) {
            return false;
        }
    }
    jpeg_finish_decompress(&d.info);
    return true;
}

// The reason behind the last error libjpeg raised; `otherwise` names the step that failed.
Refusal RefusalOf(const Decompressor& d, Refusal otherwise) {
    switch (d.error.manager.msg_code) {
        case JWRN_JPEG_EOF:
            return Refusal::Truncated;
        case JERR_IMAGE_TOO_BIG:
            return Refusal::TooLarge;
        default:
            return otherwise;
    }
}

// The smallest scale, in eighths, whose output still covers the size the picture is drawn at.
unsigned ChooseScale(const jpeg_decompress_struct& info, const DecodeHint& hint) {
    const PictureSize natural{static_cast<int>(info.image_width),
                              static_cast<int>(info.image_height)};
    const PictureSize drawn = DrawnSize(natural, hint);
    for (unsigned num = 1; num < 8; ++num) {
        const auto w = (std::uint64_t{info.image_width} * num + 7) / 8;
        const auto h = (std::uint64_t{info.image_height} * num + 7) / 8;
        if (w >= static_cast<std::uint64_t>(drawn.width) &&
            h >= static_cast<std::uint64_t>(drawn.height)) {
            return num;
        }
    }
    return 8;
}

// Adobe writes CMYK inverted: each byte is 255 minus the ink.
void InkToArgb(std::uint32_t* pixels, std::size_t count) {
    auto* bytes = reinterpret_cast<const std::uint8_t*>(pixels);
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned c = bytes[4 * i], m = bytes[4 * i + 1], y = bytes[4 * i + 2],
                       k = bytes[4 * i + 3];
        pixels[i] = PackOpaque(c * k / 255, m * k / 255, y * k / 255);
    }
}

}  // namespace

DecodeResult DecodeJpeg(std::span<const std::uint8_t> data, DecodeHint hint) {
    Decompressor d;
    if (!ReadHeader(d, data.data(), data.size())) {
        return RefusalOf(d, Refusal::BadHeader);
    }
    if (!FitsPixelBudget(d.info.image_width, d.info.image_height)) {
        return Refusal::TooLarge;
    }
    if (!StartDecompress(d, ChooseScale(d.info, hint))) {
        return RefusalOf(d, Refusal::BadData);
    }
    DecodedPicture picture;
    picture.naturalWidth = static_cast<int>(d.info.image_width);
    picture.naturalHeight = static_cast<int>(d.info.image_height);
    picture.width = static_cast<int>(d.info.output_width);
    picture.height = static_cast<int>(d.info.output_height);
    picture.argb.reserve(std::size_t{d.info.output_width} * d.info.output_height);
    if (!ReadRows(d, picture.argb)) {
        return RefusalOf(d, Refusal::BadData);
    }
    if (d.info.out_color_space == JCS_CMYK) {
        InkToArgb(picture.argb.data(), picture.argb.size());
    }
    return picture;
}

}  // namespace codecs
