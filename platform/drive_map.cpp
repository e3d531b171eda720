#include "platform/drive_map.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <system_error>

namespace vosk {
namespace fs = std::filesystem;

namespace {

std::string EnvOrEmpty(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

// The entry of `folder` named `name`: the exact name when it exists, else
// the first entry that matches without regard to case, else `name` as written.
fs::path FindEntry(const fs::path& folder, const std::string& name) {
    std::error_code ec;
    if (fs::exists(folder / name, ec)) return folder / name;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (EqualIgnoringCase(it->path().filename().string(), name)) return it->path();
    }
    return folder / name;
}

}  // namespace

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

fs::path DrivesFolder() {
    if (std::string d = EnvOrEmpty("VOSK_DRIVES"); !d.empty()) return d;
    if (std::string x = EnvOrEmpty("XDG_DATA_HOME"); !x.empty()) return fs::path(x) / "vosk" / "drives";
    return fs::path(EnvOrEmpty("HOME")) / ".local" / "share" / "vosk" / "drives";
}

std::string WindowsDirectory() { return "C:\\WINDOWS"; }

std::string CurrentDirectory() { return "C:\\"; }

fs::path MapWindowsPath(std::string_view windowsPath) {
    if (windowsPath.size() < 2 || windowsPath[1] != ':' ||
        !std::isalpha(static_cast<unsigned char>(windowsPath[0])))
        return {};
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
            result = FindEntry(result, std::string(part));
            ++depth;
        }
        if (sep == std::string_view::npos) break;
        rest.remove_prefix(sep + 1);
    }
    return result;
}

fs::path BundledDataFolder() {
    if (std::string d = EnvOrEmpty("VOSK_DATA_DIR"); !d.empty()) return d;
    std::error_code ec;
#ifndef _WIN32
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        fs::path installed = exe.parent_path().parent_path() / "share" / "vosk";
        if (fs::exists(installed / "Sys.ndx", ec)) return installed;
    }
#endif
    return VOSK_SOURCE_DATA_DIR;
}

}  // namespace vosk
