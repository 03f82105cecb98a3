#include "tests/platform/codecs/PictureBuilders.h"

#include <png.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include <jpeglib.h>

namespace testing_pictures {

LittleEndian& LittleEndian::U8(std::uint32_t v) {
    bytes.push_back(static_cast<std::uint8_t>(v));
    return *this;
}
LittleEndian& LittleEndian::U16(std::uint32_t v) {
    return U8(v).U8(v >> 8);
}
LittleEndian& LittleEndian::U32(std::uint32_t v) {
    return U16(v).U16(v >> 16);
}
LittleEndian& LittleEndian::Append(const Bytes& more) {
    bytes.insert(bytes.end(), more.begin(), more.end());
    return *this;
}

Bytes Dib(const DibLayout& layout) {
    LittleEndian w;
    w.U32(40)
        .U32(static_cast<std::uint32_t>(layout.width))
        .U32(static_cast<std::uint32_t>(layout.height));
    w.U16(1).U16(static_cast<std::uint32_t>(layout.bits)).U32(layout.compression);
    w.U32(static_cast<std::uint32_t>(layout.pixels.size())).U32(0).U32(0);
    w.U32(static_cast<std::uint32_t>(layout.palette.size())).U32(0);
    for (const auto mask : layout.masks) {
        w.U32(mask);
    }
    for (const auto colour : layout.palette) {
        w.U32(colour);
    }
    return w.Append(layout.pixels).bytes;
}

Bytes BmpFile(const DibLayout& layout) {
    const Bytes dib = Dib(layout);
    const std::uint32_t pixelOffset =
        14 + static_cast<std::uint32_t>(dib.size() - layout.pixels.size());
    LittleEndian w;
    w.U8('B').U8('M').U32(static_cast<std::uint32_t>(14 + dib.size())).U32(0).U32(pixelOffset);
    return w.Append(dib).bytes;
}

IconEntry IconEntryFromBmp(const Bytes& bmp) {
    Bytes dib(bmp.begin() + 14, bmp.end());
    auto field = [&](std::size_t at) {
        return std::int32_t(dib[at] | dib[at + 1] << 8 | dib[at + 2] << 16 | dib[at + 3] << 24);
    };
    const std::int32_t width = field(4), height = field(8), bits = dib[14];
    LittleEndian doubled;
    doubled.U32(static_cast<std::uint32_t>(2 * height));
    std::copy(doubled.bytes.begin(), doubled.bytes.end(), dib.begin() + 8);
    dib.resize(dib.size() + std::size_t((width + 31) / 32 * 4) * std::size_t(height), 0);
    return {width, height, bits, dib};
}

Bytes IconFile(const std::vector<IconEntry>& entries, int type) {
    LittleEndian w;
    w.U16(0).U16(static_cast<std::uint32_t>(type)).U16(static_cast<std::uint32_t>(entries.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(entries.size());
    for (const auto& e : entries) {
        w.U8(e.width % 256)
            .U8(e.height % 256)
            .U8(0)
            .U8(0)
            .U16(1)
            .U16(static_cast<std::uint32_t>(e.bits));
        w.U32(static_cast<std::uint32_t>(e.image.size())).U32(offset);
        offset += static_cast<std::uint32_t>(e.image.size());
    }
    for (const auto& e : entries) {
        w.Append(e.image);
    }
    return w.bytes;
}

Bytes Png(int width, int height, const Painter& paint) {
    std::vector<std::uint32_t> pixels(std::size_t(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels[std::size_t(y) * width + x] = paint(x, y);
        }
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(width);
    image.height = png_uint_32(height);
    image.format = PNG_FORMAT_BGRA;
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr);
    Bytes out(size);
    png_image_write_to_memory(&image, out.data(), &size, 0, pixels.data(), 0, nullptr);
    out.resize(size);
    return out;
}

Bytes Jpeg(int width, int height, const Painter& paint, bool progressive) {
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    if (progressive) {
        jpeg_simple_progression(&info);
    }
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(std::size_t(width) * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t argb = paint(x, y);
            row[3 * x] = (argb >> 16) & 0xFF;
            row[3 * x + 1] = (argb >> 8) & 0xFF;
            row[3 * x + 2] = argb & 0xFF;
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    Bytes out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

codecs::DecodedPicture Gradient(int width, int height, std::uint8_t alpha) {
    codecs::DecodedPicture p;
    p.width = p.naturalWidth = width;
    p.height = p.naturalHeight = height;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t r = static_cast<std::uint32_t>(x * 255 / std::max(1, width - 1));
            const std::uint32_t g = static_cast<std::uint32_t>(y * 255 / std::max(1, height - 1));
            const std::uint32_t b =
                static_cast<std::uint32_t>((x + y) * 255 / std::max(1, width + height - 2));
            p.argb.push_back((std::uint32_t{alpha} << 24) | (r << 16) | (g << 8) | b);
        }
    }
    return p;
}

std::vector<std::uint32_t> PpmPixels(const Bytes& ppm, int& width, int& height) {
    std::string text(ppm.begin(), ppm.end());
    std::istringstream in(text);
    std::string magic;
    int maxValue = 0;
    in >> magic >> width >> height >> maxValue;
    if (magic != "P6" || maxValue != 255 || width <= 0 || height <= 0) {
        return {};
    }
    const std::size_t start = static_cast<std::size_t>(in.tellg()) + 1;
    if (ppm.size() < start + std::size_t(width) * height * 3) {
        return {};
    }
    std::vector<std::uint32_t> pixels;
    for (std::size_t i = 0; i < std::size_t(width) * height; ++i) {
        const std::uint8_t* p = ppm.data() + start + 3 * i;
        pixels.push_back(0xFF000000u | (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) |
                         p[2]);
    }
    return pixels;
}

Bytes PpmFile(const codecs::DecodedPicture& picture) {
    const std::string head =
        "P6\n" + std::to_string(picture.width) + " " + std::to_string(picture.height) + "\n255\n";
    Bytes out(head.begin(), head.end());
    for (const auto p : picture.argb) {
        out.push_back(static_cast<std::uint8_t>(p >> 16));
        out.push_back(static_cast<std::uint8_t>(p >> 8));
        out.push_back(static_cast<std::uint8_t>(p));
    }
    return out;
}

std::string WhyRefused(const codecs::DecodeResult& result) {
    return result ? "picture" : codecs::RefusalName(*result.Why());
}

std::optional<Bytes> RunTool(const std::string& command, const Bytes& input) {
    char inputName[] = "/tmp/tolvane-tool-input-XXXXXX";
    const int fd = ::mkstemp(inputName);
    if (fd < 0) {
        return std::nullopt;
    }
    const bool written =
        ::write(fd, input.data(), input.size()) == static_cast<ssize_t>(input.size());
    ::close(fd);
    std::optional<Bytes> output;
    if (written) {
        const std::string full = "(" + command + ") < " + inputName + " 2>/dev/null";
        if (FILE* pipe = ::popen(full.c_str(), "r")) {
            Bytes out;
            std::uint8_t buffer[4096];
            std::size_t n = 0;
            while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
                out.insert(out.end(), buffer, buffer + n);
            }
            if (::pclose(pipe) == 0) {
                output = std::move(out);
            }
        }
    }
    ::unlink(inputName);
    return output;
}

bool HaveTool(const std::string& name) {
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

}  // namespace testing_pictures
