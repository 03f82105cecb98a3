// PCX by hand: run-length encoded planes, with 1 bit (monochrome, or up to four planes indexing
// the 16 header colours), 4 bits (the header colours), 8 bits (256 colours at the end of the
// file) and 24 bits (three planes of 8 bits).

#include <array>

#include "platform/codecs/Argb.h"
#include "platform/codecs/ByteReader.h"
#include "platform/codecs/Decoders.h"
#include "platform/codecs/PixelBudget.h"

namespace codecs {
namespace {

constexpr std::size_t kHeaderSize = 128;
constexpr std::size_t kVgaPaletteSize = 1 + 256 * 3;  // marker 0x0C and the colours

struct PcxHeader {
    std::uint8_t BitsPerPixel = 0;
    std::uint16_t Xmin = 0, Ymin = 0, Xmax = 0, Ymax = 0;
    std::span<const std::uint8_t> Colormap;  // 16 RGB triples
    std::uint8_t NPlanes = 0;
    std::uint16_t BytesPerLine = 0;
};

OrRefusal<PcxHeader> ReadHeader(std::span<const std::uint8_t> data) {
    ByteReader in(data);
    PcxHeader h;
    in.Skip(3);  // manufacturer, version, encoding: checked by the sniffer
    h.BitsPerPixel = in.U8().value_or(0);
    h.Xmin = in.U16().value_or(0);
    h.Ymin = in.U16().value_or(0);
    h.Xmax = in.U16().value_or(0);
    h.Ymax = in.U16().value_or(0);
    in.Skip(4);  // resolution
    const auto colormap = in.Take(48);
    in.Skip(1);  // reserved
    h.NPlanes = in.U8().value_or(0);
    const auto bytesPerLine = in.U16();
    if (!bytesPerLine || data.size() < kHeaderSize) {
        return Refusal::Truncated;
    }
    if (h.Xmax < h.Xmin || h.Ymax < h.Ymin) {
        return Refusal::BadHeader;
    }
    h.Colormap = *colormap;
    h.BytesPerLine = *bytesPerLine;
    return h;
}

bool IsKnownLayout(const PcxHeader& h) {
    const unsigned bits = h.BitsPerPixel, planes = h.NPlanes;
    return (bits == 1 && planes >= 1 && planes <= 4) || (bits == 4 && planes == 1) ||
           (bits == 8 && (planes == 1 || planes == 3));
}

// A two-byte run yields at most 63 bytes: data claiming more than that is refused before
// anything is allocated.
constexpr std::uint64_t kMaxUnpackRatio = 32;

// Decodes exactly `size` bytes of scan lines; runs may cross line ends.
OrRefusal<std::vector<std::uint8_t>> Unpack(std::span<const std::uint8_t> packed,
                                            std::uint64_t size) {
    if (size > packed.size() * kMaxUnpackRatio) {
        return Refusal::Truncated;
    }
    std::vector<std::uint8_t> out;
    out.reserve(static_cast<std::size_t>(size));
    ByteReader in(packed);
    while (out.size() < size) {
        const auto b = in.U8();
        if (!b) {
            return Refusal::Truncated;
        }
        std::size_t count = 1;
        std::uint8_t value = *b;
        if ((*b & 0xC0) == 0xC0) {
            const auto next = in.U8();
            if (!next) {
                return Refusal::Truncated;
            }
            count = *b & 0x3F;
            value = *next;
        }
        out.insert(out.end(), std::min<std::uint64_t>(count, size - out.size()), value);
    }
    return out;
}

std::uint32_t Rgb(const std::uint8_t* triple) {
    return PackOpaque(triple[0], triple[1], triple[2]);
}

std::uint32_t PixelAt(const PcxHeader& h, const std::uint8_t* line, std::size_t x,
                      std::span<const std::uint8_t> vgaPalette) {
    const std::size_t plane = h.BytesPerLine;
    if (h.BitsPerPixel == 8 && h.NPlanes == 3) {
        const std::uint8_t rgb[3] = {line[x], line[plane + x], line[2 * plane + x]};
        return Rgb(rgb);
    }
    if (h.BitsPerPixel == 8) {
        return Rgb(vgaPalette.data() + 3 * std::size_t{line[x]});
    }
    if (h.BitsPerPixel == 4) {
        return Rgb(h.Colormap.data() + 3 * ((line[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0x0F));
    }
    unsigned index = 0;
    for (unsigned p = 0; p < h.NPlanes; ++p) {
        index |= ((line[p * plane + x / 8] >> (7 - x % 8)) & 1u) << p;
    }
    if (h.NPlanes == 1) {
        return index ? 0xFFFFFFFFu : kOpaque;
    }
    return Rgb(h.Colormap.data() + 3 * index);
}

}  // namespace

DecodeResult DecodePcx(std::span<const std::uint8_t> data, DecodeHint) {
    const auto header = ReadHeader(data);
    if (!header) {
        return *header.Why();
    }
    if (!IsKnownLayout(*header)) {
        return Refusal::BadHeader;
    }
    const PcxHeader& h = *header;
    const std::uint64_t width = std::uint64_t{h.Xmax} - h.Xmin + 1;
    const std::uint64_t height = std::uint64_t{h.Ymax} - h.Ymin + 1;
    const std::uint64_t lineSize = std::uint64_t{h.NPlanes} * h.BytesPerLine;
    if (!FitsPixelBudget(width, height) || lineSize * height > kMaxPixelBytes) {
        return Refusal::TooLarge;
    }
    if (h.BytesPerLine < (width * h.BitsPerPixel + 7) / 8) {
        return Refusal::BadHeader;
    }
    std::span<const std::uint8_t> packed = data.subspan(kHeaderSize);
    std::span<const std::uint8_t> vgaPalette;
    if (h.BitsPerPixel == 8 && h.NPlanes == 1) {
        const auto tail =
            Slice(data, data.size() - std::min(data.size(), kVgaPaletteSize), kVgaPaletteSize);
        // The colours end the file: without their marker the file was cut short.
        if (data.size() < kHeaderSize + kVgaPaletteSize || !tail || (*tail)[0] != 0x0C) {
            return Refusal::Truncated;
        }
        vgaPalette = tail->subspan(1);
        packed = packed.first(packed.size() - kVgaPaletteSize);
    }
    const auto lines = Unpack(packed, lineSize * height);
    if (!lines) {
        return *lines.Why();
    }
    DecodedPicture picture;
    picture.width = picture.naturalWidth = static_cast<int>(width);
    picture.height = picture.naturalHeight = static_cast<int>(height);
    picture.argb.resize(width * height);
    for (std::uint64_t y = 0; y < height; ++y) {
        const std::uint8_t* line = lines->data() + y * lineSize;
        for (std::uint64_t x = 0; x < width; ++x) {
            picture.argb[y * width + x] = PixelAt(h, line, x, vgaPalette);
        }
    }
    return picture;
}

}  // namespace codecs
