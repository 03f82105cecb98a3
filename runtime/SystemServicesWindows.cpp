// System services on Windows.

#include <windows.h>

#include <algorithm>

#include "runtime/Owned.h"
#include "runtime/SystemServices.h"

namespace runtime {
namespace {

void CloseFile(HANDLE file) {
    CloseHandle(file);
}

// CreateFileA reports failure as INVALID_HANDLE_VALUE, the holder's empty value is null.
HANDLE NullIfInvalid(HANDLE file) {
    return file == INVALID_HANDLE_VALUE ? nullptr : file;
}

bool WriteAll(HANDLE file, const Bytes& data) {
    std::size_t written = 0;
    while (written < data.size()) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(data.size() - written, std::size_t{1} << 30));
        DWORD n = 0;
        if (!WriteFile(file, data.data() + written, chunk, &n, nullptr) || n == 0) {
            return false;
        }
        written += n;
    }
    return true;
}

}  // namespace

Text RunDirectory() {
    Text path(MAX_PATH, '\0');
    for (;;) {
        const DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) {
            return {};
        }
        if (n < path.size()) {
            path.resize(n);
            return path.substr(0, path.rfind('\\'));
        }
        path.resize(path.size() * 2);  // cut short: try again with room to spare
    }
}

bool WriteBytesToFile(const Text& path, const Bytes& data) {
    if (path.empty()) {
        return false;
    }
    // Share mode 0: no other handle may read or write the file while it is written. Truncating
    // only once it is held keeps a file that another writer holds intact.
    Owned<HANDLE, CloseFile> file(NullIfInvalid(CreateFileA(
        path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)));
    if (!file || !SetEndOfFile(file.handle) || !WriteAll(file.handle, data)) {
        return false;
    }
    return CloseHandle(file.Take()) != FALSE;
}

int UptimeMs() {
    return static_cast<int>(GetTickCount());
}

}  // namespace runtime
