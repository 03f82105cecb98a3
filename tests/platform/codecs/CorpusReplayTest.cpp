// The kept files: malformed pictures that must be refused for their fault, and the fuzzing corpus
// (seeds and every input that once crashed), replayed through the decoders without libFuzzer.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/codecs/PictureDecoder.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

Bytes ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

std::vector<fs::path> FilesUnder(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files.push_back(entry.path());
        }
    }
    return files;
}

// Each kept file is refused for the fault it is named after, so a guard that stops working
// shows here even when a later one happens to refuse the file instead.
TEST(MalformedPicturesTest, RefusedForTheirFault) {
    using codecs::Refusal;
    const struct {
        const char* file;
        Refusal why;
    } cases[] = {
        {"bmp/header-past-end.bmp", Refusal::Truncated},
        {"bmp/huge.bmp", Refusal::TooLarge},
        {"bmp/offset-past-end.bmp", Refusal::Truncated},
        {"bmp/truncated.bmp", Refusal::Truncated},
        {"gif/huge.gif", Refusal::TooLarge},
        {"gif/no-colours.gif", Refusal::BadHeader},
        {"gif/no-image.gif", Refusal::BadHeader},
        {"gif/truncated.gif", Refusal::Truncated},
        {"icon/many-entries.ico", Refusal::Truncated},
        {"icon/offset-past-end.ico", Refusal::Truncated},
        {"icon/overflowing-size.ico", Refusal::Truncated},
        {"icon/truncated.ico", Refusal::Truncated},
        {"jpeg/header-only.jpg", Refusal::Truncated},
        {"jpeg/huge.jpg", Refusal::TooLarge},
        {"jpeg/truncated.jpg", Refusal::Truncated},
        {"jpeg/zero-size.jpg", Refusal::BadHeader},
        {"pcx/header-only.pcx", Refusal::Truncated},
        {"pcx/huge.pcx", Refusal::TooLarge},
        {"pcx/lines-too-short.pcx", Refusal::BadHeader},
        {"pcx/truncated.pcx", Refusal::Truncated},
        {"png/bad-crc.png", Refusal::BadHeader},
        {"png/bomb.png", Refusal::TooLarge},
        {"png/huge.png", Refusal::TooLarge},
        {"png/truncated.png", Refusal::Truncated},
        {"tiff/directory-past-end.tif", Refusal::Truncated},
        {"tiff/header-only.tif", Refusal::Truncated},
        {"tiff/truncated.tif", Refusal::Truncated},
    };
    const fs::path folder = fs::path(std::getenv("TOLVANE_TEST_DATA")) / "malformed";
    // Every kept file has its row.
    EXPECT_EQ(FilesUnder(folder).size(), std::size(cases));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const Bytes bytes = ReadFile(folder / c.file);
        ASSERT_FALSE(bytes.empty());
        const bool tiff = fs::path(c.file).extension() == ".tif";
        const auto shown = codecs::DecodePicture(bytes);
        const auto converted = codecs::DecodeForConversion(bytes);
        ASSERT_FALSE(shown);
        ASSERT_FALSE(converted);
        EXPECT_STREQ(codecs::RefusalName(*shown.Why()),
                     codecs::RefusalName(tiff ? Refusal::UnknownFormat : c.why));
        EXPECT_STREQ(codecs::RefusalName(*converted.Why()), codecs::RefusalName(c.why));
    }
}

TEST(FuzzCorpusTest, SeedsDecode) {
    const auto files = FilesUnder(fs::path(TOLVANE_FUZZ_CORPUS));
    ASSERT_FALSE(files.empty());
    for (const auto& file : files) {
        EXPECT_TRUE(codecs::DecodeForConversion(ReadFile(file))) << file;
    }
}

// Every kept input, seeds and the crashes fuzzing found (fuzz/crashes, once there are any),
// through each way the decoders are called: each must simply return.
TEST(FuzzCorpusTest, EveryKeptInputReturns) {
    std::vector<fs::path> files = FilesUnder(fs::path(TOLVANE_FUZZ_CORPUS));
    if (fs::exists(TOLVANE_FUZZ_CRASHES)) {
        const auto crashes = FilesUnder(fs::path(TOLVANE_FUZZ_CRASHES));
        files.insert(files.end(), crashes.begin(), crashes.end());
    }
    const codecs::DecodeHint fitted{runtime::DisplayMode::kNaturalShrunkToFit, {64, 48}};
    for (const auto& file : files) {
        const Bytes bytes = ReadFile(file);
        codecs::DecodePicture(bytes);
        codecs::DecodePicture(bytes, fitted);
        codecs::DecodeForConversion(bytes);
    }
}

}  // namespace
