#pragma once

// QR-code pictures for the demo picture store: a JPEG showing the code of a text.

#include <cstdint>
#include <string>
#include <vector>

std::vector<std::uint8_t> QrJpeg(const std::string& text, int moduleSize);
