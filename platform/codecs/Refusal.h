#pragma once

// Why a decoder gave no picture, so that a caller or a test can tell which guard refused.

#include <optional>
#include <utility>
#include <variant>

namespace codecs {

enum class Refusal {
    UnknownFormat,  // the leading bytes name no format this caller reads
    BadHeader,      // a header or directory field is malformed or contradicts another
    TooLarge,       // the picture would need more memory than the pixel budget allows
    Truncated,      // the data ends before what its header says lies in it
    BadData,        // the coded picture data is corrupt
};

const char* RefusalName(Refusal refusal);

// A value, or the refusal that stands in its place. Reads like std::optional.
template <typename T>
class OrRefusal {
  public:
    OrRefusal(T value) : value_(std::move(value)) {}
    OrRefusal(Refusal refusal) : value_(refusal) {}

    bool has_value() const { return std::holds_alternative<T>(value_); }
    explicit operator bool() const { return has_value(); }
    T& operator*() { return std::get<T>(value_); }
    const T& operator*() const { return std::get<T>(value_); }
    T* operator->() { return &std::get<T>(value_); }
    const T* operator->() const { return &std::get<T>(value_); }
    const T& value() const { return std::get<T>(value_); }

    // Nothing when there is a value.
    std::optional<Refusal> Why() const {
        return has_value() ? std::nullopt : std::optional(std::get<Refusal>(value_));
    }

  private:
    std::variant<T, Refusal> value_;
};

}  // namespace codecs
