#pragma once

#include <cstdint>
#include <span>

namespace app {

// A baseline JPEG of 430 x 430 pixels: the main picture until the announcement arrives.
std::span<const std::uint8_t> StartPicture();
// A progressive JPEG of 1080 x 1080 pixels, shown top right once enough has been collected.
std::span<const std::uint8_t> PromotionPicture();

}  // namespace app
