#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/codecs/PictureDecoder.h"
#include "platform/codecs/PictureEncoder.h"
#include "platform/gdiplus/Gdiplus.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::u16string Wide(const char* ascii) {
    return std::u16string(ascii, ascii + std::strlen(ascii));
}

TEST(ClsidFromStringTest, ParsesTheBracedForm) {
    struct Case {
        const char* text;
        HRESULT status;
        std::uint32_t data1;
        std::uint8_t last;
    };
    const Case cases[] = {
        {"{557CF401-1A04-11D3-9A73-0000F81EF32E}", S_OK, 0x557CF401, 0x2E},
        {"{557cf406-1a04-11d3-9a73-0000f81ef32e}", S_OK, 0x557CF406, 0x2E},
        {"557CF401-1A04-11D3-9A73-0000F81EF32E", CO_E_CLASSSTRING, 0, 0},
        {"{557CF401-1A04-11D3-9A73-0000F81EF32E", CO_E_CLASSSTRING, 0, 0},
        {"{557CF401-1A04-11D3-9A73-0000F81EF32E}x", CO_E_CLASSSTRING, 0, 0},
        {"{557CF401+1A04-11D3-9A73-0000F81EF32E}", CO_E_CLASSSTRING, 0, 0},
        {"{557CG401-1A04-11D3-9A73-0000F81EF32E}", CO_E_CLASSSTRING, 0, 0},
        {"", CO_E_CLASSSTRING, 0, 0},
    };
    for (const auto& c : cases) {
        CLSID clsid{1, 2, 3, {4}};
        EXPECT_EQ(CLSIDFromString(Wide(c.text).c_str(), &clsid), c.status) << c.text;
        EXPECT_EQ(clsid.Data1, c.data1) << c.text;
        EXPECT_EQ(clsid.Data4[7], c.last) << c.text;
    }
    CLSID clsid{1, 2, 3, {4}};
    EXPECT_EQ(CLSIDFromString(nullptr, &clsid), S_OK);
    EXPECT_EQ(clsid, CLSID{});
    const std::u16string jpeg = Wide("{557CF401-1A04-11D3-9A73-0000F81EF32E}");
    CLSIDFromString(jpeg.c_str(), &clsid);
    EXPECT_EQ(clsid,
              (CLSID{0x557CF401, 0x1A04, 0x11D3, {0x9A, 0x73, 0, 0, 0xF8, 0x1E, 0xF3, 0x2E}}));
}

class GdiplusTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(GdiplusStartup(&token_, &input_, nullptr), Ok); }
    void TearDown() override { GdiplusShutdown(token_); }

    // A bitmap decoded from the bytes, through a stream, as callers make one.
    GpBitmap* BitmapOf(const Bytes& bytes) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        if (void* address = GlobalLock(block)) {  // an empty block has no address
            std::memcpy(address, bytes.data(), bytes.size());
        }
        GlobalUnlock(block);
        IStream* stream = nullptr;
        CreateStreamOnHGlobal(block, TRUE, &stream);
        GpBitmap* bitmap = nullptr;
        GdipCreateBitmapFromStream(stream, &bitmap);
        stream->Release();
        return bitmap;
    }

    // What the encoder wrote, or nothing.
    std::optional<codecs::DecodedPicture> SavedAs(GpImage* image, std::uint32_t data1,
                                                  GpStatus& status) {
        IStream* stream = nullptr;
        CreateStreamOnHGlobal(nullptr, TRUE, &stream);
        const CLSID encoder{data1, 0x1A04, 0x11D3, {0x9A, 0x73, 0, 0, 0xF8, 0x1E, 0xF3, 0x2E}};
        status = GdipSaveImageToStream(image, stream, &encoder, nullptr);
        HGLOBAL block = nullptr;
        GetHGlobalFromStream(stream, &block);
        std::optional<codecs::DecodedPicture> picture;
        if (const auto* data = static_cast<const std::uint8_t*>(GlobalLock(block))) {
            if (auto decoded = codecs::DecodeForConversion(Bytes(data, data + GlobalSize(block)))) {
                picture = std::move(*decoded);
            }
            GlobalUnlock(block);
        }
        stream->Release();
        return picture;
    }

    ULONG_PTR token_ = 0;
    GdiplusStartupInput input_;
};

codecs::DecodedPicture HalfClear() {
    codecs::DecodedPicture p;
    p.width = p.naturalWidth = 2;
    p.height = p.naturalHeight = 1;
    p.argb = {0x00FF0000, 0x800000FF};
    return p;
}

