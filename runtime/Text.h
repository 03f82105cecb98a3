#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace runtime {

// A GBK (code page 936) byte string. Lengths and positions count bytes; positions are 1-based.
using Text = std::string;
// A counted byte array that may be empty.
using Bytes = std::vector<std::uint8_t>;
using TextArray = std::vector<Text>;

inline constexpr int kNotFound = -1;

}  // namespace runtime
