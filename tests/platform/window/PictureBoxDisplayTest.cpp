// Every format a picture box recognises is shown by it; TIFF and broken data leave only the
// background.

#include <gtest/gtest.h>

#include <QImage>

#include "platform/codecs/PictureEncoder.h"
#include "platform/window/PictureBox.h"
#include "tests/platform/codecs/PictureBuilders.h"

namespace {

using codecs::EncodedFormat;
using testing_pictures::Bytes;

constexpr QRgb kBackground = 0xFF00FF00;  // green, a colour the picture does not use

// 16 x 8: the left half red, the right half blue.
codecs::DecodedPicture Halves() {
    codecs::DecodedPicture p;
    p.width = p.naturalWidth = 16;
    p.height = p.naturalHeight = 8;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 16; ++x) {
            p.argb.push_back(x < 8 ? 0xFFFF0000 : 0xFF0000FF);
        }
    }
    return p;
}

Bytes Encoded(EncodedFormat format) {
    return codecs::EncodePicture(format, Halves()).value();
}

QImage Shown(const Bytes& bytes,
             runtime::DisplayMode mode = runtime::DisplayMode::kNaturalAtTopLeft) {
    window::PictureBox box(nullptr, QColor::fromRgb(kBackground), mode);
    box.resize(40, 24);
    box.SetPicture(bytes);
    return box.grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

bool Near(QRgb actual, QRgb expected) {
    return std::abs(qRed(actual) - qRed(expected)) <= 24 &&
           std::abs(qGreen(actual) - qGreen(expected)) <= 24 &&
           std::abs(qBlue(actual) - qBlue(expected)) <= 24;
}

TEST(PictureBoxDisplayTest, ShowsEveryRecognisedFormat) {
    const Bytes bmp = Encoded(EncodedFormat::Bmp);
    const Bytes png = Encoded(EncodedFormat::Png);
    struct Case {
        const char* name;
        Bytes bytes;
    };
    std::vector<Case> cases = {
        {"JPEG", Encoded(EncodedFormat::Jpeg)},
        {"PNG", png},
        {"GIF", Encoded(EncodedFormat::Gif)},
        {"BMP", bmp},
        {"icon", testing_pictures::IconFile({{16, 8, 32, png}})},
        {"cursor", testing_pictures::IconFile({testing_pictures::IconEntryFromBmp(bmp)}, 2)},
    };
    if (testing_pictures::HaveTool("ppmtopcx")) {
        cases.push_back({"PCX", testing_pictures::RunTool("ppmtopcx -24bit",
                                                          testing_pictures::PpmFile(Halves()))
                                    .value()});
    }
    for (const auto& c : cases) {
        const QImage shown = Shown(c.bytes);
        EXPECT_TRUE(Near(shown.pixel(2, 2), 0xFFFF0000)) << c.name;
        EXPECT_TRUE(Near(shown.pixel(13, 5), 0xFF0000FF)) << c.name;
        EXPECT_EQ(shown.pixel(30, 20), kBackground) << c.name;  // outside the natural size
    }
}

TEST(PictureBoxDisplayTest, StretchesADecodedBmp) {
    const QImage shown = Shown(Encoded(EncodedFormat::Bmp), runtime::DisplayMode::kStretchedToBox);
    EXPECT_TRUE(Near(shown.pixel(2, 20), 0xFFFF0000));
    EXPECT_TRUE(Near(shown.pixel(37, 20), 0xFF0000FF));
}

TEST(PictureBoxDisplayTest, ShowsOnlyTheBackgroundForTiffAndBrokenData) {
    Bytes truncatedPng = Encoded(EncodedFormat::Png);
    truncatedPng.resize(truncatedPng.size() / 2);
    const Bytes cases[] = {Encoded(EncodedFormat::Tiff), truncatedPng,
                           Bytes{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0}};
    for (const auto& bytes : cases) {
        const QImage shown = Shown(bytes);
        EXPECT_EQ(shown.pixel(2, 2), kBackground);
        EXPECT_EQ(shown.pixel(30, 20), kBackground);
    }
}

}  // namespace
