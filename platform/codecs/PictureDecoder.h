#pragma once

// Picture decoding shared by the picture boxes and the image stand-in. The format is told by
// the leading bytes.

#include <cstdint>
#include <span>
#include <vector>

#include "platform/codecs/PictureFit.h"
#include "platform/codecs/Refusal.h"

namespace codecs {

struct DecodedPicture {
    int width = 0;  // of the pixels delivered; smaller than natural for a scaled decode
    int height = 0;
    int naturalWidth = 0;
    int naturalHeight = 0;
    std::vector<std::uint32_t> argb;  // 0xAARRGGBB, not premultiplied, rows top to bottom
};

using DecodeResult = OrRefusal<DecodedPicture>;

// For the picture boxes, which show every format but TIFF. A refusal for fewer than 8 bytes,
// unknown formats, broken data and pictures too large to hold.
DecodeResult DecodePicture(std::span<const std::uint8_t> data, DecodeHint hint = {});

// For picture conversion: every format of the table, TIFF too, at natural size.
DecodeResult DecodeForConversion(std::span<const std::uint8_t> data);

}  // namespace codecs
