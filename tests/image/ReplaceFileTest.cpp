// Replacing a file through a temporary one: what an attacker or a killed process could leave
// in the folder must not redirect, widen or impersonate the picture.

#include "image/ReplaceFile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;
using runtime::Bytes;
using runtime::Text;

const Bytes kPicture = {0xFF, 0xD8, 0xFF, 0xE0, 'n', 'e', 'w'};

class ReplaceFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char name[] = "/tmp/tolvane-replace-XXXXXX";
        ASSERT_NE(::mkdtemp(name), nullptr);
        folder_ = name;
    }
    void TearDown() override { fs::remove_all(folder_); }

    Text In(const std::string& name) const { return (folder_ / name).string(); }
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(folder_)) {
            names.push_back(e.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    static Bytes Contents(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    static void Write(const fs::path& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }
    static mode_t ModeOf(const Text& path) {
        struct stat status {};
        ::stat(path.c_str(), &status);
        return status.st_mode & 07777;
    }

    fs::path folder_;
};

// Once the temporary name was the target's followed by the process id: a link planted there
// sent the picture into a file outside the folder.
TEST_F(ReplaceFileTest, ALinkPlantedAtAPredictableNameIsNotFollowed) {
    const fs::path outside = folder_ / "outside";
    fs::create_directory(outside);
    Write(outside / "victim", "precious");
    const Text target = In("saved.jpg");
    for (const std::string& planted :
         {target + "." + std::to_string(::getpid()) + ".tmp", target + ".tmp"}) {
        fs::create_symlink(outside / "victim", planted);
    }
    ASSERT_TRUE(image::ReplaceFileWith(target, kPicture));
    EXPECT_EQ(Contents(outside / "victim"), (Bytes{'p', 'r', 'e', 'c', 'i', 'o', 'u', 's'}));
    EXPECT_FALSE(fs::is_symlink(target));
    EXPECT_EQ(Contents(target), kPicture);
}

TEST_F(ReplaceFileTest, KeepsThePermissionBitsOfTheTarget) {
    for (const mode_t mode : {mode_t{0600}, mode_t{0640}, mode_t{0755}}) {
        SCOPED_TRACE(mode);
        const Text target = In("kept.jpg");
        Write(target, "old");
        ASSERT_EQ(::chmod(target.c_str(), mode), 0);
        ASSERT_TRUE(image::ReplaceFileWith(target, kPicture));
        EXPECT_EQ(ModeOf(target), mode);
        EXPECT_EQ(Contents(target), kPicture);
    }
}

TEST_F(ReplaceFileTest, ANewFileGetsWhatTheUmaskAllows) {
    const mode_t before = ::umask(027);
    const bool replaced = image::ReplaceFileWith(In("new.jpg"), kPicture);
    ::umask(before);
    ASSERT_TRUE(replaced);
    EXPECT_EQ(ModeOf(In("new.jpg")), mode_t{0640});
}

// The longest name most file systems allow is 255 bytes; the temporary name must not grow
// with the target's.
TEST_F(ReplaceFileTest, ReplacesATargetWithA254ByteName) {
    const Text target = In(std::string(250, 'n') + ".jpg");
    ASSERT_TRUE(image::ReplaceFileWith(target, kPicture));
    EXPECT_EQ(Contents(target), kPicture);
    EXPECT_EQ(Files().size(), 1u);
}

// What a process killed in mid-write leaves behind: the old target and a hidden temporary
// file whose name carries no picture extension.
TEST_F(ReplaceFileTest, AKilledWriteLeavesNothingThatLooksLikeAPicture) {
    const Text target = In("keep.jpg");
    Write(target, "old");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit none{0, 0};
        ::setrlimit(RLIMIT_FSIZE, &none);  // the first byte written kills the process
        image::ReplaceFileWith(target, kPicture);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(Contents(target), (Bytes{'o', 'l', 'd'}));
    const auto files = Files();
    ASSERT_EQ(files.size(), 2u);  // the target and the leftover
    for (const auto& name : files) {
        if (name == "keep.jpg") {
            continue;
        }
        EXPECT_EQ(name.front(), '.') << name;
        EXPECT_EQ(fs::path(name).extension(), ".tmp") << name;
        for (const char* extension : {".jpg", ".bmp", ".gif", ".tiff", ".png"}) {
            EXPECT_EQ(name.find(extension), std::string::npos) << name;
        }
    }
}

// A write that fails halfway leaves the old file, and no temporary one.
TEST_F(ReplaceFileTest, AFailedWriteKeepsTheOldFile) {
    const Text target = In("keep.jpg");
    Write(target, "old");
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit tiny{2, saved.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &tiny);
    const bool replaced = image::ReplaceFileWith(target, kPicture);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(replaced);
    EXPECT_EQ(Contents(target), (Bytes{'o', 'l', 'd'}));
    EXPECT_EQ(Files(), std::vector<std::string>{"keep.jpg"});
}

}  // namespace
