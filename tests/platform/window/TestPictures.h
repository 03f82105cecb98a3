#pragma once

// Small synthetic pictures for the picture-box tests, encoded with the libraries themselves.

#include <cstdint>
#include <functional>

#include "runtime/Text.h"

namespace testpictures {

// Colour of each pixel as 0xAARRGGBB.
using Painter = std::function<std::uint32_t(int x, int y)>;

runtime::Bytes Png(int width, int height, const Painter& paint);
runtime::Bytes Jpeg(int width, int height, const Painter& paint, bool progressive = false);

inline Painter Solid(std::uint32_t argb) {
    return [argb](int, int) { return argb; };
}

}  // namespace testpictures
