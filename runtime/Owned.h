#pragma once

// One ownership idiom for the platform's handles: the holder releases what it holds, if
// anything, when it goes out of scope, so no path frees by hand. `Release` is a function taking
// the handle; a null (value-initialised) handle is never released.

#include <utility>

namespace runtime {

template <typename Handle, auto Release>
class Owned {
  public:
    Owned() = default;
    explicit Owned(Handle handle) : handle(handle) {}
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : handle(std::exchange(other.handle, Handle{})) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) {
            Reset(std::exchange(other.handle, Handle{}));
        }
        return *this;
    }
    ~Owned() { Reset(); }

    // Releases the current handle, if any, and takes `replacement`.
    void Reset(Handle replacement = Handle{}) {
        if (handle) {
            Release(handle);
        }
        handle = replacement;
    }
    // Gives the handle up without releasing it.
    Handle Take() { return std::exchange(handle, Handle{}); }
    explicit operator bool() const { return static_cast<bool>(handle); }

    Handle handle{};
};

}  // namespace runtime
