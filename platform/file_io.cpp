#include "platform/file_io.h"

#include <atomic>
#include <cerrno>
#include <fstream>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#include <process.h>
#else
#include <unistd.h>
#endif

namespace vosk {

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes;
    std::error_code ec;
    auto size = std::filesystem::file_size(path, ec);
    if (!ec) bytes.reserve(static_cast<size_t>(size));
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
}

AtomicFile::AtomicFile(std::filesystem::path target) : target_(std::move(target)) {
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
        // A replaced file keeps its permissions.
        auto status = std::filesystem::status(target_, ec);
        if (!ec && std::filesystem::exists(status))
            std::filesystem::permissions(temp_, status.permissions(), ec);
        std::filesystem::rename(temp_, target_, ec);
        ok = !ec;
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
