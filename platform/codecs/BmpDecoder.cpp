// BMP by hand: the 14-byte file header here, the device-independent bitmap after it. Handles
// 1, 4, 8, 16, 24 and 32 bits, RLE4 and RLE8, bit-field masks, top-down and bottom-up rows.

#include <algorithm>
#include <array>
#include <bit>

#include "platform/codecs/Argb.h"
#include "platform/codecs/BmpFormat.h"
#include "platform/codecs/ByteReader.h"
#include "platform/codecs/Decoders.h"
#include "platform/codecs/Dib.h"
#include "platform/codecs/PixelBudget.h"

namespace codecs {
namespace {

struct DibHeader {
    std::uint32_t headerSize = 0;
    std::uint64_t width = 0;
    std::uint64_t height = 0;  // of the picture, without an icon's mask half
    bool topDown = false;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = BI_RGB;
    std::uint32_t colorsUsed = 0;
    std::array<std::uint32_t, 4> masks{};  // red, green, blue, alpha
    std::uint64_t masksSize = 0;           // mask bytes between a 40-byte header and the palette
};

OrRefusal<DibHeader> ReadCoreHeader(ByteReader& in) {
    DibHeader h;
    h.headerSize = kBitmapCoreHeaderSize;
    const auto width = in.U16(), height = in.U16();
    in.Skip(2);  // planes
    const auto bits = in.U16();
    if (!bits) {
        return Refusal::Truncated;
    }
    h.width = *width;
    h.height = *height;
    h.bitCount = *bits;
    return h;
}

OrRefusal<DibHeader> ReadInfoHeader(ByteReader& in, std::uint32_t headerSize) {
    DibHeader h;
    h.headerSize = headerSize;
    const auto width = in.I32(), height = in.I32();
    in.Skip(2);  // planes
    const auto bits = in.U16();
    const auto compression = in.U32();
    in.Skip(12);  // image size, resolution
    const auto clrUsed = in.U32();
    in.Skip(4);  // important colours
    if (!in.Ok()) {
        return Refusal::Truncated;
    }
    if (*width <= 0 || *height == 0) {
        return Refusal::BadHeader;
    }
    h.width = static_cast<std::uint64_t>(*width);
    h.topDown = *height < 0;
    h.height = h.topDown ? static_cast<std::uint64_t>(-std::int64_t{*height})
                         : static_cast<std::uint64_t>(*height);
    h.bitCount = *bits;
    h.compression = *compression;
    h.colorsUsed = *clrUsed;
    // Later headers hold the masks themselves, but they count only with bit-field compression.
    const bool masksInHeader = headerSize >= 52;
    const bool alphaInHeader = headerSize >= 56;
    if (h.compression == BI_BITFIELDS || h.compression == BI_ALPHABITFIELDS) {
        const std::size_t count = (h.compression == BI_ALPHABITFIELDS || alphaInHeader) ? 4 : 3;
        for (std::size_t i = 0; i < count; ++i) {
            const auto mask = in.U32();
            if (!mask) {
                return Refusal::Truncated;
            }
            h.masks[i] = *mask;
        }
        if (!masksInHeader) {
            h.masksSize = count * 4;
        }
    }
    return h;
}

OrRefusal<DibHeader> ReadDibHeader(ByteReader& in) {
    const auto size = in.U32();
    if (!size) {
        return Refusal::Truncated;
    }
    if (*size == kBitmapCoreHeaderSize) {
        return ReadCoreHeader(in);
    }
    if (*size < kBitmapInfoHeaderSize) {
        return Refusal::BadHeader;
    }
    if (*size > in.Remaining() + 4) {
        return Refusal::Truncated;
    }
    return ReadInfoHeader(in, *size);
}

bool HasKnownLayout(const DibHeader& h) {
    switch (h.compression) {
        case BI_RGB:
            return h.bitCount == 1 || h.bitCount == 4 || h.bitCount == 8 || h.bitCount == 16 ||
                   h.bitCount == 24 || h.bitCount == 32;
        case BI_RLE8:
            return h.bitCount == 8 && !h.topDown;
        case BI_RLE4:
            return h.bitCount == 4 && !h.topDown;
        case BI_BITFIELDS:
        case BI_ALPHABITFIELDS:
            return h.bitCount == 16 || h.bitCount == 32;
        default:
            return false;
    }
}

// Unused entries stay opaque black, so a stray index shows black instead of reading past the table.
using Palette = std::array<std::uint32_t, 256>;

std::optional<Palette> ReadPalette(ByteReader& in, const DibHeader& h, std::uint64_t entries) {
    Palette palette;
    palette.fill(kOpaque);
    const std::uint64_t entrySize = h.headerSize == kBitmapCoreHeaderSize ? 3 : 4;
    const auto table = in.Take(entries * entrySize);
    if (!table) {
        return std::nullopt;
    }
    const std::uint64_t used = std::min<std::uint64_t>(entries, palette.size());
    for (std::size_t i = 0; i < used; ++i) {
        const auto* e = table->data() + i * entrySize;
        palette[i] = PackOpaque(e[2], e[1], e[0]);
    }
    return palette;
}

std::uint64_t PaletteEntriesInFile(const DibHeader& h) {
    if (h.colorsUsed != 0) {
        return h.colorsUsed;
    }
    return h.bitCount <= 8 ? (std::uint64_t{1} << h.bitCount) : 0;
}

// One bit-field of a 16- or 32-bit pixel, widened to 8 bits.
class Channel {
  public:
    explicit Channel(std::uint32_t mask) : mask_(mask) {
        if (mask != 0) {
            shift_ = static_cast<unsigned>(std::countr_zero(mask));
            max_ = mask >> shift_;
        }
    }
    bool Present() const { return mask_ != 0; }
    std::uint32_t Read(std::uint32_t pixel) const {
        return max_ == 0 ? 0 : ((pixel & mask_) >> shift_) * 255 / max_;
    }

