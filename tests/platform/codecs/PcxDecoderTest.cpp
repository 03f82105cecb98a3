#include <gtest/gtest.h>

#include "platform/codecs/PictureDecoder.h"
#include "tests/platform/codecs/PictureBuilders.h"

namespace {

using codecs::Refusal;
using testing_pictures::Bytes;
using testing_pictures::WhyRefused;

codecs::DecodedPicture Picture(int width, int height, std::vector<std::uint32_t> argb) {
    codecs::DecodedPicture p;
    p.width = p.naturalWidth = width;
    p.height = p.naturalHeight = height;
    p.argb = std::move(argb);
    return p;
}

// ppmtopcx picks the layout from the number of colours and its options.
TEST(DecodePcxTest, ReadsEveryLayoutThatNetpbmWrites) {
    if (!testing_pictures::HaveTool("ppmtopcx")) {
        GTEST_SKIP() << "netpbm is not installed";
    }
    const auto mono =
        Picture(3, 2, {0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFF000000, 0xFFFFFFFF});
    const auto six =
        Picture(3, 2, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF, 0xFF000000, 0xFF102030});
    const auto many = testing_pictures::Gradient(17, 9);
    struct Case {
        const char* command;
        const codecs::DecodedPicture& picture;
        std::uint8_t bits, planes;
    };
    const Case cases[] = {
        {"ppmtopcx", mono, 1, 1},          {"ppmtopcx", six, 1, 3},
        {"ppmtopcx -planes=4", six, 1, 4}, {"ppmtopcx -packed", six, 4, 1},
        {"ppmtopcx -8bit", many, 8, 1},    {"ppmtopcx -24bit", many, 8, 3},
    };
    for (const auto& c : cases) {
        const auto pcx = testing_pictures::RunTool(c.command, testing_pictures::PpmFile(c.picture));
        ASSERT_TRUE(pcx) << c.command;
        ASSERT_GT(pcx->size(), 66u);
        EXPECT_EQ((*pcx)[3], c.bits) << c.command;
        EXPECT_EQ((*pcx)[65], c.planes) << c.command;
        const auto decoded = codecs::DecodePicture(*pcx);
        ASSERT_TRUE(decoded) << c.command;
        EXPECT_EQ(decoded->width, c.picture.width) << c.command;
        EXPECT_EQ(decoded->argb, c.picture.argb) << c.command;
    }
}

// A 128-byte header of a 24-bit picture, then the packed lines.
Bytes PcxFile(std::uint16_t xmax, std::uint16_t ymax, std::uint16_t bytesPerLine, Bytes packed) {
    testing_pictures::LittleEndian w;
    w.U8(10).U8(5).U8(1).U8(8).U16(0).U16(0).U16(xmax).U16(ymax).U16(72).U16(72);
    w.bytes.resize(65, 0);
    w.U8(3).U16(bytesPerLine).U16(1);
    w.bytes.resize(128, 0);
    return w.Append(packed).bytes;
}

TEST(DecodePcxTest, RunsMayCrossLineEnds) {
    // 2 x 2, three planes of 2 bytes per line: one run of 12 bytes fills them all.
    const auto picture = codecs::DecodePicture(PcxFile(1, 1, 2, {0xCC, 0x80}));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->argb, std::vector<std::uint32_t>(4, 0xFF808080));
}

TEST(DecodePcxTest, RefusesBrokenFiles) {
    struct Broken {
        const char* name;
        Bytes bytes;
        Refusal why;
    };
    const Broken cases[] = {
        {"lines cut short", PcxFile(1, 1, 2, {0xC5, 0x80}), Refusal::Truncated},
        {"run without its value", PcxFile(1, 1, 2, {0xCC}), Refusal::Truncated},
        {"lines narrower than the picture", PcxFile(9, 1, 2, {0xFF, 0, 0xFF, 0}),
         Refusal::BadHeader},
        {"a huge picture from a few bytes", PcxFile(0xFFFF, 0xFFFF, 0xFFFF, {0xFF, 0}),
         Refusal::TooLarge},
        {"8 bits without the palette at the end",
         [] {
             Bytes b = PcxFile(1, 1, 2, {0xC4, 1});
             b[65] = 1;
             return b;
         }(),
         Refusal::Truncated},
        {"header only",
         [] {
             Bytes b = PcxFile(1, 1, 2, {});
             b.resize(100);
             return b;
         }(),
         Refusal::Truncated},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WhyRefused(codecs::DecodePicture(c.bytes)), codecs::RefusalName(c.why)) << c.name;
    }
}

}  // namespace
