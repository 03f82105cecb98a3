#include "image/ReplaceFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "runtime/SystemServices.h"

namespace image {
namespace {

// Held while the target is replaced: an existing target must be writable and free, as it
// would have to be for writing it in place.
class TargetHold {
  public:
    explicit TargetHold(const runtime::Text& path)
        : fd_(::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK)) {
        free_ = fd_ >= 0 ? ::flock(fd_, LOCK_EX | LOCK_NB) == 0 : errno == ENOENT;
    }
    TargetHold(const TargetHold&) = delete;
    TargetHold& operator=(const TargetHold&) = delete;
    ~TargetHold() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    bool Free() const { return free_; }

  private:
    int fd_;
    bool free_ = false;
};

}  // namespace

bool ReplaceFileWith(const runtime::Text& path, const runtime::Bytes& data) {
    if (path.empty()) {
        return false;
    }
    const TargetHold target(path);
    if (!target.Free()) {
        return false;
    }
    const runtime::Text temporary = path + "." + std::to_string(::getpid()) + ".tmp";
    if (!runtime::WriteBytesToFile(temporary, data) ||
        std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace image
