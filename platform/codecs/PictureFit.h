#pragma once

// Where a picture box draws a picture of a given size: shared by the decoders (which may deliver
// a reduced scale that still covers the drawn size) and by every window layer.

#include <cstdint>

#include "runtime/DisplayMode.h"

namespace codecs {

struct PictureSize {
    int width = 0;
    int height = 0;
};

struct PictureRect {
    int left = 0;
    int top = 0;
    PictureSize size;
};

// How the caller will draw the picture, and in what box.
struct DecodeHint {
    runtime::DisplayMode mode = runtime::DisplayMode::kNaturalAtTopLeft;
    PictureSize box;
};

// Natural size when the picture fits the box, else scaled down, proportions kept, to the
// largest size that fits.
inline PictureSize ShrinkToFit(PictureSize natural, PictureSize box) {
    if (natural.width <= box.width && natural.height <= box.height) {
        return natural;
    }
    const auto w = std::int64_t{natural.width}, h = std::int64_t{natural.height};
    if (w * box.height >= h * box.width) {
        return {box.width, static_cast<int>(h * box.width / w)};
    }
    return {static_cast<int>(w * box.height / h), box.height};
}

inline PictureRect DrawnRect(PictureSize natural, const DecodeHint& hint) {
    switch (hint.mode) {
        case runtime::DisplayMode::kStretchedToBox:
            return {0, 0, hint.box};
        case runtime::DisplayMode::kNaturalShrunkToFit: {
            const PictureSize drawn = ShrinkToFit(natural, hint.box);
            return {(hint.box.width - drawn.width) / 2, (hint.box.height - drawn.height) / 2,
                    drawn};
        }
        case runtime::DisplayMode::kNaturalAtTopLeft:
            break;
    }
    return {0, 0, natural};
}

inline PictureSize DrawnSize(PictureSize natural, const DecodeHint& hint) {
    return DrawnRect(natural, hint).size;
}

}  // namespace codecs
