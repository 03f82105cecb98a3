#include "image/ReplaceFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <optional>

#include "runtime/Owned.h"

namespace image {
namespace {

// A file descriptor; -1 holds nothing.
struct Fd {
    int fd = -1;
    explicit operator bool() const { return fd >= 0; }
};
void Close(Fd file) {
    ::close(file.fd);
}
using OwnedFd = runtime::Owned<Fd, Close>;

// Held while the target is replaced: an existing target must be writable and free, as it
// would have to be for writing it in place.
class TargetHold {
  public:
    explicit TargetHold(const runtime::Text& path)
        : file_(Fd{::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK)}) {
        free_ = file_ ? ::flock(file_.handle.fd, LOCK_EX | LOCK_NB) == 0 : errno == ENOENT;
    }
    bool Free() const { return free_; }

    // The permission bits the replacement gets: the target's own, or for a new file those
    // that creating it would have given.
    mode_t ModeForReplacement() const {
        struct stat status {};
        if (file_ && ::fstat(file_.handle.fd, &status) == 0) {
            return status.st_mode & 07777;
        }
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return 0666 & ~mask;
    }

  private:
    OwnedFd file_;
    bool free_ = false;
};

// The folder part of path, separator included; empty for a bare name.
runtime::Text FolderOf(const runtime::Text& path) {
    const auto slash = path.rfind('/');
    return slash == runtime::Text::npos ? runtime::Text{} : path.substr(0, slash + 1);
}

// A new, hidden file of our own in folder, with a name nobody can guess and no picture
// extension, so that one left behind by a killed process is never taken for a picture. Only
// the owner may open it until its mode is set.
struct Temporary {
    runtime::Text path;
    OwnedFd file;
};

std::optional<Temporary> CreateTemporary(const runtime::Text& folder) {
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    constexpr int kAttempts = 16;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        unsigned char noise[6];
        if (::getrandom(noise, sizeof noise, 0) != static_cast<ssize_t>(sizeof noise)) {
            return std::nullopt;
        }
        runtime::Text name = folder + ".tlv-";
        for (const unsigned char n : noise) {
            name += kLetters[n % (sizeof kLetters - 1)];
        }
        name += ".tmp";
        // O_EXCL never opens what is already there, a planted link included.
        const int fd =
            ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0) {
            return Temporary{std::move(name), OwnedFd(Fd{fd})};
        }
        if (errno != EEXIST) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

bool WriteAll(int fd, const runtime::Bytes& data) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Written, given its mode, on disk and closed: only then may it take the target's place.
bool Finish(Temporary& temporary, const runtime::Bytes& data, mode_t mode) {
    const int fd = temporary.file.handle.fd;
    return WriteAll(fd, data) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0 &&
           ::close(temporary.file.Take().fd) == 0;
}

}  // namespace

bool ReplaceFileWith(const runtime::Text& path, const runtime::Bytes& data) {
    if (path.empty()) {
        return false;
    }
    const TargetHold target(path);
    if (!target.Free()) {
        return false;
    }
    auto temporary = CreateTemporary(FolderOf(path));
    if (!temporary) {
        return false;
    }
    if (!Finish(*temporary, data, target.ModeForReplacement()) ||
        std::rename(temporary->path.c_str(), path.c_str()) != 0) {
        ::unlink(temporary->path.c_str());
        return false;
    }
    return true;
}

}  // namespace image
