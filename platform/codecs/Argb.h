#pragma once

// Internal to the codecs: the pixel word every decoder delivers and every encoder reads,
// 0xAARRGGBB, not premultiplied.

#include <cstdint>

namespace codecs {

inline constexpr std::uint32_t kOpaque = 0xFF000000u;

constexpr std::uint32_t PackArgb(std::uint32_t alpha, std::uint32_t red, std::uint32_t green,
                                 std::uint32_t blue) {
    return (alpha << 24) | (red << 16) | (green << 8) | blue;
}
constexpr std::uint32_t PackOpaque(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    return PackArgb(0xFF, red, green, blue);
}

constexpr std::uint8_t AlphaOf(std::uint32_t argb) {
    return static_cast<std::uint8_t>(argb >> 24);
}
constexpr std::uint8_t RedOf(std::uint32_t argb) {
    return static_cast<std::uint8_t>(argb >> 16);
}
constexpr std::uint8_t GreenOf(std::uint32_t argb) {
    return static_cast<std::uint8_t>(argb >> 8);
}
constexpr std::uint8_t BlueOf(std::uint32_t argb) {
    return static_cast<std::uint8_t>(argb);
}

}  // namespace codecs
