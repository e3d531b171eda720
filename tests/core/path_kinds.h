#pragma once
// Paths that name something other than a readable regular file, made on
// disk for the tests of every reader. Windows has no FIFOs, sockets or device
// files to make, and links there need rights a user seldom has: only the
// missing file, the folder and the file too large are made there.

#ifndef _WIN32
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace vosk::test {

enum class PathKind { Missing, Folder, Fifo, Socket, DevNull, DevZero, DanglingLink, OverLimit };

struct PathKindCase {
    PathKind kind;
    const char* name;
    bool tooLarge;  // refused for its size rather than for what it is
};

// Every kind a reader must take as a missing file (or, for the two last, as
// one too large to read).
inline const std::vector<PathKindCase>& UnreadablePathKinds() {
    static const std::vector<PathKindCase> kinds = {
        {PathKind::Missing, "missing", false},
        {PathKind::Folder, "folder", false},
#ifndef _WIN32
        {PathKind::Fifo, "FIFO", false},
        {PathKind::Socket, "socket", false},
        {PathKind::DevNull, "/dev/null", false},
        {PathKind::DevZero, "/dev/zero", false},
        {PathKind::DanglingLink, "dangling link", false},
#endif
        {PathKind::OverLimit, "sparse file over 16 MiB", true},
    };
    return kinds;
}

// Makes `path` (which must not exist yet) into `kind`; false when the
// system refused. Devices are reached through a symbolic link.
inline bool MakePathKind(PathKind kind, const std::filesystem::path& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    switch (kind) {
    case PathKind::Missing:
        return !fs::exists(path, ec);
    case PathKind::Folder:
        return fs::create_directory(path, ec);
#ifndef _WIN32
    case PathKind::Fifo:
        return mkfifo(path.c_str(), 0644) == 0;
    case PathKind::Socket: {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (path.native().size() >= sizeof(address.sun_path)) return false;
        std::strcpy(address.sun_path, path.c_str());
        int fd = socket(AF_UNIX, SOCK_STREAM, 0);
        if (fd < 0) return false;
        bool bound = bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
        close(fd);  // the socket file stays
        return bound;
    }
    case PathKind::DevNull:
        fs::create_symlink("/dev/null", path, ec);
        return !ec;
    case PathKind::DevZero:
        fs::create_symlink("/dev/zero", path, ec);
        return !ec;
    case PathKind::DanglingLink:
        fs::create_symlink(path.filename().string() + ".gone", path, ec);
        return !ec;
#else
    case PathKind::Fifo:
    case PathKind::Socket:
    case PathKind::DevNull:
    case PathKind::DevZero:
    case PathKind::DanglingLink:
        return false;
#endif
    case PathKind::OverLimit:
        // Sparse: one byte over the limit takes no room on disk.
        std::ofstream(path, std::ios::binary) << "$$_VSKTARVO100\r\n";
        fs::resize_file(path, 16u * 1024 * 1024 + 1, ec);
        return !ec;
    }
    return false;
}

}  // namespace vosk::test
