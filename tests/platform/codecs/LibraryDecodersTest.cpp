// The decoders that lean on libraries (JPEG, PNG, GIF, TIFF), fed with files that the
// libraries' own command-line tools and netpbm write.

#include <gtest/gtest.h>

#include <string>

#include "platform/codecs/PictureDecoder.h"
#include "tests/platform/codecs/PictureBuilders.h"

namespace {

using testing_pictures::Bytes;
using testing_pictures::Gradient;
using testing_pictures::PpmFile;
using testing_pictures::RunTool;

class LibraryDecoders : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* tool : {"cjpeg", "djpeg", "pnmtopng", "pamtogif", "pnmtotiff"}) {
            if (!testing_pictures::HaveTool(tool)) {
                GTEST_SKIP() << tool << " is not installed";
            }
        }
    }
};

// The bytes of a literal, embedded zeros included.
template <std::size_t N>
Bytes Literal(const char (&s)[N]) {
    return Bytes(s, s + N - 1);
}

TEST_F(LibraryDecoders, JpegMatchesDjpegExactly) {
    const Bytes ppm = PpmFile(Gradient(40, 24));
    for (const char* encoder :
         {"cjpeg", "cjpeg -progressive", "cjpeg -grayscale", "cjpeg -quality 20 -sample 1x1"}) {
        const auto jpeg = RunTool(encoder, ppm);
        ASSERT_TRUE(jpeg) << encoder;
        const auto reference = RunTool("djpeg -pnm", *jpeg);
        ASSERT_TRUE(reference) << encoder;
        int width = 0, height = 0;
        auto expected = testing_pictures::PpmPixels(*reference, width, height);
        if (expected.empty()) {  // grey output comes as P5: compare through the grey value
            const auto grey = RunTool("djpeg -pnm | pgmtoppm white", *jpeg);
            ASSERT_TRUE(grey);
            expected = testing_pictures::PpmPixels(*grey, width, height);
        }
        const auto decoded = codecs::DecodePicture(*jpeg);
        ASSERT_TRUE(decoded) << encoder;
        EXPECT_EQ(decoded->argb, expected) << encoder;
    }
}

TEST_F(LibraryDecoders, JpegDecodesAtAReducedScaleForASmallBox) {
    const auto jpeg = RunTool("cjpeg -progressive", PpmFile(Gradient(400, 200)));
    ASSERT_TRUE(jpeg);
    const codecs::DecodeHint fitted{runtime::DisplayMode::kNaturalShrunkToFit, {100, 100}};
    const auto decoded = codecs::DecodePicture(*jpeg, fitted);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->naturalWidth, 400);
    EXPECT_EQ(decoded->naturalHeight, 200);
    EXPECT_EQ(decoded->width, 100);  // a quarter covers the 100 x 50 drawn
    EXPECT_EQ(decoded->height, 50);
}

TEST_F(LibraryDecoders, PngOfEveryColourType) {
    const auto picture = Gradient(6, 5);
    const std::uint32_t K = 0xFF000000, W = 0xFFFFFFFF;
    struct Case {
        const char* command;
        Bytes input;
        std::vector<std::uint32_t> expected;
    };
    Bytes ppm16 = Literal("P6\n2 1\n65535\n");
    ppm16.insert(ppm16.end(),
                 {0xFF, 0xFF, 0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x12, 0x34});
    const Case cases[] = {
        {"pnmtopng", PpmFile(picture), picture.argb},
        {"pnmtopng -force", PpmFile(picture), picture.argb},
        {"pnmtopng", ppm16, {0xFFFF8000, 0xFF000012}},
        {"pnmtopng", Literal("P5\n3 1\n255\n\x00\x80\xff"), {K, 0xFF808080, W}},
        {"pnmtopng -force", Literal("P5\n3 1\n255\n\x00\x80\xff"), {K, 0xFF808080, W}},
        {"pnmtopng", Literal("P4\n3 1\n\xa0"), {K, W, K}},
        {"pnmtopng -transparent=rgb:00/00/00",
         Literal("P4\n3 1\n\xa0"),
         {0x00000000, W, 0x00000000}},
        {"pnmtopng -interlace", PpmFile(picture), picture.argb},
    };
    for (const auto& c : cases) {
        const auto png = RunTool(c.command, c.input);
        ASSERT_TRUE(png) << c.command;
        const auto decoded = codecs::DecodePicture(*png);
        ASSERT_TRUE(decoded) << c.command;
        EXPECT_EQ(decoded->argb, c.expected) << c.command;
    }
}

TEST_F(LibraryDecoders, GifFirstFrameWithTransparencyAndInterlace) {
    const auto picture = Gradient(9, 20);
    auto withClear = picture.argb;
    for (auto& p : withClear) {
        if (p == picture.argb[0]) {
            p &= 0x00FFFFFF;
        }
    }
    char colour[32];
    std::snprintf(colour, sizeof colour, "rgb:%02x/%02x/%02x", (picture.argb[0] >> 16) & 0xFF,
                  (picture.argb[0] >> 8) & 0xFF, picture.argb[0] & 0xFF);
    struct Case {
        std::string command;
        std::vector<std::uint32_t> expected;
    };
    const Case cases[] = {
        {"pamtogif", picture.argb},
        {"pamtogif -interlace", picture.argb},
        {std::string("pamtogif -transparent=") + colour, withClear},
    };
    for (const auto& c : cases) {
        const auto gif = RunTool(c.command, PpmFile(picture));
        ASSERT_TRUE(gif) << c.command;
        const auto decoded = codecs::DecodePicture(*gif);
        ASSERT_TRUE(decoded) << c.command;
        EXPECT_EQ(decoded->argb, c.expected) << c.command;
    }
}

// Frames after the first are never read: here the trailer gives way to bytes that are no frame.
TEST_F(LibraryDecoders, GifStopsAfterTheFirstFrame) {
    const auto gif = RunTool("pamtogif", PpmFile(Gradient(4, 4)));
    ASSERT_TRUE(gif);
    Bytes followed(gif->begin(), gif->end() - 1);
    followed.insert(followed.end(), {0x2C, 0xFF, 0xFF, 0x00, 0x13});
    const auto decoded = codecs::DecodePicture(followed);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->argb, Gradient(4, 4).argb);
}

TEST_F(LibraryDecoders, TiffOnlyForConversion) {
    const auto picture = Gradient(11, 7);
    for (const char* command :
         {"pnmtotiff", "pnmtotiff -lzw", "pnmtotiff -packbits", "pnmtotiff -flate -msb2lsb"}) {
        const auto tiff = RunTool(command, PpmFile(picture));
        ASSERT_TRUE(tiff) << command;
        EXPECT_FALSE(codecs::DecodePicture(*tiff)) << command;
        const auto decoded = codecs::DecodeForConversion(*tiff);
        ASSERT_TRUE(decoded) << command;
        EXPECT_EQ(decoded->argb, picture.argb) << command;
    }
}

}  // namespace
