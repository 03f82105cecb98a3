#include <gtest/gtest.h>

#include <cstring>

#include "platform/gdiplus/ComStream.h"
#include "platform/gdiplus/GlobalMemory.h"

namespace {

TEST(GlobalMemoryTest, ABlockIsLockedForItsAddressAndCountsItsLocks) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 5);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalSize(block), 5u);
    auto* first = static_cast<std::uint8_t*>(GlobalLock(block));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first[4], 0);
    EXPECT_EQ(GlobalLock(block), first);
    EXPECT_NE(GlobalUnlock(block), FALSE);  // still locked once
    EXPECT_EQ(GlobalUnlock(block), FALSE);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    EXPECT_EQ(GlobalFree(block), nullptr);
}

TEST(GlobalMemoryTest, AnEmptyBlockHasNoAddress) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 0);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalLock(block), nullptr);
    EXPECT_EQ(GlobalSize(block), 0u);
    EXPECT_EQ(GlobalFree(block), nullptr);
}

TEST(GlobalMemoryTest, StaleHandlesAreRefused) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 4);
    ASSERT_EQ(GlobalFree(block), nullptr);
    EXPECT_EQ(GlobalFree(block), block);  // a second free fails instead of freeing twice
    EXPECT_EQ(GlobalLock(block), nullptr);
    EXPECT_EQ(GlobalSize(block), 0u);
    EXPECT_EQ(GlobalUnlock(block), FALSE);
}

TEST(ComStreamTest, AStreamOverABlockSeesItsBytesAndLeavesItWhenAsked) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 4);
    IStream* stream = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(block, FALSE, &stream), S_OK);
    std::memcpy(GlobalLock(block), "abcd", 4);  // written after the stream was made
    GlobalUnlock(block);
    char read[8] = {};
    ULONG count = 0;
    EXPECT_EQ(stream->Read(read, sizeof read, &count), S_OK);
    EXPECT_EQ(count, 4u);
    EXPECT_STREQ(read, "abcd");
    HGLOBAL under = nullptr;
    EXPECT_EQ(GetHGlobalFromStream(stream, &under), S_OK);
    EXPECT_EQ(under, block);
    EXPECT_EQ(stream->Release(), 0u);
    EXPECT_EQ(GlobalSize(block), 4u);  // still there
    EXPECT_EQ(GlobalFree(block), nullptr);
}

TEST(ComStreamTest, AStreamOnNoBlockGrowsOneAndFreesItOnRelease) {
    IStream* stream = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
    HGLOBAL block = nullptr;
    ASSERT_EQ(GetHGlobalFromStream(stream, &block), S_OK);
    EXPECT_EQ(GlobalLock(block), nullptr);  // nothing written yet
    ULONG written = 0;
    EXPECT_EQ(stream->Write("hello", 5, &written), S_OK);
    EXPECT_EQ(stream->Write("!", 1, &written), S_OK);
    EXPECT_EQ(GlobalSize(block), 6u);
    ULARGE_INTEGER position{};
    EXPECT_EQ(stream->Seek(LARGE_INTEGER{-5}, STREAM_SEEK_END, &position), S_OK);
    EXPECT_EQ(position.QuadPart, 1u);
    EXPECT_NE(stream->Seek(LARGE_INTEGER{-2}, STREAM_SEEK_SET, nullptr), S_OK);
    char read[3] = {};
    ULONG count = 0;
    EXPECT_EQ(stream->Read(read, 2, &count), S_OK);
    EXPECT_STREQ(read, "el");
    stream->AddRef();
    EXPECT_EQ(stream->Release(), 1u);
    EXPECT_EQ(stream->Release(), 0u);
    EXPECT_EQ(GlobalSize(block), 0u);  // freed with the stream
}

}  // namespace
