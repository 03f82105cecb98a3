#include <gtest/gtest.h>

#include "platform/codecs/PictureDecoder.h"
#include "tests/platform/codecs/PictureBuilders.h"

namespace {

using codecs::Refusal;
using testing_pictures::Bytes;
using testing_pictures::DibLayout;
using testing_pictures::WhyRefused;

constexpr std::uint32_t R = 0xFFFF0000, G = 0xFF00FF00, B = 0xFF0000FF, W = 0xFFFFFFFF,
                        K = 0xFF000000, CLEAR = 0;
const std::vector<std::uint32_t> kRgbPalette = {0xFF0000, 0x00FF00, 0x0000FF};
// Two rows of 24-bit pixels, each padded to 12 bytes: red, green, blue; white, black, black.
const Bytes kRows24 = {0,    0,    0xFF, 0, 0xFF, 0, 0xFF, 0, 0, 0, 0, 0,
                       0xFF, 0xFF, 0xFF, 0, 0,    0, 0,    0, 0, 0, 0, 0};

struct BmpCase {
    const char* name;
    DibLayout layout;
    std::vector<std::uint32_t> expected;  // 3 x 2, top row first
};

// Every picture is 3 x 2; rows are stored bottom-up unless the height is negative.
const BmpCase kCases[] = {
    {"1 bit",
     {3, 2, 1, 0, {0x000000, 0xFFFFFF}, {}, {0x40, 0, 0, 0, 0xA0, 0, 0, 0}},
     {W, K, W, K, W, K}},
    {"4 bits",
     {3, 2, 4, 0, kRgbPalette, {}, {0x21, 0x00, 0, 0, 0x01, 0x20, 0, 0}},
     {R, G, B, B, G, R}},
    {"8 bits", {3, 2, 8, 0, kRgbPalette, {}, {2, 1, 0, 0, 0, 1, 2, 0}}, {R, G, B, B, G, R}},
    {"8 bits, index past the palette shows black",
     {3, 2, 8, 0, kRgbPalette, {}, {9, 1, 0, 0, 0, 1, 2, 0}},
     {R, G, B, K, G, R}},
    {"16 bits, 5-5-5 by default",
     {3,
      2,
      16,
      0,
      {},
      {},
      {0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0, 0, 0xFF, 0x7F, 0, 0, 0xFF, 0x7F, 0, 0}},
     {W, K, W, R, G, B}},
    {"16 bits, 5-6-5 masks",
     {3,
      2,
      16,
      3,
      {},
      {0xF800, 0x07E0, 0x001F},
      {0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0, 0, 0x1F, 0x00, 0xE0, 0x07, 0x00, 0xF8, 0, 0}},
     {B, G, R, R, G, B}},
    {"24 bits", {3, 2, 24, 0, {}, {}, kRows24}, {W, K, K, R, G, B}},
    {"24 bits, top-down", {3, -2, 24, 0, {}, {}, kRows24}, {R, G, B, W, K, K}},
    {"32 bits without masks: the fourth byte is unused",
     {3, 2, 32, 0, {}, {}, {0,    0,    0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0,
                            0xFF, 0xFF, 0xFF, 7, 0, 0,    0, 7, 0,    0, 0, 7}},
     {W, K, K, R, G, B}},
    {"32 bits with an alpha mask",
     {3, 2, 32, 6, {}, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, {0,    0, 0xFF, 0xFF, 0, 0xFF, 0, 0x80,
                                                              0xFF, 0, 0,    0,    0, 0,    0, 0,
                                                              0,    0, 0,    0,    0, 0,    0, 0}},
     {CLEAR, CLEAR, CLEAR, R, 0x8000FF00, 0x000000FF}},
    {"RLE8: a run, end of line, an absolute run, end of bitmap",
     {3, 2, 8, 1, kRgbPalette, {}, {3, 2, 0, 0, 0, 3, 0, 1, 2, 0, 0, 1}},
     {R, G, B, B, B, B}},
    {"RLE8: pixels skipped by a delta stay transparent",
     {3, 2, 8, 1, kRgbPalette, {}, {0, 2, 1, 0, 2, 0, 0, 1}},
     {CLEAR, CLEAR, CLEAR, CLEAR, R, R}},
    {"RLE4: a run of alternating nibbles, an absolute run",
     {3, 2, 4, 2, kRgbPalette, {}, {3, 0x21, 0, 0, 0, 3, 0x01, 0x20, 0, 1}},
     {R, G, B, B, G, B}},
};

TEST(DecodeBmpTest, DecodesEveryLayout) {
    for (const auto& c : kCases) {
        const auto picture = codecs::DecodePicture(testing_pictures::BmpFile(c.layout));
        ASSERT_TRUE(picture) << c.name;
        EXPECT_EQ(picture->width, 3) << c.name;
        EXPECT_EQ(picture->height, 2) << c.name;
        EXPECT_EQ(picture->argb, c.expected) << c.name;
    }
}

TEST(DecodeBmpTest, RefusesBrokenFiles) {
    const DibLayout good{3, 2, 24, 0, {}, {}, Bytes(24, 0x55)};
    struct Broken {
        const char* name;
        Bytes bytes;
        Refusal why;
    };
    auto patched = [&](std::size_t at, std::vector<std::uint8_t> with) {
        Bytes b = testing_pictures::BmpFile(good);
        std::copy(with.begin(), with.end(), b.begin() + static_cast<std::ptrdiff_t>(at));
        return b;
    };
    Bytes truncated = testing_pictures::BmpFile(good);
    truncated.resize(truncated.size() - 1);
    const Broken cases[] = {
        {"pixels cut short", truncated, Refusal::Truncated},
        {"pixel offset past the end", patched(10, {0xFF, 0xFF, 0xFF, 0x7F}), Refusal::Truncated},
        {"pixel offset inside the file header", patched(10, {4, 0, 0, 0}), Refusal::BadHeader},
        {"zero width", patched(18, {0, 0, 0, 0}), Refusal::BadHeader},
        {"negative width", patched(18, {0xFF, 0xFF, 0xFF, 0xFF}), Refusal::BadHeader},
        {"zero height", patched(22, {0, 0, 0, 0}), Refusal::BadHeader},
        {"most negative height", patched(22, {0, 0, 0, 0x80}), Refusal::TooLarge},
        {"2 bits per pixel", patched(28, {2, 0}), Refusal::BadHeader},
        {"JPEG inside", patched(30, {4, 0, 0, 0}), Refusal::BadHeader},
        {"header size past the end", patched(14, {0xFF, 0xFF, 0, 0}), Refusal::Truncated},
        // 8193 x 8193 x 4 bytes is just over the pixel budget of 256 MiB.
        {"just over the pixel budget", patched(18, {0x01, 0x20, 0, 0, 0x01, 0x20, 0, 0}),
         Refusal::TooLarge},
        {"a picture of 2^31 x 2^31 pixels",
         patched(18, {0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0xFF, 0xFF, 0x7F}), Refusal::TooLarge},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WhyRefused(codecs::DecodePicture(c.bytes)), codecs::RefusalName(c.why)) << c.name;
    }
}

TEST(DecodeBmpTest, ReadsWhatNetpbmWrites) {
    if (!testing_pictures::HaveTool("ppmtobmp")) {
        GTEST_SKIP() << "netpbm is not installed";
    }
    const auto picture = testing_pictures::Gradient(7, 5);
    for (const char* variant : {"ppmtobmp", "ppmtobmp -windows", "ppmtobmp -os2"}) {
        const auto bmp = testing_pictures::RunTool(variant, testing_pictures::PpmFile(picture));
        ASSERT_TRUE(bmp) << variant;
        const auto decoded = codecs::DecodePicture(*bmp);
        ASSERT_TRUE(decoded) << variant;
        EXPECT_EQ(decoded->argb, picture.argb) << variant;
    }
}

}  // namespace
