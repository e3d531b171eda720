#include "settings/font_rules.h"

#include <cmath>

#include "platform/drive_map.h"
#include "platform/file_io.h"
#include "survey/numbers.h"

namespace vosk {
namespace fs = std::filesystem;

SheetFont StandardFont(int slot) {
    // Slot 6 is 10 pt in the standard set, though a missing file gives 9.
    static constexpr double kStandardSizes[kSheetFontCount + 1] = {0, 12, 10, 8, 9, 8, 10};
    SheetFont f;
    f.size = kStandardSizes[slot];
    f.face = kDefaultFontFace;
    return f;
}

std::string FontSizeDisplay(double size) {
    long rounded = static_cast<long>(std::floor(size + 0.5));
    return " " + PadLeft(FormatInteger(rounded), 2) + "     (" + FormatFixed(size, 1) + ")";
}

int FontHeightForSize(double size, int dpi) { return static_cast<int>(std::trunc(dpi * size / 72.0)); }

double FontSizeForHeight(int height, int dpi) { return std::abs(height) * 72.0 / dpi; }

double FontSizeForChoice(double size, int chosenHeight, int dpi) {
    return std::abs(chosenHeight) == FontHeightForSize(size, dpi) ? size : FontSizeForHeight(chosenHeight, dpi);
}

std::vector<std::string> SaveFontFiles(const SettingsStore& store) {
    std::vector<std::string> failed;
    for (int slot = 1; slot <= kSheetFontCount; ++slot) {
        fs::path path = RealPath(FontFilePath(store, slot));
        if (!WriteFileAtomically(path, FormatFontFile(store.fonts[slot]))) failed.push_back(PathToUtf8(path));
    }
    return failed;
}

}  // namespace vosk
