#include "settings/setup_rules.h"

#include <cctype>
#include <system_error>

#include "platform/drive_map.h"
#include "platform/file_io.h"

namespace vosk {
namespace fs = std::filesystem;

FolderCheck LeaveInstallFolder(std::string_view folder) {
    FolderCheck check{FieldText(folder), folder.size() <= 1};
    if (!check.folder.starts_with('\\')) check.folder.insert(0, 1, '\\');
    return check;
}

std::optional<InstallLocation> CheckInstallLocation(std::string_view drive, std::string_view folder) {
    if (drive.size() != 1 || !std::isalpha(static_cast<unsigned char>(drive[0]))) return std::nullopt;
    if (folder.size() < 2) return std::nullopt;
    InstallLocation location;
    location.drive = FieldText(1, static_cast<char>(std::toupper(static_cast<unsigned char>(drive[0]))));
    // OK by the Enter key never left the folder edit: the folder gets its
    // "\" here too, else "C:folder" would be a path relative to nothing.
    location.folder = LeaveInstallFolder(folder).folder;
    return location;
}

InstallLocation StandardInstallLocation() {
    return InstallLocation{WindowsDirectory().substr(0, 1), FieldText(kDefaultInstallFolderPath)};
}

FieldText LocationFileWindowsPath() { return WindowsDirectory().substr(0, 2) + FieldText(kLocationFilePath); }

bool ChangeInstallLocation(SettingsStore& store, SurveyData& survey, const InstallLocation& location) {
    store.installDrive = location.drive;
    store.installFolderPath = location.folder;
    store.locationFound = true;
    fs::path file = RealPath(LocationFileWindowsPath());
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    bool saved = WriteFileAtomically(file, location.drive + ":" + location.folder + "\r\n");
    LoadSettings(store, survey, true);
    return saved;
}

}  // namespace vosk