  private:
    std::uint32_t mask_;
    unsigned shift_ = 0;
    std::uint32_t max_ = 0;
};

struct Channels {
    Channel red, green, blue, alpha;
};

Channels ChannelsFor(const DibHeader& h, DibUse use) {
    if (h.masks[0] | h.masks[1] | h.masks[2]) {
        return {Channel(h.masks[0]), Channel(h.masks[1]), Channel(h.masks[2]), Channel(h.masks[3])};
    }
    if (h.bitCount == 16) {
        return {Channel(0x7C00), Channel(0x03E0), Channel(0x001F), Channel(0)};
    }
    // Icons keep alpha in the fourth byte; plain files leave it unused.
    return {Channel(0xFF0000), Channel(0xFF00), Channel(0xFF),
            Channel(use == DibUse::Icon ? 0xFF000000u : 0)};
}

std::uint32_t ReadPixel(const std::uint8_t* row, std::uint64_t x, const DibHeader& h,
                        const Palette& palette, const Channels& c) {
    switch (h.bitCount) {
        case 1:
            return palette[(row[x / 8] >> (7 - x % 8)) & 1];
        case 4:
            return palette[(row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0x0F];
        case 8:
            return palette[row[x]];
        case 24: {
            const auto* p = row + x * 3;
            return PackOpaque(p[2], p[1], p[0]);
        }
        default: {
            const auto* p = row + x * (h.bitCount / 8);
            std::uint32_t v = std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8);
            if (h.bitCount == 32) {
                v |= (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[3]} << 24);
            }
            const std::uint32_t a = c.alpha.Present() ? c.alpha.Read(v) : 255;
            return PackArgb(a, c.red.Read(v), c.green.Read(v), c.blue.Read(v));
        }
    }
}

bool DecodeRows(std::span<const std::uint8_t> pixels, const DibHeader& h, const Palette& palette,
                DibUse use, DecodedPicture& out) {
    const std::uint64_t stride = BmpRowStride(h.width, h.bitCount);
    const auto rows = Slice(pixels, 0, stride * h.height);
    if (!rows) {
        return false;
    }
    const Channels channels = ChannelsFor(h, use);
    for (std::uint64_t y = 0; y < h.height; ++y) {
        const std::uint64_t fileRow = h.topDown ? y : h.height - 1 - y;
        const std::uint8_t* row = rows->data() + fileRow * stride;
        std::uint32_t* target = out.argb.data() + y * h.width;
        for (std::uint64_t x = 0; x < h.width; ++x) {
            target[x] = ReadPixel(row, x, h, palette, channels);
        }
    }
    return true;
}

// Run-length rows count from the bottom; pixels the runs skip stay transparent.
bool DecodeRunLength(std::span<const std::uint8_t> pixels, const DibHeader& h,
                     const Palette& palette, DecodedPicture& out) {
    const bool nibbles = h.compression == BI_RLE4;
    ByteReader in(pixels);
    std::uint64_t x = 0, y = 0;
    auto put = [&](std::uint8_t index) {
        if (x < h.width && y < h.height) {
            out.argb[(h.height - 1 - y) * h.width + x] = palette[index];
        }
        ++x;
    };
    while (y < h.height) {
        const auto count = in.U8(), value = in.U8();
        if (!value) {
            return true;  // many writers leave out the end-of-bitmap mark
        }
        if (*count > 0) {
            for (unsigned i = 0; i < *count; ++i) {
                put(nibbles ? ((i % 2 == 0) ? *value >> 4 : *value & 0x0F) : *value);
            }
        } else if (*value == 0) {
            x = 0;
            ++y;
        } else if (*value == 1) {
            return true;
        } else if (*value == 2) {
            const auto dx = in.U8(), dy = in.U8();
            if (!dy) {
                return false;
            }
            x += *dx;
            y += *dy;
        } else {
            const unsigned n = *value;
            const auto literal = in.Take(nibbles ? (n + 1) / 2 : n);
            if (!literal) {
                return false;
            }
            for (unsigned i = 0; i < n; ++i) {
                const std::uint8_t b = (*literal)[nibbles ? i / 2 : i];
                put(nibbles ? ((i % 2 == 0) ? b >> 4 : b & 0x0F) : b);
            }
            // Literal runs are padded to a 16-bit boundary.
            if (literal->size() % 2 != 0 && !in.Skip(1)) {
                return false;
            }
        }
    }
    return true;
}

std::span<const std::uint8_t> Tail(std::span<const std::uint8_t> data, std::uint64_t offset) {
    return offset < data.size() ? data.subspan(static_cast<std::size_t>(offset))
                                : std::span<const std::uint8_t>{};
}

bool AllTransparent(const DecodedPicture& picture) {
    return std::all_of(picture.argb.begin(), picture.argb.end(),
                       [](std::uint32_t p) { return AlphaOf(p) == 0; });
}

// The AND mask of an icon: a set bit makes the pixel transparent. Entries whose 32-bit pixels
// carry alpha ignore it.
void ApplyIconMask(std::span<const std::uint8_t> after, const DibHeader& h, DecodedPicture& out) {
    const bool alphaChannel = h.bitCount == 32 && !AllTransparent(out);
    if (alphaChannel) {
        return;
    }
    for (auto& p : out.argb) {
        p |= kOpaque;
    }
    const std::uint64_t stride = BmpRowStride(h.width, 1);
    const auto mask = Slice(after, 0, stride * h.height);
    if (!mask) {
        return;  // a missing mask leaves the picture opaque
    }
    for (std::uint64_t y = 0; y < h.height; ++y) {
        const std::uint8_t* row = mask->data() + (h.height - 1 - y) * stride;
        for (std::uint64_t x = 0; x < h.width; ++x) {
            if ((row[x / 8] >> (7 - x % 8)) & 1) {
                out.argb[y * h.width + x] &= 0x00FFFFFFu;
            }
        }
    }
}

}  // namespace

