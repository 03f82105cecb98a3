#include "platform/codecs/PictureDecoder.h"

#include <algorithm>
#include <array>

#include "platform/codecs/Decoders.h"

namespace codecs {
namespace {

using Sniff = bool (*)(std::span<const std::uint8_t>);
using Decode = DecodeResult (*)(std::span<const std::uint8_t>, DecodeHint);

template <std::size_t N>
bool StartsWith(std::span<const std::uint8_t> data, const std::array<std::uint8_t, N>& magic) {
    return data.size() >= N && std::equal(magic.begin(), magic.end(), data.begin());
}

bool IsJpeg(std::span<const std::uint8_t> d) {
    return StartsWith(d, std::array<std::uint8_t, 3>{0xFF, 0xD8, 0xFF});
}
bool IsGif(std::span<const std::uint8_t> d) {
    return StartsWith(d, std::array<std::uint8_t, 6>{'G', 'I', 'F', '8', '7', 'a'}) ||
           StartsWith(d, std::array<std::uint8_t, 6>{'G', 'I', 'F', '8', '9', 'a'});
}
bool IsBmp(std::span<const std::uint8_t> d) {
    return StartsWith(d, std::array<std::uint8_t, 2>{'B', 'M'});
}
bool IsIcon(std::span<const std::uint8_t> d) {
    return StartsWith(d, std::array<std::uint8_t, 4>{0, 0, 1, 0});
}
bool IsCursor(std::span<const std::uint8_t> d) {
    return StartsWith(d, std::array<std::uint8_t, 4>{0, 0, 2, 0});
}
// Manufacturer 10, a known version, run-length encoding, a known bit depth.
bool IsPcx(std::span<const std::uint8_t> d) {
    return d.size() >= 4 && d[0] == 0x0A && d[1] <= 5 && d[1] != 1 && d[2] == 1 &&
           (d[3] == 1 || d[3] == 2 || d[3] == 4 || d[3] == 8);
}

bool IsTiff(std::span<const std::uint8_t> d) {
    return StartsWith(d, std::array<std::uint8_t, 4>{'I', 'I', 42, 0}) ||
           StartsWith(d, std::array<std::uint8_t, 4>{'M', 'M', 0, 42});
}

struct FormatRow {
    Sniff sniff;
    Decode decode;
    bool inPictureBox;
};

constexpr FormatRow kFormats[] = {
    {IsJpeg, DecodeJpeg, true}, {IsPng, DecodePng, true},    {IsGif, DecodeGif, true},
    {IsBmp, DecodeBmp, true},   {IsIcon, DecodeIcon, true},  {IsCursor, DecodeIcon, true},
    {IsPcx, DecodePcx, true},   {IsTiff, DecodeTiff, false},
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

const char* RefusalName(Refusal refusal) {
    switch (refusal) {
        case Refusal::UnknownFormat:
            return "unknown format";
        case Refusal::BadHeader:
            return "bad header";
        case Refusal::TooLarge:
            return "too large";
        case Refusal::Truncated:
            return "truncated";
        case Refusal::BadData:
            return "bad data";
    }
    return "?";
}

DecodeResult DecodePicture(std::span<const std::uint8_t> data, DecodeHint hint) {
    const FormatRow* row = FindRow(data);
    if (row == nullptr || !row->inPictureBox) {
        return Refusal::UnknownFormat;
    }
    if (data.size() < 8) {
        return Refusal::Truncated;
    }
    return row->decode(data, hint);
}

DecodeResult DecodeForConversion(std::span<const std::uint8_t> data) {
    const FormatRow* row = FindRow(data);
    return row ? row->decode(data, {}) : Refusal::UnknownFormat;
}

}  // namespace codecs
