// One libFuzzer target per decoder: FUZZ_DECODER names the decoder this build calls. Each
// input is also decoded the way a picture box asks for it, scaled to fit a small box.

#include <cstddef>
#include <cstdint>

#include "platform/codecs/Decoders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    codecs::FUZZ_DECODER(bytes, {});
    codecs::FUZZ_DECODER(bytes, {runtime::DisplayMode::kNaturalShrunkToFit, {37, 21}});
    return 0;
}
