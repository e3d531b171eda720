#pragma once
// Whole-file reading and safe replacement of files on disk.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vosk {

// Data sheets hold at most 70 + 100 + 100 + 100 short lines: anything larger is refused unread.
inline constexpr std::uintmax_t kMaxReadBytes = 16u * 1024 * 1024;

enum class ReadError { None, Unreadable, TooLarge };

// The bytes of a regular file (symbolic links followed) of at most kMaxReadBytes; nullopt when it
// cannot be opened or read, is no regular file (folder, device, FIFO, socket) or is larger. `error`, when
// given, says which.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path, ReadError* error = nullptr);

// Where a writer puts its bytes. Write reports failure instead of hiding it.
class OutputFile {
public:
    virtual ~OutputFile() = default;
    virtual bool Write(std::string_view bytes) = 0;
};

// Collects the bytes in memory (tests, benchmarks, the fuzzer).
class MemoryOutput : public OutputFile {
public:
    bool Write(std::string_view bytes) override {
        bytes_.append(bytes);
        return true;
    }
    const std::string& bytes() const { return bytes_; }

private:
    std::string bytes_;
};

// Replaces a file atomically: the bytes go to a temporary file beside the
// target, and only Commit renames it over the target. Until then, and when
// anything fails, the previous file stays as it was. A target that is a
// symbolic link stays one: the file at the end of its chain is replaced (a
// dangling link gets the file it names), with the temporary file beside it.
class AtomicFile : public OutputFile {
public:
    explicit AtomicFile(std::filesystem::path target);
    ~AtomicFile() override;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool IsOpen() const { return file_ != nullptr; }
    bool Write(std::string_view bytes) override;
    // Flushes to disk and renames over the target. False when any write
    // failed or the rename did; the temporary file is removed then.
    bool Commit();

private:
    void Discard();

    std::filesystem::path target_;
    std::filesystem::path temp_;
    std::FILE* file_ = nullptr;
    bool failed_ = false;
};

// Writes `bytes` as the whole content of `path` through AtomicFile.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// A new empty folder beside `target` (in the same parent folder, so that it
// moves there by a rename), where a folder is built before it is put in
// place. Empty when none can be made.
std::filesystem::path MakeFolderBeside(const std::filesystem::path& target);

// Puts the finished folder `built` (made by MakeFolderBeside) at `target`.
// Missing targets are taken at once; an existing one only with `replace`:
// it is moved aside, and removed once `built` is in place, or moved back
// when that fails. On failure `built` is left where it was.
enum class FolderPlacement { Placed, TargetExists, Failed };
FolderPlacement PutFolderInPlace(const std::filesystem::path& built, const std::filesystem::path& target,
                                 bool replace);

}  // namespace vosk
