// System services on Linux.

#include "runtime/SystemServices.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <ctime>

namespace runtime {
namespace {

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

bool WriteAll(int fd, const Bytes& data) {
    std::size_t written = 0;
    while (written < data.size()) {
        const ssize_t n = ::write(fd, data.data() + written, data.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

Text RunDirectory() {
    Text path(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= path.size()) {
        return {};
    }
    path.resize(static_cast<std::size_t>(n));
    return path.substr(0, path.rfind('/'));
}

bool WriteBytesToFile(const Text& path, const Bytes& data) {
    if (path.empty()) {
        return false;
    }
    // Truncating only once the lock is held keeps a file that another writer holds intact.
    FileDescriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
    if (file.get() < 0 || ::flock(file.get(), LOCK_EX | LOCK_NB) != 0 ||
        ::ftruncate(file.get(), 0) != 0) {
        return false;
    }
    return WriteAll(file.get(), data) && file.Close();
}

int UptimeMs() {
    timespec now{};
    ::clock_gettime(CLOCK_BOOTTIME, &now);
    const auto ms = static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                    static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<int>(static_cast<std::uint32_t>(ms));
}

}  // namespace runtime
