// TIFF through libtiff: one LZW-compressed image, 8 bits per sample, RGB or, for pictures with
// transparency, RGB with unassociated alpha.

#include "platform/codecs/Argb.h"
#include "platform/codecs/Encoders.h"
#include "platform/codecs/TiffMemory.h"

namespace codecs {
namespace {

bool SetFields(TIFF* tiff, const DecodedPicture& picture, bool alpha) {
    const std::uint16_t samples = alpha ? 4 : 3;
    bool ok = TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, std::uint32_t(picture.width)) == 1 &&
              TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, std::uint32_t(picture.height)) == 1 &&
              TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, samples) == 1 &&
              TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8) == 1 &&
              TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB) == 1 &&
              TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) == 1 &&
              TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_LZW) == 1 &&
              TIFFSetField(tiff, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT) == 1 &&
              TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tiff, 0)) == 1;
    if (ok && alpha) {
        const std::uint16_t extra[] = {EXTRASAMPLE_UNASSALPHA};
        ok = TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, extra) == 1;
    }
    return ok;
}

bool WriteRows(TIFF* tiff, const DecodedPicture& picture, bool alpha) {
    const std::size_t samples = alpha ? 4 : 3;
    std::vector<std::uint8_t> line(std::size_t(picture.width) * samples);
    for (int y = 0; y < picture.height; ++y) {
        const std::uint32_t* row = picture.argb.data() + std::size_t(y) * picture.width;
        for (std::size_t x = 0; x < std::size_t(picture.width); ++x) {
            std::uint8_t* out = line.data() + x * samples;
            out[0] = RedOf(row[x]);
            out[1] = GreenOf(row[x]);
            out[2] = BlueOf(row[x]);
            if (alpha) {
                out[3] = AlphaOf(row[x]);
            }
        }
        if (TIFFWriteScanline(tiff, line.data(), static_cast<std::uint32_t>(y), 0) != 1) {
            return false;
        }
    }
    return true;
}

}  // namespace

EncodedBytes EncodeTiff(const DecodedPicture& picture) {
    TiffMemory memory;
    TiffHandle tiff = OpenTiffInMemory(memory, "w");
    const bool alpha = HasTransparency(picture);
    if (!tiff || !SetFields(tiff.handle, picture, alpha) ||
        !WriteRows(tiff.handle, picture, alpha) || TIFFWriteDirectory(tiff.handle) != 1) {
        return std::nullopt;
    }
    tiff.Reset();
    return std::move(memory.bytes);
}

}  // namespace codecs
