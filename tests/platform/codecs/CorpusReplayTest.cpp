// The kept files: malformed pictures that must give no picture, and the fuzzing corpus (seeds
// and every input that once crashed), replayed through the decoders without libFuzzer.

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

TEST(MalformedPicturesTest, GiveNoPicture) {
    const auto files = FilesUnder(fs::path(std::getenv("TOLVANE_TEST_DATA")) / "malformed");
    ASSERT_FALSE(files.empty());
    for (const auto& file : files) {
        const Bytes bytes = ReadFile(file);
        EXPECT_FALSE(codecs::DecodePicture(bytes)) << file;
        EXPECT_FALSE(codecs::DecodeForConversion(bytes)) << file;
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
