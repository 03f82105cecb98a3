#pragma once

#include <cstdint>

namespace codecs {

struct PictureSize {
    int width = 0;
    int height = 0;
};

// How the caller will draw the picture; lets a decoder deliver a reduced scale that still
// covers the drawn size.
struct DecodeHint {
    enum class Drawn { Natural, Stretched, Fitted };
    Drawn drawn = Drawn::Natural;
    PictureSize box;  // for Stretched and Fitted
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

inline PictureSize DrawnSize(PictureSize natural, const DecodeHint& hint) {
    switch (hint.drawn) {
        case DecodeHint::Drawn::Stretched:
            return hint.box;
        case DecodeHint::Drawn::Fitted:
            return ShrinkToFit(natural, hint.box);
        case DecodeHint::Drawn::Natural:
            break;
    }
    return natural;
}

}  // namespace codecs
