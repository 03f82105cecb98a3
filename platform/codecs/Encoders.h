#pragma once

// Internal to the codecs: one encoder per format, chosen by the table in PictureEncoder.cpp.
// Each gets a non-empty picture.

#include "platform/codecs/PictureEncoder.h"

namespace codecs {

using EncodedBytes = std::optional<std::vector<std::uint8_t>>;

EncodedBytes EncodeBmp(const DecodedPicture& picture);
EncodedBytes EncodeJpeg(const DecodedPicture& picture);
EncodedBytes EncodeGif(const DecodedPicture& picture);
EncodedBytes EncodeTiff(const DecodedPicture& picture);
EncodedBytes EncodePng(const DecodedPicture& picture);

}  // namespace codecs
