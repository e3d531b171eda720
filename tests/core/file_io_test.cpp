#include "platform/file_io.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace vosk {
namespace {

namespace fs = std::filesystem;

class FileIoTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("vosk-fileio-" + std::to_string(getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override {
        fs::permissions(dir_, fs::perms::owner_all);
        fs::remove_all(dir_);
    }
    fs::path dir_;
};

TEST_F(FileIoTest, AtomicWriteReplacesTheFile) {
    fs::path p = dir_ / "a.vkr";
    ASSERT_TRUE(WriteFileAtomically(p, "old"));
    ASSERT_TRUE(WriteFileAtomically(p, "new content"));
    EXPECT_EQ(ReadFileBytes(p), "new content");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(FileIoTest, UncommittedWriteLeavesThePreviousFile) {
    fs::path p = dir_ / "a.vkr";
    ASSERT_TRUE(WriteFileAtomically(p, "previous"));
    {
        AtomicFile f(p);
        ASSERT_TRUE(f.Write("half"));
    }  // dropped without Commit, as after a failed write
    EXPECT_EQ(ReadFileBytes(p), "previous");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(FileIoTest, UnwritableFolderFailsAndKeepsTheFile) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes anywhere";
    fs::path p = dir_ / "a.vkr";
    ASSERT_TRUE(WriteFileAtomically(p, "previous"));
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(WriteFileAtomically(p, "new"));
    EXPECT_EQ(ReadFileBytes(p), "previous");
}

TEST_F(FileIoTest, MissingFolderFails) {
    EXPECT_FALSE(WriteFileAtomically(dir_ / "no" / "such.vkr", "x"));
    EXPECT_FALSE(ReadFileBytes(dir_ / "missing.vkr"));
}

TEST_F(FileIoTest, TwoWritersOfOneFileDoNotDisturbEachOther) {
    fs::path p = dir_ / "a.vkr";
    AtomicFile first(p), second(p);
    ASSERT_TRUE(first.IsOpen());
    ASSERT_TRUE(second.IsOpen());
    EXPECT_TRUE(first.Write("first"));
    EXPECT_TRUE(second.Write("second"));
    EXPECT_TRUE(first.Commit());
    EXPECT_TRUE(second.Commit());
    EXPECT_EQ(ReadFileBytes(p), "second");
    EXPECT_FALSE(AtomicFile(fs::path()).IsOpen());
}

TEST_F(FileIoTest, FailedRenameIsReportedAndCleansUp) {
    fs::path p = dir_ / "folder.vkr";
    fs::create_directories(p / "inside");
    AtomicFile file(p);
    ASSERT_TRUE(file.IsOpen());
    EXPECT_TRUE(file.Write("data"));
    EXPECT_FALSE(file.Commit());
    EXPECT_TRUE(fs::is_directory(p / "inside"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace vosk
