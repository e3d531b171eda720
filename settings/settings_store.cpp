#include "settings/settings_store.h"

#include <cctype>
#include <cmath>
#include <system_error>

#include "platform/cp932.h"
#include "platform/drive_map.h"
#include "platform/file_io.h"
#include "platform/message_service.h"
#include "platform/printer_service.h"
#include "platform/string_table.h"
#include "survey/text_lines.h"

namespace vosk {
namespace fs = std::filesystem;

namespace {

FieldText JoinPath(std::string_view folder, std::string_view name) {
    FieldText path(folder);
    if (!path.ends_with('\\')) path += '\\';
    return path += name;
}


// Reads the location file on the drive of `directory` into the store; true
// when it named an install folder.
bool TakeLocationFrom(SettingsStore& store, std::string_view directory) {
    FieldText location = ReadLocationFile(FieldText(directory.substr(0, 2)) + FieldText(kLocationFilePath));
    // A drive letter, its colon, and a folder.
    if (location.size() < 3 || !std::isalpha(static_cast<unsigned char>(location[0]))) return false;
    store.installDrive = location.substr(0, 1);
    store.installFolderPath = location.substr(2);
    return true;
}

void FindInstallLocation(SettingsStore& store) {
    store.installDrive.clear();
    store.installFolderPath.clear();
    std::string windows = WindowsDirectory();
    if (windows.size() >= 2 && !TakeLocationFrom(store, windows)) TakeLocationFrom(store, CurrentDirectory());
    if (store.installDrive.empty() || store.installFolderPath.size() <= 1) {
        store.installDrive = windows.substr(0, 1);
        store.installFolderPath = kDefaultInstallFolderPath;
    }
}

// A missing install folder is created and filled with the bundled files; an
// existing one is never filled.
void SeedInstallFolder(const fs::path& folder) {
    std::error_code ec;
    if (folder.empty() || fs::exists(folder, ec)) return;
    if (!fs::create_directories(folder, ec)) return;
    for (fs::directory_iterator it(BundledDataFolder(), ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code copyError;
        if (it->is_regular_file(copyError)) fs::copy_file(it->path(), folder / it->path().filename(), copyError);
    }
}

bool IsDefaultInstallFolder(const SettingsStore& store) {
    return EqualIgnoringCase(store.installDrive, "C") && EqualIgnoringCase(store.installFolderPath, kDefaultInstallFolderPath);
}

void LoadSheetSettings(SettingsStore& store) {
    auto bytes = ReadFileBytes(RealPath(store.sysPath));
    if (bytes) {
        ParseSettingsFile(store.sheet, *bytes);
    } else {
        ApplySettingsDefaults(store.sheet);
        ShowMessage(message::kFileNotFound, PathToUtf8(RealPath(store.sysPath)));
    }
    ApplyRangeDefaults(store.sheet);
}

void LoadFonts(SettingsStore& store) {
    for (int i = 1; i <= kSheetFontCount; ++i) {
        fs::path path = RealPath(FontFilePath(store, i));
        auto bytes = ReadFileBytes(path);
        if (!bytes && i == 1) ShowMessage(message::kFileNotFound, PathToUtf8(path));
        store.fonts[i] = bytes ? ParseFontFile(i, *bytes) : DefaultFont(i);
    }
}

// The bytes of a soil name list; message 32795 when it cannot be read.
std::optional<std::string> ReadSoilNameFile(std::string_view windowsPath) {
    if (windowsPath.size() < 2) return std::nullopt;
    fs::path path = RealPath(windowsPath);
    auto bytes = ReadFileBytes(path);
    if (!bytes) ShowMessage(message::kFileNotFound, PathToUtf8(path));
    return bytes;
}

}  // namespace

FieldText InstallFilePath(const SettingsStore& store, std::string_view name) {
    return JoinPath(store.installFolder, name);
}

FieldText FontFilePath(const SettingsStore& store, int index) {
    return InstallFilePath(store, "Font" + std::to_string(index) + ".ndx");
}

SettingsStore& Settings() {
    static SettingsStore store;
    return store;
}

fs::path RealPath(std::string_view windowsPath) { return MapWindowsPath(Cp932ToUtf8(windowsPath)); }

FieldText ReadLocationFile(std::string_view windowsPath) {
    auto bytes = ReadFileBytes(RealPath(windowsPath));
    if (!bytes) return {};
    FieldText first;
    ForEachLine(*bytes, [&](std::string_view line) {
        first = StripLineEnd(line);
        return false;
    });
    return first;
}

void LoadSettings(SettingsStore& store, SurveyData& survey, bool reloadAll) {
    if (reloadAll) store.sheetLoaded = store.fontsLoaded = false;
    if (!store.locationFound) {
        FindInstallLocation(store);
        store.locationFound = true;
    }
    store.installFolder = store.installDrive + ":" + store.installFolderPath;
    store.sysPath = InstallFilePath(store, "Sys.ndx");
    store.engineersPath = InstallFilePath(store, "M.mst");
    store.remarksPath = InstallFilePath(store, "K.mst");
    store.simpleSoilPath = InstallFilePath(store, "Zbn.mst");
    store.soilListPath = InstallFilePath(store, "WdtvJCA.mst");

    // Only the default folder is made and filled on first use: a folder the
    // user named that is not there is a typing mistake, and its missing
    // files say so.
    if ((!store.sheetLoaded || !store.fontsLoaded) && IsDefaultInstallFolder(store))
        SeedInstallFolder(RealPath(store.installFolder));
    if (!store.sheetLoaded) {
        LoadSheetSettings(store);
        LoadSoilNameLists(store, store.soilListPath);
        store.sheetLoaded = true;
    }
    NormaliseHeading(survey, store.sheet.companyName);
    if (!store.fontsLoaded) {
        LoadFonts(store);
        store.fontsLoaded = true;
    }
}

std::string SaveFailedText(const std::vector<std::string>& realPaths) {
    std::string text(MessageText(message::kSaveFailed));
    for (const std::string& p : realPaths) text += "\n( " + p + " )";
    return text;
}

bool SaveSettings(const SettingsStore& store, std::string_view windowsPath) {
    return WriteFileAtomically(RealPath(windowsPath), FormatSettingsFile(store.sheet));
}

void LoadSoilNameList(SettingsStore& store, std::string_view windowsPath, int pass) {
    if (pass != 0 && pass != 1) return;
    store.soilNames[pass] = SoilNameList{};
    if (auto bytes = ReadSoilNameFile(windowsPath)) store.soilNames[pass] = ParseSoilNameList(*bytes, pass);
}

void LoadSoilNameLists(SettingsStore& store, std::string_view windowsPath) {
    // Both passes from one read, with at most one message.
    store.soilNames = {};
    if (auto bytes = ReadSoilNameFile(windowsPath))
        for (int pass = 0; pass < 2; ++pass) store.soilNames[pass] = ParseSoilNameList(*bytes, pass);
}

void DetectPaperSize(SettingsStore& store) {
    PrinterService* printer = CurrentPrinterService();
    auto page = printer ? printer->DefaultPrinterPage() : std::nullopt;
    if (!page) {
        // Without a printer the paper is the A4 every export uses.
        store.paperWidthMm = kA4WidthMm;
        store.paperHeightMm = kA4HeightMm;
        return;
    }
    if (page->dpiX < 1 || page->dpiY < 1) {
        ShowMessage(message::kDeviceError);
        store.paperWidthMm = store.paperHeightMm = 280;
        return;
    }
    store.paperWidthMm = static_cast<int>(std::trunc(page->widthPx * 25.4 / page->dpiX));
    store.paperHeightMm = static_cast<int>(std::trunc(page->heightPx * 25.4 / page->dpiY));
}

LastFolderFile ReadLastFolderFile(const SettingsStore& store) {
    LastFolderFile file;
    auto bytes = ReadFileBytes(RealPath(InstallFilePath(store, "FileV.ndx")));
    if (!bytes) return file;
    int line = 0;
    ForEachLine(*bytes, [&](std::string_view raw) {
        (++line == 1 ? file.folder : file.secondLine) = StripLineEnd(raw);
        return line < 2;
    });
    return file;
}

bool WriteLastFolderFile(const SettingsStore& store, const LastFolderFile& file) {
    return WriteFileAtomically(RealPath(InstallFilePath(store, "FileV.ndx")),
                               file.folder + "\r\n" + file.secondLine + "\r\n");
}

}  // namespace vosk
