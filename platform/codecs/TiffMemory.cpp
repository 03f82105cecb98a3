#include "platform/codecs/TiffMemory.h"

#include <algorithm>
#include <cstring>

#include "platform/codecs/PixelBudget.h"

namespace codecs {
namespace {

TiffMemory& MemoryOf(thandle_t handle) {
    return *static_cast<TiffMemory*>(handle);
}

tmsize_t Read(thandle_t handle, void* buffer, tmsize_t size) {
    TiffMemory& m = MemoryOf(handle);
    if (size < 0) {
        return 0;
    }
    const std::uint64_t left = m.position < m.bytes.size() ? m.bytes.size() - m.position : 0;
    const auto n = std::min<std::uint64_t>(static_cast<std::uint64_t>(size), left);
    m.readPastEnd |= n < static_cast<std::uint64_t>(size);
    if (n > 0) {
        std::memcpy(buffer, m.bytes.data() + m.position, static_cast<std::size_t>(n));
    }
    m.position += n;
    return static_cast<tmsize_t>(n);
}

tmsize_t Write(thandle_t handle, void* buffer, tmsize_t size) {
    TiffMemory& m = MemoryOf(handle);
    const auto n = static_cast<std::uint64_t>(std::max<tmsize_t>(size, 0));
    if (m.position + n > kMaxPixelBytes * 2) {
        return -1;
    }
    if (m.position + n > m.bytes.size()) {
        m.bytes.resize(static_cast<std::size_t>(m.position + n));
    }
    std::memcpy(m.bytes.data() + m.position, buffer, static_cast<std::size_t>(n));
    m.position += n;
    return static_cast<tmsize_t>(n);
}

toff_t Seek(thandle_t handle, toff_t offset, int whence) {
    TiffMemory& m = MemoryOf(handle);
    const std::uint64_t base = whence == SEEK_CUR   ? m.position
                               : whence == SEEK_END ? m.bytes.size()
                                                    : 0;
    // Unsigned arithmetic: a backward seek wraps round to its target.
    const std::uint64_t target = base + offset;
    m.readPastEnd |= target > m.bytes.size();
    if (target > kMaxPixelBytes * 2) {
        return static_cast<toff_t>(-1);
    }
    m.position = target;
    return target;
}

int Close(thandle_t) {
    return 0;
}
toff_t Size(thandle_t handle) {
    return MemoryOf(handle).bytes.size();
}
int Map(thandle_t, void**, toff_t*) {
    return 0;
}
void Unmap(thandle_t, void*, toff_t) {}

int Quiet(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

}  // namespace

TiffHandle OpenTiffInMemory(TiffMemory& memory, const char* mode) {
    const runtime::Owned<TIFFOpenOptions*, TIFFOpenOptionsFree> options(TIFFOpenOptionsAlloc());
    if (!options) {
        return {};
    }
    TIFFOpenOptionsSetMaxSingleMemAlloc(options.handle, static_cast<tmsize_t>(kMaxPixelBytes));
    TIFFOpenOptionsSetErrorHandlerExtR(options.handle, Quiet, nullptr);
    TIFFOpenOptionsSetWarningHandlerExtR(options.handle, Quiet, nullptr);
    return TiffHandle(TIFFClientOpenExt("memory", mode, &memory, Read, Write, Seek, Close, Size,
                                        Map, Unmap, options.handle));
}

}  // namespace codecs
