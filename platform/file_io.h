#pragma once
// Whole-file reading and safe replacement of files on disk.

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vosk {

// The bytes of the file, or nullopt when it cannot be opened or read.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path);

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
// anything fails, the previous file stays as it was.
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

}  // namespace vosk
