#include "app/BuiltinPictures.h"

#include <cstddef>

extern const unsigned char kStartPicture[];
extern const std::size_t kStartPictureSize;
extern const unsigned char kPromotionPicture[];
extern const std::size_t kPromotionPictureSize;

namespace app {

std::span<const std::uint8_t> StartPicture() {
    return {kStartPicture, kStartPictureSize};
}

std::span<const std::uint8_t> PromotionPicture() {
    return {kPromotionPicture, kPromotionPictureSize};
}

}  // namespace app
