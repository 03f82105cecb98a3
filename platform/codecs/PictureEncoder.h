#pragma once

// Picture encoding for the image stand-in, with the settings the platform's built-in encoders
// use by default.

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/codecs/PictureDecoder.h"

namespace codecs {

enum class EncodedFormat {
    Bmp,   // 24 bits, or 32 bits with an alpha mask when the picture has transparency
    Jpeg,  // quality 75, 4:2:0; alpha is dropped
    Gif,   // a fixed halftone palette; mostly transparent pixels get the transparent index
    Tiff,  // LZW, RGB or RGBA
    Png,   // RGB, or RGBA when the picture has transparency
};

// Nothing when the picture is empty or the encoder fails.
std::optional<std::vector<std::uint8_t>> EncodePicture(EncodedFormat format,
                                                       const DecodedPicture& picture);

// True when some pixel is not fully opaque.
bool HasTransparency(const DecodedPicture& picture);

}  // namespace codecs
