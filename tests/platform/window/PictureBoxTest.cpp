#include "platform/window/PictureBox.h"

#include <zlib.h>
#include <QImage>

#include <gtest/gtest.h>

#include "tests/platform/codecs/PictureBuilders.h"

namespace window {
namespace {

using runtime::DisplayMode;
using testing_pictures::Solid;

constexpr QRgb kBackground = 0xFFFF0000;  // red
constexpr QRgb kBlue = 0xFF0000FF;

class PictureBoxTest : public testing::Test {
  protected:
    PictureBox& Box(int width, int height, DisplayMode mode) {
        box_ = std::make_unique<PictureBox>(nullptr, QColor(kBackground), mode);
        box_->resize(width, height);
        return *box_;
    }

    QImage Shot() const { return box_->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    std::unique_ptr<PictureBox> box_;
};

// Lossless colours for exact pixel checks.
runtime::Bytes BluePng(int width, int height) {
    return testing_pictures::Png(width, height, Solid(kBlue));
}

struct ModeCase {
    const char* what;
    DisplayMode mode;
    int pictureWidth, pictureHeight;
    // The rectangle of the 40 x 30 box that the picture must cover exactly.
    QRect covered;
};

TEST_F(PictureBoxTest, DrawsEachDisplayMode) {
    const ModeCase cases[] = {
        {"natural size at the top left", DisplayMode::kNaturalAtTopLeft, 10, 8, {0, 0, 10, 8}},
        {"natural size, clipped", DisplayMode::kNaturalAtTopLeft, 60, 50, {0, 0, 40, 30}},
        {"stretched", DisplayMode::kStretchedToBox, 10, 8, {0, 0, 40, 30}},
        {"stretched, larger", DisplayMode::kStretchedToBox, 90, 10, {0, 0, 40, 30}},
        {"centred when it fits", DisplayMode::kNaturalShrunkToFit, 10, 8, {15, 11, 10, 8}},
        {"shrunk to the width, centred", DisplayMode::kNaturalShrunkToFit, 80, 20, {0, 10, 40, 10}},
        {"shrunk to the height, centred",
         DisplayMode::kNaturalShrunkToFit,
         30,
         60,
         {12, 0, 15, 30}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PictureBox& box = Box(40, 30, c.mode);
        box.SetPicture(BluePng(c.pictureWidth, c.pictureHeight));
        const QImage shot = Shot();
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 40; ++x) {
                const QRgb expected = c.covered.contains(x, y) ? kBlue : kBackground;
                ASSERT_EQ(shot.pixel(x, y), expected) << "at " << x << "," << y;
            }
        }
    }
}

TEST_F(PictureBoxTest, ModeChangeRedrawsFromTheKeptCopy) {
    PictureBox& box = Box(40, 30, DisplayMode::kNaturalShrunkToFit);
    runtime::Bytes bytes = BluePng(80, 20);
    box.SetPicture(bytes);
    bytes.assign(bytes.size(), 0);  // the caller's bytes are gone; the box kept its own
    box.SetDisplayMode(DisplayMode::kStretchedToBox);
    EXPECT_EQ(box.DisplayMode(), DisplayMode::kStretchedToBox);
    EXPECT_EQ(Shot().pixel(0, 0), kBlue);
}

TEST_F(PictureBoxTest, ShowsOnlyTheBackgroundForNoPicture) {
    const runtime::Bytes png = BluePng(4, 4);
    const runtime::Bytes jpeg = testing_pictures::Jpeg(16, 16, Solid(kBlue));
    const runtime::Bytes broken[] = {
        {},
        {0xFF, 0xD8, 0xFF, 0xE0},                       // a JPEG start, under 8 bytes
        {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c'},  // unknown format
        runtime::Bytes(png.begin(), png.begin() + 40),  // truncated PNG
        runtime::Bytes(jpeg.begin(), jpeg.end() - 60),  // truncated JPEG
    };
    for (const auto& bytes : broken) {
        PictureBox& box = Box(20, 20, DisplayMode::kStretchedToBox);
        box.SetPicture(png);
        box.SetPicture(bytes);
        EXPECT_EQ(Shot().pixel(10, 10), kBackground) << bytes.size() << " bytes";
    }
}

// A PNG header that claims a picture of `side` x `side` pixels, with no pixel data behind it.
runtime::Bytes PngHeaderClaiming(std::uint32_t side) {
    runtime::Bytes png = BluePng(1, 1);
    for (int i = 0; i < 4; ++i) {
        png[16 + i] = std::uint8_t(side >> (24 - 8 * i));
        png[20 + i] = std::uint8_t(side >> (24 - 8 * i));
    }
    // The header's checksum must hold, or the header is refused for that reason alone.
    const std::uint32_t crc = std::uint32_t(crc32(0, png.data() + 12, 17));
    for (int i = 0; i < 4; ++i) {
        png[29 + i] = std::uint8_t(crc >> (24 - 8 * i));
    }
    return png;
}

TEST_F(PictureBoxTest, RefusesPicturesTooLargeToHold) {
    PictureBox& box = Box(20, 20, DisplayMode::kStretchedToBox);
    box.SetPicture(PngHeaderClaiming(8193));  // 8193^2 * 4 bytes is just over 256 MiB
    EXPECT_EQ(Shot().pixel(10, 10), kBackground);
    box.SetPicture(PngHeaderClaiming(100000));
    EXPECT_EQ(Shot().pixel(10, 10), kBackground);
}

TEST_F(PictureBoxTest, TransparentPixelsShowTheBackground) {
    PictureBox& box = Box(20, 20, DisplayMode::kStretchedToBox);
    box.SetPicture(
        testing_pictures::Png(2, 1, [](int x, int) { return x == 0 ? 0x000000FFu : kBlue; }));
    const QImage shot = Shot();
    EXPECT_EQ(shot.pixel(2, 10), kBackground);
    EXPECT_EQ(shot.pixel(17, 10), kBlue);
}

// A large JPEG fitted into the box may be decoded at a reduced scale; what shows must not change.
TEST_F(PictureBoxTest, FitsALargeProgressiveJpeg) {
    const auto halves = [](int x, int) { return x < 540 ? 0xFF0000FFu : 0xFF00FF00u; };
    PictureBox& box = Box(416, 472, DisplayMode::kNaturalShrunkToFit);
    box.SetPicture(testing_pictures::Jpeg(1080, 1080, halves, true));
    const QImage shot = Shot();
    EXPECT_EQ(shot.pixel(208, 27), kBackground);
    EXPECT_EQ(shot.pixel(208, 472 - 28), kBackground);
    EXPECT_EQ(qBlue(shot.pixel(100, 236)) > 200 && qGreen(shot.pixel(100, 236)) < 60, true);
    EXPECT_EQ(qGreen(shot.pixel(300, 236)) > 200 && qBlue(shot.pixel(300, 236)) < 60, true);
    box.SetDisplayMode(DisplayMode::kNaturalAtTopLeft);  // natural size needs the full-scale decode
    const QImage natural = Shot();
    EXPECT_GT(qBlue(natural.pixel(415, 0)), 200);
}

}  // namespace

}  // namespace window
