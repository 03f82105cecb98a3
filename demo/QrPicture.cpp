#include "demo/QrPicture.h"

#include <qrencode.h>

#include <algorithm>
#include <memory>

#include "platform/codecs/PictureEncoder.h"

namespace {

struct QrFree {
    void operator()(QRcode* code) const { QRcode_free(code); }
};

constexpr int kQuietModules = 4;
constexpr std::uint32_t kWhite = 0xFFFFFFFF;
constexpr std::uint32_t kBlack = 0xFF000000;

}  // namespace

std::vector<std::uint8_t> QrJpeg(const std::string& text, int moduleSize) {
    const std::unique_ptr<QRcode, QrFree> code(
        QRcode_encodeString(text.c_str(), 0, QR_ECLEVEL_M, QR_MODE_8, 1));
    if (!code) {
        return {};
    }
    const int side = (code->width + 2 * kQuietModules) * moduleSize;
    codecs::DecodedPicture picture;
    picture.width = picture.naturalWidth = side;
    picture.height = picture.naturalHeight = side;
    picture.argb.assign(std::size_t(side) * side, kWhite);
    for (int y = 0; y < code->width; ++y) {
        for (int x = 0; x < code->width; ++x) {
            if ((code->data[y * code->width + x] & 1) == 0) {
                continue;
            }
            for (int dy = 0; dy < moduleSize; ++dy) {
                auto row = picture.argb.begin() +
                           std::ptrdiff_t((y + kQuietModules) * moduleSize + dy) * side +
                           (x + kQuietModules) * moduleSize;
                std::fill(row, row + moduleSize, kBlack);
            }
        }
    }
    return codecs::EncodePicture(codecs::EncodedFormat::Jpeg, picture)
        .value_or(std::vector<std::uint8_t>{});
}
