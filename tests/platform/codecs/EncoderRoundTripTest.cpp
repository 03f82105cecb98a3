// Every encoder's output, read back by our decoders and by the libraries' own tools.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/codecs/PictureDecoder.h"
#include "platform/codecs/PictureEncoder.h"
#include "tests/platform/codecs/PictureBuilders.h"

namespace {

using codecs::DecodedPicture;
using codecs::EncodedFormat;
using testing_pictures::Bytes;
using testing_pictures::Gradient;
using testing_pictures::RunTool;

// Opaque, clear and half-transparent pixels in turn.
DecodedPicture WithAlpha() {
    DecodedPicture p = Gradient(13, 9);
    constexpr std::uint32_t kAlpha[] = {0xFF, 0x00, 0x80};
    for (std::size_t i = 0; i < p.argb.size(); ++i) {
        p.argb[i] = (p.argb[i] & 0x00FFFFFF) | (kAlpha[i % 3] << 24);
    }
    return p;
}

int Channel(std::uint32_t p, int shift) {
    return static_cast<int>((p >> shift) & 0xFF);
}

// Largest difference of any channel, alpha included.
int LargestDifference(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b) {
    int largest = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        for (int shift : {0, 8, 16, 24}) {
            largest = std::max(largest, std::abs(Channel(a[i], shift) - Channel(b[i], shift)));
        }
    }
    return largest;
}

std::vector<std::uint32_t> Opaque(std::vector<std::uint32_t> pixels) {
    for (auto& p : pixels) {
        p |= 0xFF000000;
    }
    return pixels;
}

struct RoundTrip {
    EncodedFormat format;
    const char* name;
    int opaqueTolerance;  // per channel
    int alphaTolerance;   // -1: alpha is not kept
};

const RoundTrip kRoundTrips[] = {
    {EncodedFormat::Bmp, "BMP", 0, 0},     {EncodedFormat::Png, "PNG", 0, 0},
    {EncodedFormat::Tiff, "TIFF", 0, 2},  // alpha passes through premultiplication
    {EncodedFormat::Gif, "GIF", 26, -1},  // the nearest halftone colour
    {EncodedFormat::Jpeg, "JPEG", 40, -1},
};

TEST(EncoderRoundTripTest, OurDecodersReadBackEveryEncoder) {
    const DecodedPicture opaque = Gradient(13, 9);
    const DecodedPicture alpha = WithAlpha();
    for (const auto& t : kRoundTrips) {
        const auto encoded = codecs::EncodePicture(t.format, opaque);
        ASSERT_TRUE(encoded) << t.name;
        const auto decoded = codecs::DecodeForConversion(*encoded);
        ASSERT_TRUE(decoded) << t.name;
        ASSERT_EQ(decoded->width, 13) << t.name;
        ASSERT_EQ(decoded->height, 9) << t.name;
        EXPECT_LE(LargestDifference(decoded->argb, opaque.argb), t.opaqueTolerance) << t.name;

        const auto encodedAlpha = codecs::EncodePicture(t.format, alpha);
        ASSERT_TRUE(encodedAlpha) << t.name;
        const auto decodedAlpha = codecs::DecodeForConversion(*encodedAlpha);
        ASSERT_TRUE(decodedAlpha) << t.name;
        if (t.alphaTolerance >= 0) {
            // Clear pixels keep no colour worth comparing.
            auto expected = alpha.argb, actual = decodedAlpha->argb;
            for (std::size_t i = 0; i < expected.size(); ++i) {
                if ((expected[i] >> 24) == 0) {
                    expected[i] = actual[i] = 0;
                }
            }
            EXPECT_LE(LargestDifference(actual, expected), t.alphaTolerance) << t.name;
        }
    }
}

TEST(EncoderRoundTripTest, BmpIsTwentyFourBitsUnlessThePictureHasTransparency) {
    const auto opaque = codecs::EncodePicture(EncodedFormat::Bmp, Gradient(3, 3));
    const auto clear = codecs::EncodePicture(EncodedFormat::Bmp, WithAlpha());
    ASSERT_TRUE(opaque && clear);
    EXPECT_EQ((*opaque)[28], 24);
    EXPECT_EQ((*clear)[28], 32);
}

