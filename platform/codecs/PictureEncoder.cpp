#include "platform/codecs/PictureEncoder.h"

#include <algorithm>

#include "platform/codecs/Argb.h"
#include "platform/codecs/Encoders.h"

namespace codecs {
namespace {

struct EncoderRow {
    EncodedFormat format;
    EncodedBytes (*encode)(const DecodedPicture&);
};

constexpr EncoderRow kEncoders[] = {
    {EncodedFormat::Bmp, EncodeBmp}, {EncodedFormat::Jpeg, EncodeJpeg},
    {EncodedFormat::Gif, EncodeGif}, {EncodedFormat::Tiff, EncodeTiff},
    {EncodedFormat::Png, EncodePng},
};

}  // namespace

bool HasTransparency(const DecodedPicture& picture) {
    return std::any_of(picture.argb.begin(), picture.argb.end(),
                       [](std::uint32_t p) { return AlphaOf(p) != 0xFF; });
}

std::optional<std::vector<std::uint8_t>> EncodePicture(EncodedFormat format,
                                                       const DecodedPicture& picture) {
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.argb.size() != std::size_t(picture.width) * std::size_t(picture.height)) {
        return std::nullopt;
    }
    for (const EncoderRow& row : kEncoders) {
        if (row.format == format) {
            return row.encode(picture);
        }
    }
    return std::nullopt;
}

}  // namespace codecs
