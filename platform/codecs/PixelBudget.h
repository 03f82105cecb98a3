#pragma once

// Internal to the decoders: the largest picture worth holding in memory. Checked from the
// header, before anything large is allocated, so a decompression bomb costs nothing.

#include <cstdint>

namespace codecs {

inline constexpr std::uint64_t kMaxPixelBytes = 256ull * 1024 * 1024;

inline bool FitsPixelBudget(std::uint64_t width, std::uint64_t height) {
    return width > 0 && height > 0 && width <= kMaxPixelBytes && height <= kMaxPixelBytes &&
           width * height * 4 <= kMaxPixelBytes;
}

}  // namespace codecs
