// Icons and cursors by hand: the directory picks the largest entry, which holds either a PNG
// file or a device-independent bitmap with an AND mask.

#include "platform/codecs/ByteReader.h"
#include "platform/codecs/Decoders.h"
#include "platform/codecs/Dib.h"

namespace codecs {
namespace {

struct IconDirEntry {
    std::uint32_t width = 0;  // 0 in the file stands for 256
    std::uint32_t height = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t bytesInRes = 0;
    std::uint32_t imageOffset = 0;
};

constexpr std::size_t kIconDirEntrySize = 16;

IconDirEntry ReadEntry(std::span<const std::uint8_t> raw) {
    ByteReader in(raw);
    IconDirEntry e;
    const auto width = in.U8(), height = in.U8();
    in.Skip(4);  // colour count, reserved, planes or hot spot x
    e.bitCount = in.U16().value_or(0);
    e.bytesInRes = in.U32().value_or(0);
    e.imageOffset = in.U32().value_or(0);
    e.width = *width == 0 ? 256 : *width;
    e.height = *height == 0 ? 256 : *height;
    return e;
}

bool Larger(const IconDirEntry& a, const IconDirEntry& b) {
    const auto areaA = std::uint64_t{a.width} * a.height, areaB = std::uint64_t{b.width} * b.height;
    return areaA != areaB ? areaA > areaB : a.bitCount > b.bitCount;
}

OrRefusal<IconDirEntry> FindLargestImage(std::span<const std::uint8_t> data) {
    ByteReader in(data);
    in.Skip(4);  // reserved, type
    const auto count = in.U16();
    if (!count) {
        return Refusal::Truncated;
    }
    if (*count == 0) {
        return Refusal::BadHeader;
    }
    const auto entries = in.Take(std::uint64_t{*count} * kIconDirEntrySize);
    if (!entries) {
        return Refusal::Truncated;
    }
    std::optional<IconDirEntry> best;
    for (std::size_t i = 0; i < *count; ++i) {
        const IconDirEntry e =
            ReadEntry(entries->subspan(i * kIconDirEntrySize, kIconDirEntrySize));
        if (!best || Larger(e, *best)) {
            best = e;
        }
    }
    return *best;
}

}  // namespace

DecodeResult DecodeIcon(std::span<const std::uint8_t> data, DecodeHint hint) {
    const auto entry = FindLargestImage(data);
    if (!entry) {
        return *entry.Why();
    }
    const auto image = Slice(data, entry->imageOffset, entry->bytesInRes);
    if (!image) {
        return Refusal::Truncated;
    }
    if (IsPng(*image)) {
        return DecodePng(*image, hint);
    }
    return DecodeDib(*image, std::nullopt, DibUse::Icon);
}

}  // namespace codecs