TEST(EncoderRoundTripTest, GifMarksMostlyClearPixelsTransparent) {
    const auto gif = codecs::EncodePicture(EncodedFormat::Gif, WithAlpha());
    ASSERT_TRUE(gif);
    const auto decoded = codecs::DecodeForConversion(*gif);
    ASSERT_TRUE(decoded);
    const auto original = WithAlpha();
    for (std::size_t i = 0; i < original.argb.size(); ++i) {
        EXPECT_EQ(decoded->argb[i] >> 24, (original.argb[i] >> 24) < 128 ? 0u : 0xFFu) << i;
    }
}

// The quantisation tables of quality 75 start with 8 (luminance) and 9 (chrominance); the luma
// component is sampled 2 x 2, the chroma components 1 x 1.
TEST(EncoderRoundTripTest, JpegIsQualitySeventyFiveAndFourTwoZero) {
    const auto jpeg = codecs::EncodePicture(EncodedFormat::Jpeg, Gradient(32, 32));
    ASSERT_TRUE(jpeg);
    const Bytes& j = *jpeg;
    std::vector<int> firstQuantisers, sampling;
    for (std::size_t i = 2; i + 4 < j.size() && j[i] == 0xFF;) {
        const std::uint8_t marker = j[i + 1];
        const std::size_t length = std::size_t(j[i + 2]) << 8 | j[i + 3];
        if (marker == 0xDB) {
            for (std::size_t t = i + 4; t < i + 2 + length; t += 65) {
                firstQuantisers.push_back(j[t + 1]);
            }
        }
        if (marker == 0xC0) {
            for (int c = 0; c < j[i + 9]; ++c) {
                sampling.push_back(j[i + 11 + 3 * c]);
            }
        }
        if (marker == 0xDA) {
            break;
        }
        i += 2 + length;
    }
    EXPECT_EQ(firstQuantisers, (std::vector<int>{8, 9}));
    EXPECT_EQ(sampling, (std::vector<int>{0x22, 0x11, 0x11}));
}

class LibraryToolsRead : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* tool :
             {"djpeg", "pngcheck", "pngtopnm", "giftext", "giftopnm", "tiffinfo", "tifftopnm"}) {
            if (!testing_pictures::HaveTool(tool)) {
                GTEST_SKIP() << tool << " is not installed";
            }
        }
    }
};

// Each tool reads our file without complaint, and its pixels agree with our decoder's.
TEST_F(LibraryToolsRead, EveryEncodedFile) {
    const DecodedPicture picture = Gradient(13, 9);
    struct Case {
        EncodedFormat format;
        const char* check;  // must succeed
        const char* toPpm;
    };
    const Case cases[] = {
        {EncodedFormat::Jpeg, "djpeg -outfile /dev/null", "djpeg -pnm"},
        {EncodedFormat::Png, "pngcheck -q /dev/stdin", "pngtopnm"},
        {EncodedFormat::Gif, "giftext", "giftopnm"},
        {EncodedFormat::Tiff, "tiffinfo /dev/stdin | grep -q LZW", "tifftopnm"},
    };
    for (const auto& c : cases) {
        const auto encoded = codecs::EncodePicture(c.format, picture);
        ASSERT_TRUE(encoded);
        EXPECT_TRUE(RunTool(c.check, *encoded)) << c.check;
        const auto ppm = RunTool(c.toPpm, *encoded);
        ASSERT_TRUE(ppm) << c.toPpm;
        int width = 0, height = 0;
        const auto theirs = testing_pictures::PpmPixels(*ppm, width, height);
        const auto ours = codecs::DecodeForConversion(*encoded);
        ASSERT_TRUE(ours);
        EXPECT_EQ(width, 13) << c.toPpm;
        EXPECT_EQ(theirs, Opaque(ours->argb)) << c.toPpm;
    }
}

TEST(EncoderRoundTripTest, RefusesAnEmptyPicture) {
    for (const auto& t : kRoundTrips) {
        EXPECT_FALSE(codecs::EncodePicture(t.format, DecodedPicture{})) << t.name;
    }
}

}  // namespace
