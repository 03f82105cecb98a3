#include "app/SaveFileName.h"

#include "runtime/GbkScan.h"

namespace app {
namespace {

bool IsUnsafeInName(unsigned char byte) {
    return byte == '/' || byte == '\\' || byte < 0x20 || byte == 0x7F;
}

}  // namespace

runtime::Text SaveFileName(const runtime::Text& name) {
    runtime::Text safe = name;
    for (std::size_t at = 0; at < safe.size(); ++at) {
        if (runtime::gbk::IsDoubleByteAt(safe, at)) {
            ++at;  // the trail byte, even a "\", belongs to the character
        } else if (IsUnsafeInName(static_cast<unsigned char>(safe[at]))) {
            safe[at] = '_';
        }
    }
    return safe;
}

}  // namespace app
