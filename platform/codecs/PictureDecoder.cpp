#include "platform/codecs/PictureDecoder.h"

#include <algorithm>
#include <array>

#include "platform/codecs/Decoders.h"

namespace codecs {
namespace {

using Sniff = bool (*)(std::span<const std::uint8_t>);
using Decode = std::optional<DecodedPicture> (*)(std::span<const std::uint8_t>, DecodeHint);

template <std::size_t N>
bool StartsWith(std::span<const std::uint8_t> data, const std::array<std::uint8_t, N>& magic) {
    return data.size() >= N && std::equal(magic.begin(), magic.end(), data.begin());
}

bool IsJpeg(std::span<const std::uint8_t> d) { return StartsWith(d, std::array<std::uint8_t, 3>{0xFF, 0xD8, 0xFF}); }
bool IsPng(std::span<const std::uint8_t> d) {
    return StartsWith(d, std::array<std::uint8_t, 8>{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A});
}
bool IsGif(std::span<const std::uint8_t> d) {
    return StartsWith(d, std::array<std::uint8_t, 6>{'G', 'I', 'F', '8', '7', 'a'}) ||
           StartsWith(d, std::array<std::uint8_t, 6>{'G', 'I', 'F', '8', '9', 'a'});
}
bool IsBmp(std::span<const std::uint8_t> d) { return StartsWith(d, std::array<std::uint8_t, 2>{'B', 'M'}); }
bool IsIcon(std::span<const std::uint8_t> d) { return StartsWith(d, std::array<std::uint8_t, 4>{0, 0, 1, 0}); }
bool IsCursor(std::span<const std::uint8_t> d) { return StartsWith(d, std::array<std::uint8_t, 4>{0, 0, 2, 0}); }
// Manufacturer 10, a known version, run-length encoding, a known bit depth.
bool IsPcx(std::span<const std::uint8_t> d) {
    return d.size() >= 4 && d[0] == 0x0A && d[1] <= 5 && d[1] != 1 && d[2] == 1 &&
           (d[3] == 1 || d[3] == 2 || d[3] == 4 || d[3] == 8);
}

struct FormatRow {
    PictureFormat format;
    Sniff sniff;
    Decode decode;
};

// FIXME: GIF, BMP, icon, cursor and PCX are recognised but not decoded yet; they show as "no
// picture" until their decoders are added here.
constexpr FormatRow kFormats[] = {
    {PictureFormat::Jpeg, IsJpeg, DecodeJpeg},   {PictureFormat::Png, IsPng, DecodePng},
    {PictureFormat::Gif, IsGif, nullptr},        {PictureFormat::Bmp, IsBmp, nullptr},
    {PictureFormat::Icon, IsIcon, nullptr},      {PictureFormat::Cursor, IsCursor, nullptr},
    {PictureFormat::Pcx, IsPcx, nullptr},
};

const FormatRow* FindRow(std::span<const std::uint8_t> data) {
    for (const FormatRow& row : kFormats) {
        if (row.sniff(data)) {
            return &row;
        }
    }
    return nullptr;
}

}  // namespace

std::optional<PictureFormat> SniffPictureFormat(std::span<const std::uint8_t> data) {
    const FormatRow* row = FindRow(data);
    return row ? std::optional(row->format) : std::nullopt;
}

std::optional<DecodedPicture> DecodePicture(std::span<const std::uint8_t> data, DecodeHint hint) {
    if (data.size() < 8) {
        return std::nullopt;
    }
    const FormatRow* row = FindRow(data);
    if (row == nullptr || row->decode == nullptr) {
        return std::nullopt;
    }
    return row->decode(data, hint);
}

}  // namespace codecs
