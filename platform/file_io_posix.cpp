#include "platform/file_io_system.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace vosk {

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

private:
    int fd_;
};

using file_system::Refuse;

}  // namespace

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path, ReadError* error) {
    if (error) *error = ReadError::None;
    // The type is checked before opening: opening a device or a FIFO can
    // block or have effects of its own.
    struct stat before {};
    if (::stat(path.c_str(), &before) != 0 || !S_ISREG(before.st_mode)) return Refuse(error, ReadError::Unreadable);
    if (static_cast<std::uintmax_t>(before.st_size) > kMaxReadBytes) return Refuse(error, ReadError::TooLarge);

    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return Refuse(error, ReadError::Unreadable);
    Descriptor file(fd);
    // The path may have been replaced since: what was opened decides.
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) return Refuse(error, ReadError::Unreadable);
    if (static_cast<std::uintmax_t>(opened.st_size) > kMaxReadBytes) return Refuse(error, ReadError::TooLarge);
    int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) return Refuse(error, ReadError::Unreadable);

    return file_system::ReadUpToLimit(
        static_cast<std::uintmax_t>(opened.st_size),
        [fd](char* buffer, size_t count) -> long long {
            ssize_t n;
            do {
                n = ::read(fd, buffer, count);
            } while (n < 0 && errno == EINTR);
            return n;
        },
        error);
}

namespace file_system {

unsigned long ProcessId() { return static_cast<unsigned long>(getpid()); }

std::FILE* CreateNewFile(const std::filesystem::path& path) { return std::fopen(path.c_str(), "wbx"); }

bool FlushToDisk(std::FILE* file) { return fsync(fileno(file)) == 0; }

bool PutInPlace(const std::filesystem::path& temp, const std::filesystem::path& target,
                const std::filesystem::file_status& existing) {
    std::error_code ec;
    if (std::filesystem::exists(existing)) std::filesystem::permissions(temp, existing.permissions(), ec);
    std::filesystem::rename(temp, target, ec);
    return !ec;
}

}  // namespace file_system

}  // namespace vosk
