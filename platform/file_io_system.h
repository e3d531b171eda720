#pragma once
// What file_io.cpp needs from the system, given by file_io_posix.cpp here
// and by file_io_win.cpp on Windows, and the reading loop both readers share.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/file_io.h"

namespace vosk::file_system {

inline std::optional<std::string> Refuse(ReadError* error, ReadError why) {
    if (error) *error = why;
    return std::nullopt;
}

// Reads through `read` (bytes into a buffer: the count, 0 at the end, -1 on
// failure). The size is only a hint (files under /proc report 0, a file may
// grow): reading stops one byte past the limit whatever it said.
template <typename Read>
std::optional<std::string> ReadUpToLimit(std::uintmax_t sizeHint, Read read, ReadError* error) {
    constexpr size_t kLimit = static_cast<size_t>(kMaxReadBytes);
    constexpr size_t kChunk = 64 * 1024;
    std::string bytes;
    bytes.resize(static_cast<size_t>(std::min<std::uintmax_t>(sizeHint, kLimit)) + 1);
    size_t filled = 0;
    while (filled <= kLimit) {
        if (filled == bytes.size()) bytes.resize(std::min(bytes.size() + std::max(bytes.size(), kChunk), kLimit + 1));
        long long n = read(bytes.data() + filled, bytes.size() - filled);
        if (n < 0) return Refuse(error, ReadError::Unreadable);
        if (n == 0) break;
        filled += static_cast<size_t>(n);
    }
    if (filled > kLimit) return Refuse(error, ReadError::TooLarge);
    bytes.resize(filled);
    return bytes;
}

// The running program's process id, which makes temporary names unique.
unsigned long ProcessId();

// A new file at `path`, opened for writing bytes; nullptr when it cannot be
// made, with errno EEXIST when something of that name is there already.
std::FILE* CreateNewFile(const std::filesystem::path& path);

// Flushes `file` (still open) through to the disk.
bool FlushToDisk(std::FILE* file);

// Puts the finished file `temp` in the place of `target`, which is either
// missing or a regular file with status `existing`; the replaced file's
// permissions stay.
bool PutInPlace(const std::filesystem::path& temp, const std::filesystem::path& target,
                const std::filesystem::file_status& existing);

}  // namespace vosk::file_system
