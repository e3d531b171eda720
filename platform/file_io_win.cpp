#include "platform/file_io_system.h"

#ifdef _WIN32

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <wctype.h>
#include <windows.h>

namespace vosk {

namespace {

class Handle {
public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() {
        if (ok()) CloseHandle(h_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool ok() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }

private:
    HANDLE h_;
};

using file_system::Refuse;

// CON, PRN, AUX, NUL, COM1 to COM9 and LPT1 to LPT9 name a device in any
// folder and with any suffix ("COM1.vkr"); opening one can wait on it.
bool IsReservedDeviceName(const std::filesystem::path& path) {
    std::wstring stem = path.filename().native();
    stem = stem.substr(0, stem.find(L'.'));
    while (!stem.empty() && (stem.back() == L' ' || stem.back() == L':')) stem.pop_back();
    for (wchar_t& c : stem) c = static_cast<wchar_t>(towupper(c));
    if (stem == L"CON" || stem == L"PRN" || stem == L"AUX" || stem == L"NUL") return true;
    return stem.size() == 4 && (stem.starts_with(L"COM") || stem.starts_with(L"LPT")) && stem[3] >= L'1' &&
           stem[3] <= L'9';
}

// A path in the device namespaces (\\.\, \\?\ or \??\) other than a file on a
// drive or a share: a volume, a pipe (which opening connects to) or another
// device.
bool IsDevicePath(std::wstring_view name) {
    if (name.starts_with(L"\\??\\")) return true;
    if (!name.starts_with(L"\\\\.\\") && !name.starts_with(L"\\\\?\\")) return false;
    const std::wstring_view rest = name.substr(4);
    const bool onDrive = rest.size() >= 3 && iswalpha(rest[0]) && rest[1] == L':' && (rest[2] == L'\\' || rest[2] == L'/');
    return !onDrive && !rest.starts_with(L"UNC\\");
}

}  // namespace

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path, ReadError* error) {
    if (error) *error = ReadError::None;
    const std::wstring& name = path.native();
    if (IsDevicePath(name) || IsReservedDeviceName(path)) return Refuse(error, ReadError::Unreadable);
    // The type is checked before opening, as on other systems.
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return Refuse(error, ReadError::Unreadable);

    Handle file(CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.ok()) return Refuse(error, ReadError::Unreadable);
    // What was opened decides: a file on disk, no device (NUL, CON, COM1), pipe or folder.
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(file.get()) != FILE_TYPE_DISK || !GetFileInformationByHandle(file.get(), &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return Refuse(error, ReadError::Unreadable);
    const std::uintmax_t size = (static_cast<std::uintmax_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    if (size > kMaxReadBytes) return Refuse(error, ReadError::TooLarge);

    return file_system::ReadUpToLimit(
        size,
        [&file](char* buffer, size_t count) -> long long {
            DWORD read = 0;
            const DWORD want = static_cast<DWORD>(std::min<size_t>(count, 1u << 30));
            return ReadFile(file.get(), buffer, want, &read, nullptr) ? static_cast<long long>(read) : -1;
        },
        error);
}

namespace file_system {

unsigned long ProcessId() { return static_cast<unsigned long>(GetCurrentProcessId()); }

std::FILE* CreateNewFile(const std::filesystem::path& path) {
    // The C library here takes no "x" in a mode: _O_EXCL says the same.
    int fd = _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
    if (fd < 0) return nullptr;
    std::FILE* file = _wfdopen(fd, L"wb");
    if (!file) _close(fd);
    return file;
}

bool FlushToDisk(std::FILE* file) { return _commit(_fileno(file)) == 0; }

bool PutInPlace(const std::filesystem::path& temp, const std::filesystem::path& target,
                const std::filesystem::file_status& existing) {
    // One rename, which either happens whole or not at all: a file another
    // program holds open stays as it was and the save fails. (Replacing with
    // a backup can leave the old file behind under a temporary name.) The
    // replaced file's hidden and system marks go to the new one.
    if (std::filesystem::exists(existing)) {
        const DWORD attributes = GetFileAttributesW(target.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES)
            SetFileAttributesW(temp.c_str(), attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                                           FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED));
    }
    return MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace file_system

}  // namespace vosk

#endif  // _WIN32
