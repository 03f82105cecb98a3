#include "runtime/SystemServices.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace runtime {
namespace {

namespace fs = std::filesystem;

class WriteBytesToFileTest : public testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("tolvane-write-" + std::to_string(::getpid()) + "-" +
                testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    static std::string Read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    fs::path dir_;
};

TEST_F(WriteBytesToFileTest, CreatesAndTruncates) {
    const fs::path file = dir_ / "picture.jpg";
    ASSERT_TRUE(WriteBytesToFile(file.string(), Bytes{'l', 'o', 'n', 'g', 'e', 'r'}));
    EXPECT_EQ(Read(file), "longer");
    ASSERT_TRUE(WriteBytesToFile(file.string(), Bytes{'a', 'b'}));
    EXPECT_EQ(Read(file), "ab");
    ASSERT_TRUE(WriteBytesToFile(file.string(), Bytes{}));
    EXPECT_EQ(fs::file_size(file), 0u);
}

TEST_F(WriteBytesToFileTest, RefusesWhatCannotBeWritten) {
    EXPECT_FALSE(WriteBytesToFile("", Bytes{'a'}));
    EXPECT_FALSE(WriteBytesToFile(dir_.string(), Bytes{'a'}));
    EXPECT_FALSE(WriteBytesToFile((dir_ / "missing" / "x.jpg").string(), Bytes{'a'}));
}

TEST_F(WriteBytesToFileTest, LeavesAFileHeldByAnotherWriterIntact) {
    const fs::path file = dir_ / "held.jpg";
    ASSERT_TRUE(WriteBytesToFile(file.string(), Bytes{'o', 'l', 'd'}));
    const int other = ::open(file.c_str(), O_RDWR);
    ASSERT_GE(other, 0);
    ASSERT_EQ(::flock(other, LOCK_EX), 0);
    EXPECT_FALSE(WriteBytesToFile(file.string(), Bytes{'n', 'e', 'w'}));
    EXPECT_EQ(Read(file), "old");
    ::close(other);
    EXPECT_TRUE(WriteBytesToFile(file.string(), Bytes{'n', 'e', 'w'}));
}

TEST(RunDirectoryTest, IsTheExecutablesFolder) {
    const Text dir = RunDirectory();
    EXPECT_EQ(fs::path(dir), fs::read_symlink("/proc/self/exe").parent_path());
    ASSERT_FALSE(dir.empty());
    EXPECT_NE(dir.back(), '/');
}

TEST(UptimeMsTest, FollowsTheSystemClockWrappedTo32Bits) {
    double seconds = 0;
    std::ifstream("/proc/uptime") >> seconds;
    const auto expected = static_cast<std::uint32_t>(std::llround(seconds * 1000));
    const auto actual = static_cast<std::uint32_t>(UptimeMs());
    // /proc/uptime has 10 ms steps; allow for the time between the two reads.
    EXPECT_LT(static_cast<std::uint32_t>(actual - expected + 1000), 2000u);
}

}  // namespace
}  // namespace runtime
