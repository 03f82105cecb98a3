#pragma once

// Internal to the codecs: libtiff over a file held in memory, with its messages kept quiet
// and its allocations held to the pixel budget.

#include <tiffio.h>

#include <cstdint>
#include <vector>

#include "runtime/Owned.h"

namespace codecs {

struct TiffMemory {
    std::vector<std::uint8_t> bytes;  // the whole file
    std::uint64_t position = 0;
    bool readPastEnd = false;  // a read or seek went beyond the bytes: the file is cut short
};

using TiffHandle = runtime::Owned<TIFF*, TIFFClose>;

// mode is "r" or "w"; memory must outlive the handle.
TiffHandle OpenTiffInMemory(TiffMemory& memory, const char* mode);

}  // namespace codecs
