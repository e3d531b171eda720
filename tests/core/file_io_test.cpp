#include "platform/file_io.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "platform/drive_map.h"
#include "tests/core/path_kinds.h"
#include "tests/core/test_system.h"

namespace vosk {
namespace {

namespace fs = std::filesystem;

size_t EntryCount(const fs::path& folder) {
    return static_cast<size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

class FileIoTest : public ::testing::Test {
protected:
    void SetUp() override { dir_ = test::FreshTestFolder("vosk-fileio"); }
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

TEST_F(FileIoTest, ReplacedFileKeepsItsPermissions) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no permission bits to keep";
#endif
    fs::path p = dir_ / "a.vkr";
    ASSERT_TRUE(WriteFileAtomically(p, "old"));
    fs::permissions(p, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(WriteFileAtomically(p, "new content"));
    EXPECT_EQ(fs::status(p).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

// Japanese names in UTF-8 become the same names on disk, on Windows too.
TEST_F(FileIoTest, JapaneseNamesAreWrittenAndRead) {
    const fs::path folder = dir_ / PathFromUtf8("地盤調査");
    const fs::path p = folder / PathFromUtf8("柱状図①.vkr");
    fs::create_directories(folder);
    ASSERT_TRUE(WriteFileAtomically(p, "first"));
    ASSERT_TRUE(WriteFileAtomically(p, "second"));
    EXPECT_EQ(ReadFileBytes(p), "second");
    ASSERT_EQ(EntryCount(folder), 1u);
    EXPECT_EQ(PathToUtf8(fs::directory_iterator(folder)->path().filename()), "柱状図①.vkr");
    EXPECT_EQ(PathFromUtf8(PathToUtf8(p)), p);
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
    if (!test::PermissionBitsApply()) GTEST_SKIP() << "permission bits stop neither root nor anyone on Windows";
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

TEST_F(FileIoTest, AFileHeldOpenIsReplacedWholeOrKeptWhole) {
    // Another program reading the sheet holds it open: on some systems the
    // replacement must then wait, and the old file must stay as it was.
    fs::path p = dir_ / "open.vkr";
    ASSERT_TRUE(WriteFileAtomically(p, "old"));
    std::ifstream reader(p, std::ios::binary);
    ASSERT_TRUE(reader.is_open());
    const bool replaced = WriteFileAtomically(p, "new");
    reader.close();
    EXPECT_EQ(ReadFileBytes(p), replaced ? "new" : "old");
    std::string left;
    for (const auto& entry : fs::directory_iterator(dir_)) left += entry.path().filename().string() + " ";
    EXPECT_EQ(left, "open.vkr ");
#ifndef _WIN32
    EXPECT_TRUE(replaced);
#endif
}

TEST_F(FileIoTest, WhatIsNoSmallRegularFileIsRefusedWithoutBlocking) {
    test::Watchdog(60);  // a reader that blocks on the FIFO or reads /dev/zero without end fails here
    for (const test::PathKindCase& c : test::UnreadablePathKinds()) {
        fs::path p = dir_ / ("kind" + std::to_string(static_cast<int>(c.kind)));
        ASSERT_TRUE(test::MakePathKind(c.kind, p)) << c.name;
        ReadError error = ReadError::None;
        EXPECT_EQ(ReadFileBytes(p, &error), std::nullopt) << c.name;
        EXPECT_EQ(error, c.tooLarge ? ReadError::TooLarge : ReadError::Unreadable) << c.name;
    }
#ifdef _WIN32
    const std::string com1 = (dir_ / "COM1.vkr").string(), nulInFolder = (dir_ / "nul.txt").string();
    const char* devices[] = {"NUL", "CON", "\\\\.\\pipe\\vosk-none", "\\\\?\\pipe\\vosk-none", "\\\\.\\C:",
                             "\\??\\C:\\Windows\\win.ini", com1.c_str(), nulInFolder.c_str()};
#else
    const char* devices[] = {"/dev/zero", "/dev/null"};
#endif
    for (const char* device : devices) {
        ReadError error = ReadError::None;
        EXPECT_EQ(ReadFileBytes(device, &error), std::nullopt) << device;
        EXPECT_EQ(error, ReadError::Unreadable) << device;
    }
    test::Watchdog(0);
}

TEST_F(FileIoTest, RegularFilesAreReadWhateverSizeTheyReport) {
    fs::path good = dir_ / "good.vkr";
    ASSERT_TRUE(WriteFileAtomically(good, "$$_VSKTARVO100\r\n"));
    ReadError error = ReadError::TooLarge;
    EXPECT_EQ(ReadFileBytes(good, &error), "$$_VSKTARVO100\r\n");
    EXPECT_EQ(error, ReadError::None);
#ifdef _WIN32
    // The long form of a path names a file on its drive too.
    EXPECT_EQ(ReadFileBytes(fs::path(L"\\\\?\\") += fs::absolute(good)), "$$_VSKTARVO100\r\n");
#endif
    // Exactly the limit is still read.
    fs::path full = dir_ / "full";
    std::ofstream(full, std::ios::binary) << "x";
    fs::resize_file(full, kMaxReadBytes);
    auto bytes = ReadFileBytes(full);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->size(), kMaxReadBytes);
    EXPECT_EQ(bytes->front(), 'x');
}

TEST_F(FileIoTest, LinksAndFilesThatReportNoSizeAreRead) {
#ifdef _WIN32
    GTEST_SKIP() << "symbolic links need rights a Windows user seldom has, and there is no /proc";
#endif
    fs::path good = dir_ / "good.vkr";
    ASSERT_TRUE(WriteFileAtomically(good, "$$_VSKTARVO100\r\n"));
    fs::create_symlink("good.vkr", dir_ / "link.vkr");
    fs::create_symlink(dir_ / "link.vkr", dir_ / "chain.vkr");
    for (const char* name : {"link.vkr", "chain.vkr"}) {
        ReadError error = ReadError::TooLarge;
        EXPECT_EQ(ReadFileBytes(dir_ / name, &error), "$$_VSKTARVO100\r\n") << name;
        EXPECT_EQ(error, ReadError::None) << name;
    }
    // Files under /proc report a size of 0 and still have bytes.
    auto status = ReadFileBytes("/proc/self/status");
    ASSERT_TRUE(status);
    EXPECT_TRUE(status->starts_with("Name:")) << *status;
}

TEST_F(FileIoTest, OnlyAFileIsReplaced) {
#ifdef _WIN32
    GTEST_SKIP() << "no FIFOs, sockets or links to make on Windows; a folder is the failed rename's test";
#endif
    // Devices are left out: a fault here would replace the system's own.
    for (test::PathKind kind : {test::PathKind::Folder, test::PathKind::Fifo, test::PathKind::Socket}) {
        fs::path p = dir_ / ("kind" + std::to_string(static_cast<int>(kind)));
        ASSERT_TRUE(test::MakePathKind(kind, p));
        fs::create_symlink(p.filename(), dir_ / "link");
        const fs::file_type type = fs::symlink_status(p).type();
        for (const fs::path& given : {p, dir_ / "link"}) {
            AtomicFile file(given);
            file.Write("data");
            EXPECT_FALSE(file.Commit()) << static_cast<int>(kind) << " " << given;
            EXPECT_EQ(fs::symlink_status(p).type(), type) << static_cast<int>(kind);
        }
        fs::remove(dir_ / "link");
    }
    EXPECT_EQ(EntryCount(dir_), 3u);  // no temporary file left
}

TEST_F(FileIoTest, WritingThroughALinkReplacesTheFileItEndsAtAndKeepsTheLink) {
#ifdef _WIN32
    GTEST_SKIP() << "symbolic links need rights a Windows user seldom has";
#endif
    fs::path real = dir_ / "real";
    fs::path links = dir_ / "links";
    fs::create_directories(real);
    fs::create_directories(links);
    const auto mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    struct Case {
        const char* name;
        fs::path link;                 // what the program is given
        std::vector<std::pair<fs::path, fs::path>> chain;  // link → what it holds
        fs::path target;               // where the bytes must land
        bool targetExists;
    } cases[] = {
        {"relative link", links / "a.vkr", {{links / "a.vkr", "../real/a.vkr"}}, real / "a.vkr", true},
        {"chain of links",
         links / "b.vkr",
         {{links / "b.vkr", "b2.vkr"}, {links / "b2.vkr", real / "b.vkr"}},
         real / "b.vkr",
         true},
        {"dangling link", links / "c.vkr", {{links / "c.vkr", "../real/c.vkr"}}, real / "c.vkr", false},
    };
    for (const Case& c : cases) {
        if (c.targetExists) {
            ASSERT_TRUE(WriteFileAtomically(c.target, "old"));
            fs::permissions(c.target, mode);
        }
        for (const auto& [link, holds] : c.chain) fs::create_symlink(holds, link);
        EXPECT_TRUE(WriteFileAtomically(c.link, "new")) << c.name;
        for (const auto& [link, holds] : c.chain) {
            EXPECT_TRUE(fs::is_symlink(link)) << c.name;
            EXPECT_EQ(fs::read_symlink(link), holds) << c.name;
        }
        EXPECT_EQ(ReadFileBytes(c.target), "new") << c.name;
        if (c.targetExists) {
            EXPECT_EQ(fs::status(c.target).permissions(), mode) << c.name;
        }
    }
    // No temporary file is left on either side.
    EXPECT_EQ(EntryCount(real), 3u);
    EXPECT_EQ(EntryCount(links), 4u);

    // A loop of links ends nowhere: nothing is written, the links stay.
    fs::create_symlink("loop2", links / "loop1");
    fs::create_symlink("loop1", links / "loop2");
    EXPECT_FALSE(WriteFileAtomically(links / "loop1", "x"));
    EXPECT_TRUE(fs::is_symlink(links / "loop1"));
    EXPECT_EQ(EntryCount(links), 6u);
}

}  // namespace
}  // namespace vosk
