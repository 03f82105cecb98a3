// GIF through giflib. Like the platform's encoder, colours are reduced to a fixed halftone
// palette, not one chosen for the picture: a 6 x 6 x 6 colour cube, a ramp of greys and, last,
// the transparent entry.

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include "platform/codecs/Argb.h"
#include "platform/codecs/Encoders.h"
#include "runtime/Owned.h"

namespace codecs {
namespace {

constexpr int kPaletteSize = 256;
constexpr int kCubeLevels = 6;
constexpr int kCubeSize = kCubeLevels * kCubeLevels * kCubeLevels;  // 216
constexpr int kGreyCount = kPaletteSize - kCubeSize - 1;            // 39
constexpr int kTransparentIndex = kPaletteSize - 1;

std::array<GifColorType, kPaletteSize> HalftonePalette() {
    std::array<GifColorType, kPaletteSize> colors{};
    for (int i = 0; i < kCubeSize; ++i) {
        colors[i] = {static_cast<GifByteType>(i / 36 * 51),
                     static_cast<GifByteType>(i / 6 % 6 * 51),
                     static_cast<GifByteType>(i % 6 * 51)};
    }
    for (int g = 0; g < kGreyCount; ++g) {
        const auto level = static_cast<GifByteType>((g + 1) * 255 / (kGreyCount + 1));
        colors[kCubeSize + g] = {level, level, level};
    }
    return colors;
}

int CubeLevel(std::uint32_t channel) {
    return static_cast<int>((channel + 25) / 51);
}

// The nearer of the cube colour and the grey ramp entry; greys matter for scanned text.
int PaletteIndex(std::uint32_t argb) {
    if (AlphaOf(argb) < 128) {
        return kTransparentIndex;
    }
    const std::uint32_t r = RedOf(argb), g = GreenOf(argb), b = BlueOf(argb);
    const int cube = CubeLevel(r) * 36 + CubeLevel(g) * 6 + CubeLevel(b);
    auto distance = [&](int cr, int cg, int cb) {
        const int dr = int(r) - cr, dg = int(g) - cg, db = int(b) - cb;
        return dr * dr + dg * dg + db * db;
    };
    const int cubeDistance = distance(CubeLevel(r) * 51, CubeLevel(g) * 51, CubeLevel(b) * 51);
    const int grey = static_cast<int>((r * 299 + g * 587 + b * 114) / 1000);
    const int step = std::clamp((grey * (kGreyCount + 1) + 127) / 255 - 1, 0, kGreyCount - 1);
    const int level = (step + 1) * 255 / (kGreyCount + 1);
    return distance(level, level, level) < cubeDistance ? kCubeSize + step : cube;
}

struct MemoryOutput {
    std::vector<std::uint8_t> bytes;
};

int WriteToMemory(GifFileType* gif, const GifByteType* data, int size) {
    auto* out = static_cast<MemoryOutput*>(gif->UserData);
    out->bytes.insert(out->bytes.end(), data, data + size);
    return size;
}

// Closing writes the trailer: its outcome counts on the path that succeeds.
bool CloseWriter(GifFileType* gif) {
    int error = 0;
    return EGifCloseFile(gif, &error) == GIF_OK;
}
using GifWriter = runtime::Owned<GifFileType*, CloseWriter>;

bool PutTransparency(GifFileType* gif) {
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSAL_UNSPECIFIED;
    control.DelayTime = 0;
    control.TransparentColor = kTransparentIndex;
    GifByteType extension[4];
    const auto length = EGifGCBToExtension(&control, extension);
    return EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) ==
           GIF_OK;
}

bool PutPixels(GifFileType* gif, const DecodedPicture& picture) {
    std::vector<GifPixelType> line(static_cast<std::size_t>(picture.width));
    for (int y = 0; y < picture.height; ++y) {
        const std::uint32_t* row = picture.argb.data() + std::size_t(y) * picture.width;
        for (int x = 0; x < picture.width; ++x) {
            line[x] = static_cast<GifPixelType>(PaletteIndex(row[x]));
        }
        if (EGifPutLine(gif, line.data(), picture.width) != GIF_OK) {
            return false;
        }
    }
    return true;
}

}  // namespace

EncodedBytes EncodeGif(const DecodedPicture& picture) {
    if (picture.width > 0xFFFF || picture.height > 0xFFFF) {
        return std::nullopt;
    }
    const auto colors = HalftonePalette();
    const runtime::Owned<ColorMapObject*, GifFreeMapObject> map(
        GifMakeMapObject(kPaletteSize, colors.data()));
    MemoryOutput out;
    int error = 0;
    GifWriter writer(EGifOpen(&out, WriteToMemory, &error));
    GifFileType* gif = writer.handle;
    if (!map || gif == nullptr) {
        return std::nullopt;
    }
    const bool transparent = HasTransparency(picture);
    EGifSetGifVersion(gif, transparent);
    if (EGifPutScreenDesc(gif, picture.width, picture.height, 8, 0, map.handle) != GIF_OK ||
        (transparent && !PutTransparency(gif)) ||
        EGifPutImageDesc(gif, 0, 0, picture.width, picture.height, false, nullptr) != GIF_OK ||
        !PutPixels(gif, picture) || !CloseWriter(writer.Take())) {
        return std::nullopt;
    }
    return std::move(out.bytes);
}

}  // namespace codecs
