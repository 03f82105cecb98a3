// JPEG through libjpeg(-turbo) with the library's defaults at quality 75, which subsample
// chroma 4:2:0 as the platform's encoder does. Alpha is dropped.

#include <cstdlib>

#include "platform/codecs/Encoders.h"
#include "platform/codecs/JpegError.h"
#include "runtime/Owned.h"

namespace codecs {
namespace {

void FreeOutput(unsigned char* buffer) {
    std::free(buffer);
}

class Compressor {
  public:
    Compressor() {
        info.err = jpeg_std_error(&error.manager);
        error.manager.error_exit = JumpOnError;
        jpeg_create_compress(&info);
    }
    Compressor(const Compressor&) = delete;
    Compressor& operator=(const Compressor&) = delete;
    ~Compressor() { jpeg_destroy_compress(&info); }

    jpeg_compress_struct info{};
    JpegError error{};
    runtime::Owned<unsigned char*, FreeOutput> buffer;  // libjpeg's output, grown with malloc
    unsigned long size = 0;
};

bool Compress(Compressor& c, const std::uint8_t* bgrx, JDIMENSION width, JDIMENSION height) {
    if (setjmp(c.error.jump) != 0) {
        return false;
    }
    jpeg_mem_dest(&c.info, &c.buffer.handle, &c.size);
    c.info.image_width = width;
    c.info.image_height = height;
    c.info.input_components = 4;
    c.info.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&c.info);
    jpeg_set_quality(&c.info, 75, TRUE);
    jpeg_start_compress(&c.info, TRUE);
    const std::size_t stride = std::size_t{width} * 4;
    while (c.info.next_scanline < c.info.image_height) {
        // libjpeg takes rows as non-const pointers but only reads them.
        JSAMPROW row = const_cast<std::uint8_t*>(bgrx + stride * c.info.next_scanline);
        jpeg_write_scanlines(&c.info, &row, 1);
    }
    jpeg_finish_compress(&c.info);
    return true;
}

}  // namespace

EncodedBytes EncodeJpeg(const DecodedPicture& picture) {
    Compressor c;
    const auto* bgrx = reinterpret_cast<const std::uint8_t*>(picture.argb.data());
    if (!Compress(c, bgrx, static_cast<JDIMENSION>(picture.width),
                  static_cast<JDIMENSION>(picture.height)) ||
        !c.buffer) {
        return std::nullopt;
    }
    return std::vector<std::uint8_t>(c.buffer.handle, c.buffer.handle + c.size);
}

}  // namespace codecs
