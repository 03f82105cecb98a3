// BMP by hand: bottom-up rows; 24 bits with a 40-byte header, or, for pictures with
// transparency, 32 bits with a 108-byte header whose masks include alpha.

#include "platform/codecs/Argb.h"
#include "platform/codecs/BmpFormat.h"
#include "platform/codecs/Encoders.h"

namespace codecs {
namespace {

class LittleEndianWriter {
  public:
    explicit LittleEndianWriter(std::vector<std::uint8_t>& out) : out_(out) {}
    void U16(std::uint32_t v) { Put(v, 2); }
    void U32(std::uint32_t v) { Put(v, 4); }
    void Zeros(std::size_t n) { out_.insert(out_.end(), n, 0); }

  private:
    void Put(std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            out_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        }
    }
    std::vector<std::uint8_t>& out_;
};

constexpr std::uint32_t LCS_sRGB = 0x73524742;

}  // namespace

EncodedBytes EncodeBmp(const DecodedPicture& picture) {
    const bool alpha = HasTransparency(picture);
    const std::uint32_t bits = alpha ? 32 : 24;
    const std::uint32_t headerSize = alpha ? kBitmapV4HeaderSize : kBitmapInfoHeaderSize;
    const std::uint64_t width = static_cast<std::uint64_t>(picture.width);
    const std::uint64_t height = static_cast<std::uint64_t>(picture.height);
    const std::uint64_t stride = BmpRowStride(width, bits);
    const std::uint64_t fileSize = kBmpFileHeaderSize + headerSize + stride * height;
    if (fileSize > 0xFFFFFFFFu) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> out;
    out.reserve(static_cast<std::size_t>(fileSize));
    LittleEndianWriter w(out);
    w.U16('B' | ('M' << 8));
    w.U32(static_cast<std::uint32_t>(fileSize));
    w.U32(0);  // reserved
    w.U32(kBmpFileHeaderSize + headerSize);
    w.U32(headerSize);
    w.U32(static_cast<std::uint32_t>(width));
    w.U32(static_cast<std::uint32_t>(height));
    w.U16(1);  // planes
    w.U16(bits);
    w.U32(alpha ? BI_BITFIELDS : BI_RGB);
    w.U32(static_cast<std::uint32_t>(stride * height));
    w.U32(3780);  // 96 dots per inch, in dots per metre
    w.U32(3780);
    w.U32(0);  // colours used
    w.U32(0);  // important colours
    if (alpha) {
        w.U32(0x00FF0000);
        w.U32(0x0000FF00);
        w.U32(0x000000FF);
        w.U32(0xFF000000);
        w.U32(LCS_sRGB);
        w.Zeros(36 + 12);  // end points, gamma
    }
    for (std::uint64_t y = height; y-- > 0;) {
        const std::uint32_t* row = picture.argb.data() + y * width;
        for (std::uint64_t x = 0; x < width; ++x) {
            out.push_back(BlueOf(row[x]));
            out.push_back(GreenOf(row[x]));
            out.push_back(RedOf(row[x]));
            if (alpha) {
                out.push_back(AlphaOf(row[x]));
            }
        }
        w.Zeros(static_cast<std::size_t>(stride - width * (bits / 8)));
    }
    return out;
}

}  // namespace codecs
