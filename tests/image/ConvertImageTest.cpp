#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "image/ConvertImage.h"
#include "platform/codecs/PictureDecoder.h"
#include "platform/codecs/PictureEncoder.h"
#include "platform/gdiplus/CallLog.h"

namespace {

namespace fs = std::filesystem;
using runtime::Bytes;
using runtime::Text;

codecs::DecodedPicture Picture(std::uint32_t alpha = 0xFF) {
    codecs::DecodedPicture p;
    p.width = p.naturalWidth = 16;
    p.height = p.naturalHeight = 16;
    for (int i = 0; i < 256; ++i) {
        const std::uint32_t a = (i % 2 == 0) ? 0xFF : alpha;
        p.argb.push_back(a << 24 | std::uint32_t(i) << 16 | 0x4000 | std::uint32_t(255 - i));
    }
    return p;
}

Bytes Png(std::uint32_t alpha = 0xFF) {
    return codecs::EncodePicture(codecs::EncodedFormat::Png, Picture(alpha)).value();
}

class ConvertImageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char name[] = "/tmp/tolvane-convert-XXXXXX";
        ASSERT_NE(::mkdtemp(name), nullptr);
        folder_ = name;
    }
    void TearDown() override { fs::remove_all(folder_); }

    Text In(const char* name) const { return (folder_ / name).string(); }
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(folder_)) {
            names.push_back(e.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    static Bytes Contents(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }

    fs::path folder_;
};

TEST_F(ConvertImageTest, FailsWithoutTouchingAnything) {
    struct Case {
        const char* name;
        Bytes source;
        int format;
    };
    const Case cases[] = {
        {"no bytes", {}, 2},
        {"one byte", {0xFF}, 2},
        {"two bytes", {0xFF, 0xD8}, 2},
        {"three bytes of no picture", {1, 2, 3}, 2},
        {"a truncated picture",
         [] {
             Bytes png = Png();
             png.resize(40);
             return png;
         }(),
         2},
        {"format 0", Png(), 0},
        {"format 6", Png(), 6},
        {"format -1", Png(), -1},
    };
    for (const auto& c : cases) {
        Bytes encoded = {7, 7};
        EXPECT_FALSE(image::ConvertImage(c.source, c.format, In("out"), &encoded)) << c.name;
        EXPECT_EQ(encoded, (Bytes{7, 7})) << c.name;
        EXPECT_TRUE(Files().empty()) << c.name;
    }
}

TEST_F(ConvertImageTest, TooShortASourceNeverStartsGdiplus) {
    std::vector<std::string> log;
    gdiplus::SetCallLog(&log);
    image::ConvertImage({0xFF, 0xD8}, 2, In("out"));
    gdiplus::SetCallLog(nullptr);
    EXPECT_TRUE(log.empty());
}

TEST_F(ConvertImageTest, ABlankPathWritesNoFile) {
    for (const Text& path : {Text(), Text("   "), Text("\xA1\xA1 \xA1\xA1")}) {
        Bytes encoded;
        EXPECT_TRUE(image::ConvertImage(Png(), 2, path, &encoded));
        EXPECT_TRUE(codecs::DecodePicture(encoded));
    }
    EXPECT_TRUE(Files().empty());
}

TEST_F(ConvertImageTest, NamesTheFileAfterTheFormat) {
    struct Case {
        int format;
        const char* path;
        const char* written;
    };
    const Case cases[] = {
        {2, "a", "a.jpg"},           {2, "b.jpg", "b.jpg"},      {2, "c.JPG", "c.JPG"},
        {2, "d.Jpg", "d.Jpg"},       {2, "e.png", "e.png.jpg"},  {2, "f  ", "f  .jpg"},
        {2, "g.jpeg", "g.jpeg.jpg"}, {1, "h", "h.bmp"},          {3, "i", "i.gif"},
        {4, "j", "j.tiff"},          {4, "k.tif", "k.tif.tiff"}, {4, "l.TIFF", "l.TIFF"},
        {5, "m", "m.png"},
    };
    for (const auto& c : cases) {
        Bytes encoded;
        ASSERT_TRUE(image::ConvertImage(Png(), c.format, In(c.path), &encoded)) << c.path;
        EXPECT_EQ(Files(), std::vector<std::string>{c.written}) << c.path;
        EXPECT_EQ(Contents(folder_ / c.written), encoded) << c.path;
        fs::remove(folder_ / c.written);
    }
}

TEST_F(ConvertImageTest, EveryFormatReadsBackAsThePicture) {
    const Bytes bmp = codecs::EncodePicture(codecs::EncodedFormat::Bmp, Picture()).value();
    const Bytes tiff = codecs::EncodePicture(codecs::EncodedFormat::Tiff, Picture()).value();
    for (const Bytes& source : {Png(), bmp, tiff}) {
        for (int format = 1; format <= 5; ++format) {
            Bytes encoded;
            ASSERT_TRUE(image::ConvertImage(source, format, {}, &encoded)) << format;
            const auto decoded = codecs::DecodeForConversion(encoded);
            ASSERT_TRUE(decoded) << format;
            EXPECT_EQ(decoded->width, 16);
            EXPECT_EQ(decoded->height, 16);
            if (format != 2 && format != 3) {  // the lossless ones
                EXPECT_EQ(decoded->argb, Picture().argb) << format;
            }
        }
    }
}

TEST_F(ConvertImageTest, WhiteBackgroundComposesOverWhiteAndDropsAlpha) {
    Bytes plain, onWhite;
    ASSERT_TRUE(image::ConvertImage(Png(0x00), 5, {}, &plain));
    ASSERT_TRUE(image::ConvertImage(Png(0x00), 5, {}, &onWhite, true));
    EXPECT_TRUE(codecs::HasTransparency(*codecs::DecodePicture(plain)));
    const auto picture = codecs::DecodePicture(onWhite);
    ASSERT_TRUE(picture);
    EXPECT_FALSE(codecs::HasTransparency(*picture));
    EXPECT_EQ(picture->argb[0], Picture().argb[0]);  // opaque pixels are unchanged
    EXPECT_EQ(picture->argb[1], 0xFFFFFFFFu);        // clear ones become white
}

TEST_F(ConvertImageTest, AFailedWriteStillSucceeds) {
    fs::create_directory(folder_ / "folder.jpg");
    for (const Text& path : {In("missing/x"), In("folder.jpg")}) {
        Bytes encoded;
        EXPECT_TRUE(image::ConvertImage(Png(), 2, path, &encoded)) << path;
        EXPECT_FALSE(encoded.empty()) << path;
    }
    EXPECT_EQ(Files(), std::vector<std::string>{"folder.jpg"});
}

// The bytes go to a file beside the target first (see ReplaceFileTest), so a write that fails
// never leaves a truncated file where a good one was.
TEST_F(ConvertImageTest, AFailedWriteKeepsTheOldFile) {
    const Bytes old = {'o', 'l', 'd'};
    std::ofstream(folder_ / "keep.jpg", std::ios::binary).write("old", 3);
    const int held = ::open(In("keep.jpg").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);  // another writer holds it
    EXPECT_TRUE(image::ConvertImage(Png(), 2, In("keep.jpg")));
    EXPECT_EQ(Contents(folder_ / "keep.jpg"), old);
    ::close(held);

    Bytes encoded;
    EXPECT_TRUE(image::ConvertImage(Png(), 2, In("keep.jpg"), &encoded));
    EXPECT_EQ(Contents(folder_ / "keep.jpg"), encoded);
    EXPECT_EQ(Files(), std::vector<std::string>{"keep.jpg"});
}

std::vector<std::string> CallsOf(const Bytes& source, bool whiteBackground) {
    std::vector<std::string> log;
    gdiplus::SetCallLog(&log);
    image::ConvertImage(source, 2, {}, nullptr, whiteBackground);
    gdiplus::SetCallLog(nullptr);
    return log;
}

TEST(ConvertImageCallsTest, MakesThePlatformCallsInOrderAndReleasesInOrder) {
    const std::vector<std::string> start = {"GdiplusStartup",
                                            "CLSIDFromString",
                                            "GlobalAlloc",
                                            "CreateStreamOnHGlobal",
                                            "GlobalLock",
                                            "GlobalUnlock",
                                            "GdipCreateBitmapFromStream"};
    std::vector<std::string> plain = start;
    plain.insert(plain.end(),
                 {"CreateStreamOnHGlobal", "GdipSaveImageToStream", "GetHGlobalFromStream",
                  "GlobalLock", "GlobalSize", "IStream::Release", "GlobalUnlock",
                  "IStream::Release", "GdipDisposeImage", "GlobalFree", "GdiplusShutdown"});
    EXPECT_EQ(CallsOf(Png(), false), plain);

    std::vector<std::string> white = start;
    white.insert(
        white.end(),
        {"GdipCreateHBITMAPFromBitmap", "GdipCreateBitmapFromHBITMAP", "CreateStreamOnHGlobal",
         "GdipSaveImageToStream", "GetHGlobalFromStream", "GlobalLock", "GlobalSize",
         "IStream::Release", "GlobalUnlock", "IStream::Release", "GdipDisposeImage", "DeleteObject",
         "GdipDisposeImage", "GlobalFree", "GdiplusShutdown"});
    EXPECT_EQ(CallsOf(Png(), true), white);

    // Nothing decoded: the later calls still run and find nothing; nothing was locked.
    std::vector<std::string> undecodable = start;
    undecodable.insert(
        undecodable.end(),
        {"CreateStreamOnHGlobal", "GdipSaveImageToStream", "GetHGlobalFromStream", "GlobalLock",
         "GlobalSize", "IStream::Release", "IStream::Release", "GlobalFree", "GdiplusShutdown"});
    EXPECT_EQ(CallsOf({1, 2, 3, 4}, false), undecodable);
}

TEST(ClsidFromTextTest, ParsesTheEncoderClsidsAndGivesZerosOtherwise) {
    const CLSID png = image::ClsidFromText("{557CF406-1A04-11D3-9A73-0000F81EF32E}");
    EXPECT_EQ(png, (CLSID{0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0, 0, 0xF8, 0x1E, 0xF3, 0x2E}}));
    EXPECT_EQ(image::ClsidFromText(""), CLSID{});
    EXPECT_EQ(image::ClsidFromText("{not a clsid}"), CLSID{});
}

}  // namespace
