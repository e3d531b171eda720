#include "platform/drive_map.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <system_error>

#ifdef _WIN32
#include <windows.h>

#include "platform/cp932.h"
#endif

namespace vosk {
namespace fs = std::filesystem;

namespace {

// An environment variable as a path; empty when it is not set.
fs::path EnvPath(const char* name) {
#ifdef _WIN32
    const std::wstring wideName(name, name + std::char_traits<char>::length(name));
    const wchar_t* v = _wgetenv(wideName.c_str());
#else
    const char* v = std::getenv(name);
#endif
    return v ? fs::path(v) : fs::path();
}

// The entry of `folder` named `name`: the exact name when it exists, else
// the first entry that matches without regard to case, else `name` as written.
fs::path FindEntry(const fs::path& folder, std::string_view name) {
    const fs::path exact = folder / PathFromUtf8(name);
    std::error_code ec;
    if (fs::exists(exact, ec)) return exact;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (EqualIgnoringCase(PathToUtf8(it->path().filename()), name)) return it->path();
    }
    return exact;
}

// The path of the running program; empty when the system does not say.
fs::path ExecutablePath() {
#ifdef _WIN32
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size()) return fs::path(buffer.substr(0, n));
        buffer.resize(buffer.size() * 2);
    }
#else
    std::error_code ec;
    return fs::read_symlink("/proc/self/exe", ec);
#endif
}

#ifdef _WIN32
// A folder the system names, as CP932 text; `fallback` when CP932 cannot hold it.
std::string SystemFolderText(std::wstring_view folder, const char* fallback) {
    if (folder.empty()) return fallback;
    return Utf8ToCp932(PathToUtf8(fs::path(folder))).value_or(fallback);
}
#endif

}  // namespace

#ifdef _WIN32

fs::path PathFromUtf8(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int size = static_cast<int>(utf8.size());
    std::wstring wide(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), static_cast<int>(wide.size()));
    return fs::path(std::move(wide));
}

std::string PathToUtf8(const fs::path& path) {
    const std::wstring& wide = path.native();
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    std::string utf8(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr)),
                     '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr);
    return utf8;
}

std::string WindowsDirectory() {
    wchar_t buffer[MAX_PATH + 1];
    UINT n = GetWindowsDirectoryW(buffer, MAX_PATH + 1);
    return SystemFolderText(n <= MAX_PATH ? std::wstring_view(buffer, n) : std::wstring_view(), "C:\\WINDOWS");
}

std::string CurrentDirectory() {
    std::wstring buffer(GetCurrentDirectoryW(0, nullptr), L'\0');
    const DWORD n = buffer.empty() ? 0 : GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
    buffer.resize(n < buffer.size() ? n : 0);
    return SystemFolderText(buffer, "C:\\");
}

#else

fs::path PathFromUtf8(std::string_view utf8) { return fs::path(std::string(utf8)); }

std::string PathToUtf8(const fs::path& path) { return path.string(); }

std::string WindowsDirectory() { return "C:\\WINDOWS"; }

std::string CurrentDirectory() { return "C:\\"; }

#endif

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

fs::path DrivesFolder() {
    if (fs::path d = EnvPath("VOSK_DRIVES"); !d.empty()) return d;
    if (fs::path x = EnvPath("XDG_DATA_HOME"); !x.empty()) return x / "vosk" / "drives";
    return EnvPath("HOME") / ".local" / "share" / "vosk" / "drives";
}

fs::path MapWindowsPath(std::string_view windowsPath) {
    if (windowsPath.size() < 2 || windowsPath[1] != ':' ||
        !std::isalpha(static_cast<unsigned char>(windowsPath[0])))
        return {};
#ifdef _WIN32
    if (EnvPath("VOSK_DRIVES").empty()) return PathFromUtf8(windowsPath);
#endif
    char drive = static_cast<char>(std::toupper(static_cast<unsigned char>(windowsPath[0])));
    fs::path result = FindEntry(DrivesFolder(), std::string(1, drive));
    std::string_view rest = windowsPath.substr(2);
    int depth = 0;  // ".." never leaves the drive, as on Windows
    while (!rest.empty()) {
        size_t sep = rest.find_first_of("\\/");
        std::string_view part = rest.substr(0, sep);
        if (part == "..") {
            if (depth > 0) {
                result = result.parent_path();
                --depth;
            }
        } else if (!part.empty() && part != ".") {
            result = FindEntry(result, part);
            ++depth;
        }
        if (sep == std::string_view::npos) break;
        rest.remove_prefix(sep + 1);
    }
    return result;
}

fs::path BundledDataFolder() {
    if (fs::path d = EnvPath("VOSK_DATA_DIR"); !d.empty()) return d;
    std::error_code ec;
    if (fs::path exe = ExecutablePath(); !exe.empty()) {
        fs::path installed = exe.parent_path().parent_path() / "share" / "vosk";
        if (fs::exists(installed / "Sys.ndx", ec)) return installed;
    }
    return PathFromUtf8(VOSK_SOURCE_DATA_DIR);
}

}  // namespace vosk
