#pragma once

// Internal to the codecs: one decoder per format, chosen by the table in PictureDecoder.cpp.

#include "platform/codecs/PictureDecoder.h"

namespace codecs {

bool IsPng(std::span<const std::uint8_t> data);

std::optional<DecodedPicture> DecodeJpeg(std::span<const std::uint8_t> data, DecodeHint hint);
std::optional<DecodedPicture> DecodePng(std::span<const std::uint8_t> data, DecodeHint hint);
std::optional<DecodedPicture> DecodeGif(std::span<const std::uint8_t> data, DecodeHint hint);
std::optional<DecodedPicture> DecodeBmp(std::span<const std::uint8_t> data, DecodeHint hint);
// Icons and cursors alike.
std::optional<DecodedPicture> DecodeIcon(std::span<const std::uint8_t> data, DecodeHint hint);
std::optional<DecodedPicture> DecodePcx(std::span<const std::uint8_t> data, DecodeHint hint);
std::optional<DecodedPicture> DecodeTiff(std::span<const std::uint8_t> data, DecodeHint hint);

}  // namespace codecs
