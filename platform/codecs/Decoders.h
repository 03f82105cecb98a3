#pragma once

// Internal to the codecs: one decoder per format, chosen by the table in PictureDecoder.cpp.

#include "platform/codecs/PictureDecoder.h"

namespace codecs {

std::optional<DecodedPicture> DecodeJpeg(std::span<const std::uint8_t> data, DecodeHint hint);
std::optional<DecodedPicture> DecodePng(std::span<const std::uint8_t> data, DecodeHint hint);

}  // namespace codecs
