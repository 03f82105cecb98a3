#pragma once

// Internal to the decoders: the device-independent bitmap that BMP files and icon entries share.

#include <cstdint>
#include <optional>
#include <span>

#include "platform/codecs/PictureDecoder.h"

namespace codecs {

enum class DibUse {
    File,  // a BMP file: 32-bit pixels without an alpha mask are opaque
    Icon,  // an icon or cursor entry: doubled height, an AND mask after the pixels
};

// dib starts at the info header. pixelOffset counts from there; none means the pixels follow
// the colour table at once, as in icon entries.
DecodeResult DecodeDib(std::span<const std::uint8_t> dib, std::optional<std::uint64_t> pixelOffset,
                       DibUse use);

}  // namespace codecs
