#pragma once

#include "platform/GdiplusApi.h"
#include "runtime/Text.h"

namespace image {

// Re-encodes the picture in source with the encoder that format selects (1 BMP, 2 JPEG, 3 GIF,
// 4 TIFF, 5 PNG). On success encoded, when given, receives the new bytes and, when path is not
// blank, they are written to path, with the format's extension appended unless path already
// ends in it. True when encoding produced data, even if the file could not be written.
// With whiteBackground the picture is first composed over white.
bool ConvertImage(const runtime::Bytes& source, int format, const runtime::Text& path = {},
                  runtime::Bytes* encoded = nullptr, bool whiteBackground = false);

// The file ConvertImage writes for path: path itself when it already ends in the format's
// extension (ASCII case aside), otherwise path with the extension after it.
runtime::Text ConvertedFileName(const runtime::Text& path, int format);

// The CLSID written in text, parsed by the platform; all zeros when it does not parse.
CLSID ClsidFromText(const runtime::Text& text);

}  // namespace image