DecodeResult DecodeDib(std::span<const std::uint8_t> dib, std::optional<std::uint64_t> pixelOffset,
                       DibUse use) {
    ByteReader in(dib);
    auto header = ReadDibHeader(in);
    if (!header) {
        return *header.Why();
    }
    if (!HasKnownLayout(*header)) {
        return Refusal::BadHeader;
    }
    DibHeader& h = *header;
    if (use == DibUse::Icon) {
        h.height /= 2;
    }
    if (!FitsPixelBudget(h.width, h.height)) {
        return Refusal::TooLarge;
    }
    if (!in.Seek(std::uint64_t{h.headerSize} + h.masksSize)) {
        return Refusal::Truncated;
    }
    const auto palette = ReadPalette(in, h, PaletteEntriesInFile(h));
    if (!palette) {
        return Refusal::Truncated;
    }
    const std::uint64_t start = pixelOffset.value_or(in.Position());
    if (start > dib.size()) {
        return Refusal::Truncated;
    }
    const auto pixels = dib.subspan(static_cast<std::size_t>(start));
    const bool runLength = h.compression == BI_RLE8 || h.compression == BI_RLE4;
    // Uncompressed rows must all be there before the picture is allocated.
    if (!runLength && BmpRowStride(h.width, h.bitCount) * h.height > pixels.size()) {
        return Refusal::Truncated;
    }
    DecodedPicture picture;
    picture.width = picture.naturalWidth = static_cast<int>(h.width);
    picture.height = picture.naturalHeight = static_cast<int>(h.height);
    picture.argb.assign(h.width * h.height, 0);
    if (runLength ? !DecodeRunLength(pixels, h, *palette, picture)
                  : !DecodeRows(pixels, h, *palette, use, picture)) {
        return Refusal::Truncated;
    }
    if (use == DibUse::Icon) {
        ApplyIconMask(Tail(pixels, BmpRowStride(h.width, h.bitCount) * h.height), h, picture);
    }
    return picture;
}

DecodeResult DecodeBmp(std::span<const std::uint8_t> data, DecodeHint) {
    ByteReader in(data);
    in.Skip(10);  // type, file size, reserved
    const auto offBits = in.U32();
    if (!offBits) {
        return Refusal::Truncated;
    }
    if (*offBits < kBmpFileHeaderSize) {
        return Refusal::BadHeader;
    }
    return DecodeDib(data.subspan(kBmpFileHeaderSize), *offBits - kBmpFileHeaderSize, DibUse::File);
}

}  // namespace codecs
