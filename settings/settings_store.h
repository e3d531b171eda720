#pragma once
// The settings the program lives with: where the install folder is, the
// sheet settings, the six fonts, the soil name lists and the paper size.

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "settings/sheet_settings.h"
#include "settings/soil_name_list.h"
#include "survey/survey_data.h"

namespace vosk {

// The default install folder path on the Windows drive.
inline constexpr std::string_view kDefaultInstallFolderPath = "\\Tarvogx\\Vosk2";
// The install-location file on the drive of the Windows directory.
inline constexpr std::string_view kLocationFilePath = "\\TarvoGX\\Rilwe2.whr";

inline constexpr int kA4WidthMm = 210;
inline constexpr int kA4HeightMm = 297;

struct SettingsStore {
    // Install location: a drive letter and the path after its colon.
    FieldText installDrive;
    FieldText installFolderPath;
    bool locationFound = false;  // found once per run

    // Windows-style paths (CP932) formed from the install folder.
    FieldText installFolder;
    FieldText sysPath, engineersPath, remarksPath, simpleSoilPath, soilListPath;

    SheetSettings sheet;
    std::array<SheetFont, kSheetFontCount + 1> fonts;  // 1 to 6
    std::array<SoilNameList, 2> soilNames;             // pass 0 and 1

    bool sheetLoaded = false;
    bool fontsLoaded = false;

    // The default printer's paper; A4 portrait without a printer.
    int paperWidthMm = kA4WidthMm;
    int paperHeightMm = kA4HeightMm;
};

// The program-wide settings.
SettingsStore& Settings();

// The Windows-style path of file `name` in the install folder.
FieldText InstallFilePath(const SettingsStore& store, std::string_view name);
// The path of font file `index` (1 to 6), "Font1.ndx" …
FieldText FontFilePath(const SettingsStore& store, int index);

// The real path on this system of a Windows-style CP932 path.
std::filesystem::path RealPath(std::string_view windowsPath);

// Runs on every view update: finds the install folder on the first call,
// loads Sys.ndx with the soil name lists and the fonts when not yet loaded
// (again after `reloadAll`), and normalises the heading of `survey`.
void LoadSettings(SettingsStore& store, SurveyData& survey, bool reloadAll);

// The first line of the file, without its line end; empty when missing.
FieldText ReadLocationFile(std::string_view windowsPath);

// Writes all 80 lines of Sys.ndx to `windowsPath`, replacing the file
// atomically. False when it could not be written.
bool SaveSettings(const SettingsStore& store, std::string_view windowsPath);

// "保存できませんでした" followed by the real path of every settings file that
// could not be written, one per line as "( path )".
std::string SaveFailedText(const std::vector<std::string>& realPaths);

// Reads the soil name list at `windowsPath` into the list of `pass`.
void LoadSoilNameList(SettingsStore& store, std::string_view windowsPath, int pass);
// Both passes at once, as LoadSettings loads them.
void LoadSoilNameLists(SettingsStore& store, std::string_view windowsPath);

// The default printer's paper size in millimetres; unchanged without a printer.
void DetectPaperSize(SettingsStore& store);

// FileV.ndx: the folder the Open command last used, and a second line kept
// as it was.
struct LastFolderFile {
    FieldText folder;
    FieldText secondLine;
};
LastFolderFile ReadLastFolderFile(const SettingsStore& store);
bool WriteLastFolderFile(const SettingsStore& store, const LastFolderFile& file);

}  // namespace vosk
