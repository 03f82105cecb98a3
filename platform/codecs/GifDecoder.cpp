// GIF through giflib: the first frame, placed on the logical screen, with its transparent
// colour. giflib reports errors by return value, so no long jumps are involved.

#include <gif_lib.h>

#include <algorithm>
#include <cstring>

#include "platform/codecs/Argb.h"
#include "platform/codecs/ByteReader.h"
#include "platform/codecs/Decoders.h"
#include "platform/codecs/PixelBudget.h"
#include "runtime/Owned.h"

namespace codecs {
namespace {

struct MemoryInput {
    ByteReader reader;
    bool readPastEnd = false;  // giflib asked for more than was left: the file is cut short
};

int ReadFromMemory(GifFileType* gif, GifByteType* buffer, int size) {
    auto* input = static_cast<MemoryInput*>(gif->UserData);
    const auto n = std::min<std::size_t>(static_cast<std::size_t>(std::max(size, 0)),
                                         input->reader.Remaining());
    input->readPastEnd |= n < static_cast<std::size_t>(std::max(size, 0));
    const auto bytes = input->reader.Take(n);
    std::memcpy(buffer, bytes->data(), n);
    return static_cast<int>(n);
}

void CloseReader(GifFileType* gif) {
    int error = 0;
    DGifCloseFile(gif, &error);
}

// The input outlives the library's handle to it.
class GifReader {
  public:
    explicit GifReader(std::span<const std::uint8_t> data) : input_{ByteReader(data)} {
        int error = 0;
        gif_.Reset(DGifOpen(&input_, ReadFromMemory, &error));
    }
    GifFileType* get() const { return gif_.handle; }
    // The reason for a failed step; `otherwise` names the step.
    Refusal RefusalFor(Refusal otherwise) const {
        return input_.readPastEnd ? Refusal::Truncated : otherwise;
    }

  private:
    MemoryInput input_;
    runtime::Owned<GifFileType*, CloseReader> gif_;
};

// Reads records up to the first image descriptor, keeping the transparent index of the
// graphic control block that precedes it.
bool SkipToFirstImage(GifFileType* gif, int& transparentIndex) {
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif, &type) != GIF_OK) {
            return false;
        }
        if (type == IMAGE_DESC_RECORD_TYPE) {
            return DGifGetImageDesc(gif) == GIF_OK;
        }
        if (type != EXTENSION_RECORD_TYPE) {
            return false;  // the terminator before any image
        }
        int code = 0;
        GifByteType* block = nullptr;
        if (DGifGetExtension(gif, &code, &block) != GIF_OK) {
            return false;
        }
        GraphicsControlBlock control{};
        if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr &&
            DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK) {
            transparentIndex = control.TransparentColor;
        }
        while (block != nullptr) {
            if (DGifGetExtensionNext(gif, &block) != GIF_OK) {
                return false;
            }
        }
    }
}

// Interlaced frames arrive in four passes: every 8th row from 0, every 8th from 4, every 4th
// from 2, every 2nd from 1.
std::vector<int> RowOrder(int height, bool interlaced) {
    std::vector<int> rows;
    rows.reserve(static_cast<std::size_t>(height));
    if (!interlaced) {
        for (int y = 0; y < height; ++y) {
            rows.push_back(y);
        }
        return rows;
    }
    constexpr int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        for (int y = kStart[pass]; y < height; y += kStep[pass]) {
            rows.push_back(y);
        }
    }
    return rows;
}

}  // namespace

DecodeResult DecodeGif(std::span<const std::uint8_t> data, DecodeHint) {
    GifReader reader(data);
    GifFileType* gif = reader.get();
    int transparentIndex = NO_TRANSPARENT_COLOR;
    if (gif == nullptr || !SkipToFirstImage(gif, transparentIndex)) {
        return reader.RefusalFor(Refusal::BadHeader);
    }
    const GifImageDesc& frame = gif->Image;
    const ColorMapObject* colors = frame.ColorMap != nullptr ? frame.ColorMap : gif->SColorMap;
    // A screen smaller than its frame grows to hold it, as viewers do.
    const std::int64_t right = std::int64_t{frame.Left} + frame.Width;
    const std::int64_t bottom = std::int64_t{frame.Top} + frame.Height;
    const std::int64_t width = std::max<std::int64_t>(gif->SWidth, right);
    const std::int64_t height = std::max<std::int64_t>(gif->SHeight, bottom);
    if (colors == nullptr || frame.Width <= 0 || frame.Height <= 0) {
        return Refusal::BadHeader;
    }
    if (!FitsPixelBudget(static_cast<std::uint64_t>(width), static_cast<std::uint64_t>(height))) {
        return Refusal::TooLarge;
    }
    DecodedPicture picture;
    picture.width = picture.naturalWidth = static_cast<int>(width);
    picture.height = picture.naturalHeight = static_cast<int>(height);
    picture.argb.assign(static_cast<std::size_t>(width * height), 0);
    std::vector<GifPixelType> line(static_cast<std::size_t>(frame.Width));
    for (const int y : RowOrder(frame.Height, frame.Interlace)) {
        if (DGifGetLine(gif, line.data(), frame.Width) != GIF_OK) {
            return reader.RefusalFor(Refusal::BadData);
        }
        std::uint32_t* target =
            picture.argb.data() + static_cast<std::size_t>((frame.Top + y) * width + frame.Left);
        for (int x = 0; x < frame.Width; ++x) {
            const int index = line[static_cast<std::size_t>(x)];
            if (index == transparentIndex) {
                continue;
            }
            // An index past the colour map shows black rather than reading past it.
            const GifColorType c =
                index < colors->ColorCount ? colors->Colors[index] : GifColorType{0, 0, 0};
            target[x] = PackOpaque(c.Red, c.Green, c.Blue);
        }
    }
    return picture;
}

}  // namespace codecs
