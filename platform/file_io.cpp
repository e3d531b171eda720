#include "platform/file_io.h"

#include <atomic>
#include <cerrno>
#include <system_error>

#include "platform/file_io_system.h"

namespace vosk {

namespace {

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

}  // namespace

AtomicFile::AtomicFile(std::filesystem::path target) : target_(FinalTarget(std::move(target))) {
    if (target_.empty() || target_.filename().empty()) return;
    static std::atomic<unsigned> counter{0};
    const unsigned long process = file_system::ProcessId();
    // A name no other writer uses: the process and a counter, and another
    // try when a file of that name is left over.
    for (int attempt = 0; attempt < 100 && !file_; ++attempt) {
        std::filesystem::path name = target_.filename();
        name += ".vosk-" + std::to_string(process) + "-" + std::to_string(counter++) + ".tmp";
        std::filesystem::path candidate = target_.parent_path() / name;
        file_ = file_system::CreateNewFile(candidate);
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
    bool ok = std::fflush(file_) == 0 && file_system::FlushToDisk(file_);
    ok = std::fclose(file_) == 0 && ok;
    file_ = nullptr;
    if (ok) {
        std::error_code ec;
        auto status = std::filesystem::status(target_, ec);
        const bool exists = !ec && std::filesystem::exists(status);
        // Only a file is replaced: a folder, device, FIFO or socket (where a
        // link may well end) stays as it is.
        ok = (!exists || std::filesystem::is_regular_file(status)) && file_system::PutInPlace(temp_, target_, status);
    }
    if (ok) temp_.clear();
    Discard();
    return ok;
}

std::filesystem::path MakeFolderBeside(const std::filesystem::path& target) {
    static std::atomic<unsigned> counter{0};
    const std::filesystem::path name = target.filename();
    if (name.empty()) return {};
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path leaf(".");
        leaf += name;
        leaf += ".vosk-" + std::to_string(file_system::ProcessId()) + "-" + std::to_string(counter++) + ".tmp";
        const std::filesystem::path candidate = target.parent_path() / leaf;
        std::error_code ec;
        if (std::filesystem::create_directory(candidate, ec)) return candidate;
        if (ec) return {};  // no folder can be made there
    }
    return {};
}

FolderPlacement PutFolderInPlace(const std::filesystem::path& built, const std::filesystem::path& target,
                                 bool replace) {
    std::error_code ec;
    const bool exists = std::filesystem::exists(std::filesystem::symlink_status(target, ec));
    if (exists && !replace) return FolderPlacement::TargetExists;
    if (!exists) {
        std::filesystem::rename(built, target, ec);
        return ec ? FolderPlacement::Failed : FolderPlacement::Placed;
    }
    const std::filesystem::path aside = MakeFolderBeside(target);
    if (aside.empty()) return FolderPlacement::Failed;
    std::filesystem::remove(aside, ec);
    std::filesystem::rename(target, aside, ec);
    if (ec) return FolderPlacement::Failed;
    std::filesystem::rename(built, target, ec);
    if (ec) {
        std::filesystem::rename(aside, target, ec);
        return FolderPlacement::Failed;
    }
    std::filesystem::remove_all(aside, ec);
    return FolderPlacement::Placed;
}

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    AtomicFile file(path);
    return file.Write(bytes) && file.Commit();
}

}  // namespace vosk
