#pragma once
// The rules of the set-up dialog ("セットアップ") that need no widgets: the
// checks of the install location, its standard and the change to a new
// install folder (the location file written, everything reloaded).

#include <optional>
#include <string_view>

#include "settings/settings_store.h"

namespace vosk {

// The set-up dialog's controls by number.
namespace setup_control {
inline constexpr int kDrive = 1000;
inline constexpr int kFolder = 1001;
inline constexpr int kStandard = 1045;  // "標準の設定"
}  // namespace setup_control

inline constexpr std::string_view kBadPathText = "パス名が異常です";

// Leaving the folder edit: a folder of at most one character warns with
// 4007; a folder not starting with "\" gets one in front.
struct FolderCheck {
    FieldText folder;
    bool tooShort = false;
};
FolderCheck LeaveInstallFolder(std::string_view folder);

struct InstallLocation {
    FieldText drive;   // one upper-case letter
    FieldText folder;  // starts with "\"
};
// OK of the set-up dialog: the drive in upper case, the folder with its
// leading "\". Nothing for an empty or non-letter drive or a folder shorter
// than 2 characters.
std::optional<InstallLocation> CheckInstallLocation(std::string_view drive, std::string_view folder);
// "標準の設定": the drive of the Windows directory and "\Tarvogx\Vosk2".
InstallLocation StandardInstallLocation();

// The install-location file on the drive of the Windows directory.
FieldText LocationFileWindowsPath();
// Makes `location` the install folder: writes the install-location file
// (drive, ":", folder, CR LF; its folder made when missing) and reloads the
// paths, settings, fonts and soil name lists from the new folder. False when
// the file could not be written; the new folder is used all the same.
bool ChangeInstallLocation(SettingsStore& store, SurveyData& survey, const InstallLocation& location);

}  // namespace vosk
