#include "demo/QrPicture.h"

#include <qrencode.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include <jpeglib.h>

namespace {

struct QrFree {
    void operator()(QRcode* code) const { QRcode_free(code); }
};

constexpr int kQuietModules = 4;

std::vector<std::uint8_t> EncodeGray(const std::vector<std::uint8_t>& pixels, int side) {
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(side);
    info.image_height = static_cast<JDIMENSION>(side);
    info.input_components = 1;
    info.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(pixels.data() + std::size_t{info.next_scanline} * side);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<std::uint8_t> jpeg(buffer, buffer + size);
    std::free(buffer);
    return jpeg;
}

}  // namespace

std::vector<std::uint8_t> QrJpeg(const std::string& text, int moduleSize) {
    const std::unique_ptr<QRcode, QrFree> code(
        QRcode_encodeString(text.c_str(), 0, QR_ECLEVEL_M, QR_MODE_8, 1));
    if (!code) {
        return {};
    }
    const int modules = code->width + 2 * kQuietModules;
    const int side = modules * moduleSize;
    std::vector<std::uint8_t> pixels(std::size_t(side) * side, 0xFF);
    for (int y = 0; y < code->width; ++y) {
        for (int x = 0; x < code->width; ++x) {
            if ((code->data[y * code->width + x] & 1) == 0) {
                continue;
            }
            for (int dy = 0; dy < moduleSize; ++dy) {
                std::uint8_t* row = pixels.data() +
                                    std::size_t((y + kQuietModules) * moduleSize + dy) * side +
                                    std::size_t(x + kQuietModules) * moduleSize;
                std::fill(row, row + moduleSize, 0);
            }
        }
    }
    return EncodeGray(pixels, side);
}