TEST_F(GdiplusTest, EachBuiltInEncoderIsChosenByItsClsid) {
    GpBitmap* bitmap =
        BitmapOf(codecs::EncodePicture(codecs::EncodedFormat::Png, HalfClear()).value());
    ASSERT_NE(bitmap, nullptr);
    for (std::uint32_t data1 : {0x557CF400u, 0x557CF401u, 0x557CF402u, 0x557CF405u, 0x557CF406u}) {
        GpStatus status = GenericError;
        EXPECT_TRUE(SavedAs(bitmap, data1, status)) << std::hex << data1;
        EXPECT_EQ(status, Ok);
    }
    for (std::uint32_t unknown : {0x557CF403u, 0x557CF404u, 0u}) {
        GpStatus status = Ok;
        EXPECT_FALSE(SavedAs(bitmap, unknown, status)) << std::hex << unknown;
        EXPECT_NE(status, Ok);
    }
    EXPECT_EQ(GdipDisposeImage(bitmap), Ok);
    EXPECT_EQ(GdipDisposeImage(bitmap), InvalidParameter);  // already gone
}

// Composed over white: clear red becomes white, half-clear blue becomes light blue; opaque.
TEST_F(GdiplusTest, TheDeviceBitmapComposesOverTheBackgroundAndDropsAlpha) {
    GpBitmap* bitmap =
        BitmapOf(codecs::EncodePicture(codecs::EncodedFormat::Png, HalfClear()).value());
    HBITMAP device = nullptr;
    ASSERT_EQ(GdipCreateHBITMAPFromBitmap(bitmap, &device, 0x00FFFFFF), Ok);
    GpBitmap* opaque = nullptr;
    ASSERT_EQ(GdipCreateBitmapFromHBITMAP(device, nullptr, &opaque), Ok);
    GpStatus status = GenericError;
    const auto png = SavedAs(opaque, 0x557CF406, status);
    ASSERT_TRUE(png);
    EXPECT_EQ(png->argb, (std::vector<std::uint32_t>{0xFFFFFFFF, 0xFF7F7FFF}));
    EXPECT_EQ(GdipDisposeImage(opaque), Ok);
    EXPECT_EQ(DeleteObject(device), TRUE);
    EXPECT_EQ(DeleteObject(device), FALSE);
    EXPECT_EQ(GdipDisposeImage(bitmap), Ok);
}

TEST_F(GdiplusTest, UndecodableStreamsGiveNoBitmap) {
    for (const Bytes& bytes :
         {Bytes{'G', 'I', 'F', '8', '9', 'a', 0, 0}, Bytes{1, 2, 3}, Bytes{}}) {
        EXPECT_EQ(BitmapOf(bytes), nullptr);
    }
    GpBitmap* bitmap = nullptr;
    EXPECT_EQ(GdipCreateBitmapFromStream(nullptr, &bitmap), InvalidParameter);
    HBITMAP device = nullptr;
    EXPECT_EQ(GdipCreateHBITMAPFromBitmap(nullptr, &device, 0), InvalidParameter);
    EXPECT_EQ(GdipCreateBitmapFromHBITMAP(nullptr, nullptr, &bitmap), InvalidParameter);
}

TEST(GdiplusStartupTest, NothingWorksWithoutAStartupInForce) {
    ULONG_PTR token = 0;
    GdiplusStartupInput input;
    input.GdiplusVersion = 4;
    EXPECT_EQ(GdiplusStartup(&token, &input, nullptr), UnsupportedGdiplusVersion);
    IStream* stream = nullptr;
    CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    GpBitmap* bitmap = nullptr;
    EXPECT_EQ(GdipCreateBitmapFromStream(stream, &bitmap), GdiplusNotInitialized);
    input.GdiplusVersion = 1;
    ULONG_PTR first = 0, second = 0;
    ASSERT_EQ(GdiplusStartup(&first, &input, nullptr), Ok);
    ASSERT_EQ(GdiplusStartup(&second, &input, nullptr), Ok);
    EXPECT_NE(first, 0u);
    EXPECT_NE(first, second);
    GdiplusShutdown(first);
    EXPECT_EQ(GdipCreateBitmapFromStream(stream, &bitmap), UnknownImageFormat);  // still started
    GdiplusShutdown(second);
    EXPECT_EQ(GdipCreateBitmapFromStream(stream, &bitmap), GdiplusNotInitialized);
    stream->Release();
}

}  // namespace
