#include "platform/file_io.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <system_error>

#ifdef _WIN32
#include <fstream>
#include <io.h>
#include <process.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vosk {

namespace {

std::optional<std::string> Refuse(ReadError* error, ReadError why) {
    if (error) *error = why;
    return std::nullopt;
}

// Links are followed by at most this many steps, as the system does.
constexpr int kMaxLinkSteps = 40;

// The path a chain of symbolic links ends at: the first path that is no link
// (a dangling link ends at the name it holds). Empty when the chain loops or
// a link cannot be read.
std::filesystem::path FinalTarget(std::filesystem::path path) {
    for (int step = 0; step <= kMaxLinkSteps; ++step) {
        std::error_code ec;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, ec))) return path;
        std::filesystem::path next = std::filesystem::read_symlink(path, ec);
        if (ec || next.empty()) return {};
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return {};
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

}  // namespace

#ifdef _WIN32

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path, ReadError* error) {
    if (error) *error = ReadError::None;
    try {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(path, ec)) return Refuse(error, ReadError::Unreadable);
        auto size = std::filesystem::file_size(path, ec);
        if (ec) return Refuse(error, ReadError::Unreadable);
        if (size > kMaxReadBytes) return Refuse(error, ReadError::TooLarge);
        std::ifstream in(path, std::ios::binary);
        if (!in) return Refuse(error, ReadError::Unreadable);
        return ReadUpToLimit(
            size,
            [&in](char* buffer, size_t count) -> long long {
                in.read(buffer, static_cast<std::streamsize>(count));
                return in.bad() ? -1 : static_cast<long long>(in.gcount());
            },
            error);
    } catch (const std::exception&) {
        return Refuse(error, ReadError::Unreadable);
    }
}

#else

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

    return ReadUpToLimit(
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

#endif

AtomicFile::AtomicFile(std::filesystem::path target) : target_(FinalTarget(std::move(target))) {
    if (target_.empty() || target_.filename().empty()) return;
    static std::atomic<unsigned> counter{0};
#ifdef _WIN32
    const unsigned long process = static_cast<unsigned long>(_getpid());
#else
    const unsigned long process = static_cast<unsigned long>(getpid());
#endif
    // A name no other writer uses: the process and a counter, and another
    // try when a file of that name is left over.
    for (int attempt = 0; attempt < 100 && !file_; ++attempt) {
        std::filesystem::path name = target_.filename();
        name += ".vosk-" + std::to_string(process) + "-" + std::to_string(counter++) + ".tmp";
        std::filesystem::path candidate = target_.parent_path() / name;
#ifdef _WIN32
        file_ = _wfopen(candidate.c_str(), L"wbx");
#else
        file_ = std::fopen(candidate.c_str(), "wbx");
#endif
        if (file_) {
            temp_ = candidate;
        } else if (errno != EEXIST) {
            break;
        }
    }
}

AtomicFile::~AtomicFile() { Discard(); }

void AtomicFile::Discard() {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!temp_.empty()) {
        std::error_code ec;
        std::filesystem::remove(temp_, ec);
        temp_.clear();
    }
}

bool AtomicFile::Write(std::string_view bytes) {
    if (!file_ || failed_) return false;
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
        failed_ = true;
    return !failed_;
}

bool AtomicFile::Commit() {
    if (!file_ || failed_) {
        Discard();
        return false;
    }
    bool ok = std::fflush(file_) == 0;
#ifdef _WIN32
    ok = ok && _commit(_fileno(file_)) == 0;
#else
    ok = ok && fsync(fileno(file_)) == 0;
#endif
    ok = std::fclose(file_) == 0 && ok;
    file_ = nullptr;
    if (ok) {
        std::error_code ec;
        auto status = std::filesystem::status(target_, ec);
        const bool exists = !ec && std::filesystem::exists(status);
        // Only a file is replaced: a folder, device, FIFO or socket (where a
        // link may well end) stays as it is.
        if (exists && !std::filesystem::is_regular_file(status)) {
            ok = false;
        } else {
            // A replaced file keeps its permissions.
            if (exists) std::filesystem::permissions(temp_, status.permissions(), ec);
            std::filesystem::rename(temp_, target_, ec);
            ok = !ec;
        }
    }
    if (ok) temp_.clear();
    Discard();
    return ok;
}

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    AtomicFile file(path);
    return file.Write(bytes) && file.Commit();
}

}  // namespace vosk
