#pragma once

// Internal to the decoders: every read of untrusted bytes goes through this reader, which never
// reads past the end. A failed read makes every later read fail too, so a run of reads needs
// only its last result checked.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace codecs {

// The part [offset, offset + size) of data, or nothing when it does not lie wholly inside.
inline std::optional<std::span<const std::uint8_t>> Slice(std::span<const std::uint8_t> data,
                                                          std::uint64_t offset,
                                                          std::uint64_t size) {
    if (offset > data.size() || size > data.size() - offset) {
        return std::nullopt;
    }
    return data.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(size));
}

class ByteReader {
  public:
    explicit ByteReader(std::span<const std::uint8_t> data) : data_(data) {}

    std::size_t Position() const { return position_; }
    std::size_t Remaining() const { return data_.size() - position_; }

    bool Ok() const { return !failed_; }

    bool Seek(std::uint64_t offset) {
        if (failed_ || offset > data_.size()) {
            failed_ = true;
            return false;
        }
        position_ = static_cast<std::size_t>(offset);
        return true;
    }
    bool Skip(std::uint64_t count) {
        if (count > Remaining()) {
            failed_ = true;
            return false;
        }
        return Seek(position_ + static_cast<std::size_t>(count));
    }

    std::optional<std::span<const std::uint8_t>> Take(std::uint64_t count) {
        auto part = failed_ ? std::nullopt : Slice(data_, position_, count);
        if (part) {
            position_ += part->size();
        } else {
            failed_ = true;
        }
        return part;
    }

    std::optional<std::uint8_t> U8() { return Little<std::uint8_t>(); }
    std::optional<std::uint16_t> U16() { return Little<std::uint16_t>(); }
    std::optional<std::uint32_t> U32() { return Little<std::uint32_t>(); }
    std::optional<std::int32_t> I32() {
        const auto value = U32();
        return value ? std::optional(static_cast<std::int32_t>(*value)) : std::nullopt;
    }

  private:
    template <typename T>
    std::optional<T> Little() {
        const auto bytes = Take(sizeof(T));
        if (!bytes) {
            return std::nullopt;
        }
        T value = 0;
        for (std::size_t i = sizeof(T); i-- > 0;) {
            value = static_cast<T>((value << 8) | (*bytes)[i]);
        }
        return value;
    }

    std::span<const std::uint8_t> data_;
    std::size_t position_ = 0;
    bool failed_ = false;
};

}  // namespace codecs
