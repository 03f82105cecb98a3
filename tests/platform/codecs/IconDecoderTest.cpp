#include <gtest/gtest.h>

#include "platform/codecs/PictureDecoder.h"
#include "platform/codecs/PictureEncoder.h"
#include "tests/platform/codecs/PictureBuilders.h"

namespace {

using codecs::Refusal;
using testing_pictures::Bytes;
using testing_pictures::DibLayout;
using testing_pictures::IconEntry;
using testing_pictures::WhyRefused;

constexpr std::uint32_t R = 0xFFFF0000, B = 0xFF0000FF;

// A 2 x 2 icon entry of 8 bits: red top row, blue bottom row, with an AND mask whose set bits
// (top left, bottom right) make pixels transparent.
IconEntry MaskedEntry() {
    DibLayout layout{2, 4, 8, 0, {0xFF0000, 0x0000FF}, {}, {}};
    layout.pixels = {1,    1, 0, 0, 0,    0, 0, 0,   // bottom row, top row
                     0x40, 0, 0, 0, 0x80, 0, 0, 0};  // mask: bottom row, top row
    const Bytes dib = testing_pictures::Dib(layout);
    return {2, 2, 8, {dib.begin() + 0, dib.end()}};
}

// 32-bit entry whose alpha channel counts, so its (all-clear) mask is ignored.
IconEntry AlphaEntry(int size) {
    DibLayout layout{size, 2 * size, 32, 0, {}, {}, {}};
    for (int i = 0; i < size * size; ++i) {
        layout.pixels.insert(layout.pixels.end(), {0x00, 0x00, 0xFF, 0x80});
    }
    layout.pixels.resize(layout.pixels.size() + std::size_t(size) * ((size + 31) / 32 * 4), 0);
    return {size, size, 32, testing_pictures::Dib(layout)};
}

TEST(DecodeIconTest, AppliesTheAndMask) {
    const auto picture = codecs::DecodePicture(testing_pictures::IconFile({MaskedEntry()}));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 2);
    EXPECT_EQ(picture->height, 2);
    EXPECT_EQ(picture->argb, (std::vector<std::uint32_t>{R & 0xFFFFFF, R, B, B & 0xFFFFFF}));
}

TEST(DecodeIconTest, KeepsTheAlphaOfThirtyTwoBitEntries) {
    const auto picture = codecs::DecodePicture(testing_pictures::IconFile({AlphaEntry(3)}));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->argb, std::vector<std::uint32_t>(9, 0x80FF0000));
}

TEST(DecodeIconTest, ChoosesTheLargestEntryWhereverItIs) {
    const auto png =
        codecs::EncodePicture(codecs::EncodedFormat::Png, testing_pictures::Gradient(5, 4));
    ASSERT_TRUE(png);
    for (int type : {1, 2}) {
        const Bytes file =
            testing_pictures::IconFile({MaskedEntry(), {5, 4, 32, *png}, AlphaEntry(3)}, type);
        const auto picture = codecs::DecodePicture(file);
        ASSERT_TRUE(picture) << "type " << type;
        EXPECT_EQ(picture->argb, testing_pictures::Gradient(5, 4).argb) << "type " << type;
    }
}

TEST(DecodeIconTest, AnEntryOfZeroMeansTwoHundredFiftySix) {
    const Bytes file = testing_pictures::IconFile({MaskedEntry(), AlphaEntry(256)});
    const auto picture = codecs::DecodePicture(file);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 256);
}

TEST(DecodeIconTest, RefusesBrokenDirectories) {
    const Bytes good = testing_pictures::IconFile({MaskedEntry()});
    auto patched = [&](std::size_t at, std::vector<std::uint8_t> with) {
        Bytes b = good;
        std::copy(with.begin(), with.end(), b.begin() + static_cast<std::ptrdiff_t>(at));
        return b;
    };
    struct Broken {
        const char* name;
        Bytes bytes;
        Refusal why;
    };
    const Broken cases[] = {
        {"no entries", patched(4, {0, 0}), Refusal::BadHeader},
        {"more entries than the file holds", patched(4, {0xFF, 0xFF}), Refusal::Truncated},
        {"image past the end", patched(18, {0xF0, 0xFF, 0xFF, 0xFF}), Refusal::Truncated},
        {"size and offset that overflow", patched(14, {0xFF, 0xFF, 0xFF, 0xFF, 0x10, 0, 0, 0}),
         Refusal::Truncated},
        {"image cut short", Bytes(good.begin(), good.end() - 20), Refusal::Truncated},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WhyRefused(codecs::DecodePicture(c.bytes)), codecs::RefusalName(c.why)) << c.name;
    }
}

}  // namespace
