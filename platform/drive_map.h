#pragma once
// Windows-style paths such as "C:\Tarvogx\Vosk2\Sys.ndx" on this system:
// drive X is the folder $VOSK_DRIVES/X, and each component matches an
// existing entry without regard to case, as on Windows. On Windows such a
// path is the file it names, unless VOSK_DRIVES is set (as the tests do, so
// that they never touch the real drives).

#include <filesystem>
#include <string>
#include <string_view>

namespace vosk {

// A path from UTF-8 text, and the UTF-8 text of a path (for messages, JSON
// and the widgets). On Windows paths are UTF-16; elsewhere the bytes stay.
std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string PathToUtf8(const std::filesystem::path& path);

// Two names or paths compared as Windows does: ASCII letters without regard
// to case.
bool EqualIgnoringCase(std::string_view a, std::string_view b);

// $VOSK_DRIVES, else $XDG_DATA_HOME/vosk/drives, else ~/.local/share/vosk/drives.
std::filesystem::path DrivesFolder();

// The Windows directory ("C:\WINDOWS") and the current directory ("C:\"):
// on Windows the system's own, as CP932 text.
std::string WindowsDirectory();
std::string CurrentDirectory();

// The real path of a Windows-style path (UTF-8): "X:" followed by components
// separated by "\" (or "/"). Existing components are found without regard to
// case; a component that does not exist is taken as written. Empty for a
// path without a drive letter.
std::filesystem::path MapWindowsPath(std::string_view windowsPath);

// The folder holding the data installed beside the program (Sys.ndx, the
// fonts, the lists, Help.txt): $VOSK_DATA_DIR, else ../share/vosk next to the
// executable, else the source tree's data/ folder.
std::filesystem::path BundledDataFolder();

}  // namespace vosk
