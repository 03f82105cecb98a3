#pragma once

// Builders of small picture files for the decoder and picture-box tests: BMP and icon files
// written field by field so that each test shows the bytes it feeds in, PNG and JPEG files
// written by the libraries themselves.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/codecs/PictureDecoder.h"

namespace testing_pictures {

using Bytes = std::vector<std::uint8_t>;

class LittleEndian {
  public:
    LittleEndian& U8(std::uint32_t v);
    LittleEndian& U16(std::uint32_t v);
    LittleEndian& U32(std::uint32_t v);
    LittleEndian& Append(const Bytes& more);
    Bytes bytes;
};

struct DibLayout {
    int width = 0;
    int height = 0;  // negative: top-down
    int bits = 24;
    std::uint32_t compression = 0;
    std::vector<std::uint32_t> palette;  // 0x00RRGGBB
    std::vector<std::uint32_t> masks;    // after a 40-byte header, or none
    Bytes pixels;                        // as stored, rows padded by the caller
};

// The 40-byte info header, masks, palette and pixels.
Bytes Dib(const DibLayout& layout);
// A BMP file around the DIB.
Bytes BmpFile(const DibLayout& layout);

struct IconEntry {
    int width = 0;
    int height = 0;
    int bits = 32;
    Bytes image;  // a DIB with doubled height and AND mask, or a PNG file
};
// The entry of a BMP file's bitmap, its height doubled and an all-clear AND mask added.
IconEntry IconEntryFromBmp(const Bytes& bmp);
// type 1: icon, 2: cursor.
Bytes IconFile(const std::vector<IconEntry>& entries, int type = 1);

// Colour of each pixel as 0xAARRGGBB.
using Painter = std::function<std::uint32_t(int x, int y)>;

inline Painter Solid(std::uint32_t argb) {
    return [argb](int, int) { return argb; };
}

Bytes Png(int width, int height, const Painter& paint);
Bytes Jpeg(int width, int height, const Painter& paint, bool progressive = false);

// A smooth picture with a distinct colour at every pixel, opaque unless alpha is given.
codecs::DecodedPicture Gradient(int width, int height, std::uint8_t alpha = 0xFF);

// The pixels of a binary PPM (P6) file; empty when it is not one.
std::vector<std::uint32_t> PpmPixels(const Bytes& ppm, int& width, int& height);
Bytes PpmFile(const codecs::DecodedPicture& picture);

// The refusal's name, or "picture" when there was none: for comparing in tables of cases.
std::string WhyRefused(const codecs::DecodeResult& result);

// Runs a shell command with input on stdin and returns its stdout; nothing when it fails.
std::optional<Bytes> RunTool(const std::string& command, const Bytes& input);
bool HaveTool(const std::string& name);

}  // namespace testing_pictures
