// ConvertImage over the whole stand-in: the first byte picks the format and the background,
// the rest is the picture.

#include <cstddef>
#include <cstdint>

#include "image/ConvertImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    const runtime::Bytes source(data + 1, data + size);
    runtime::Bytes encoded;
    image::ConvertImage(source, data[0] % 7, {}, &encoded, (data[0] & 0x80) != 0);
    return 0;
}
