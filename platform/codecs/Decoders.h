#pragma once

// Internal to the codecs: one decoder per format, chosen by the table in PictureDecoder.cpp.

#include "platform/codecs/PictureDecoder.h"

namespace codecs {

bool IsPng(std::span<const std::uint8_t> data);

DecodeResult DecodeJpeg(std::span<const std::uint8_t> data, DecodeHint hint);
DecodeResult DecodePng(std::span<const std::uint8_t> data, DecodeHint hint);
DecodeResult DecodeGif(std::span<const std::uint8_t> data, DecodeHint hint);
DecodeResult DecodeBmp(std::span<const std::uint8_t> data, DecodeHint hint);
// Icons and cursors alike.
DecodeResult DecodeIcon(std::span<const std::uint8_t> data, DecodeHint hint);
DecodeResult DecodePcx(std::span<const std::uint8_t> data, DecodeHint hint);
DecodeResult DecodeTiff(std::span<const std::uint8_t> data, DecodeHint hint);

}  // namespace codecs
