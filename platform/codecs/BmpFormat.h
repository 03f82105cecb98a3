#pragma once

// Internal to the codecs: the numbers of the BMP format that its decoder and encoder share.

#include <cstdint>

namespace codecs {

inline constexpr std::uint32_t kBmpFileHeaderSize = 14;
inline constexpr std::uint32_t kBitmapCoreHeaderSize = 12, kBitmapInfoHeaderSize = 40,
                               kBitmapV4HeaderSize = 108;
// The header's compression field.
inline constexpr std::uint32_t BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3,
                               BI_ALPHABITFIELDS = 6;

// Rows are padded to a multiple of four bytes.
constexpr std::uint64_t BmpRowStride(std::uint64_t width, std::uint64_t bitsPerPixel) {
    return (width * bitsPerPixel + 31) / 32 * 4;
}

}  // namespace codecs
