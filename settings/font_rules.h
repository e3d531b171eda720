#pragma once
// The rules of the font dialog ("フォント") that need no widgets: the
// standard set, the size shown, the chooser's pixel heights and the font
// files OK writes.

#include <string>
#include <vector>

#include "settings/settings_store.h"

namespace vosk {

// The font dialog's controls by number: for each of the six fonts a button
// that opens the chooser, then its face, size and colour.
namespace font_control {
inline constexpr int kTitleButton = 1021;
inline constexpr int kTitleFace = 1000;
inline constexpr int kTitleSize = 1128;
inline constexpr int kTitleColour = 1027;
inline constexpr int kHeadingButton = 1068;
inline constexpr int kHeadingFace = 1001;
inline constexpr int kHeadingSize = 1012;
inline constexpr int kHeadingColour = 1038;
inline constexpr int kTableItemButton = 1022;
inline constexpr int kTableItemFace = 1002;
inline constexpr int kTableItemSize = 1013;
inline constexpr int kTableItemColour = 1039;
inline constexpr int kDataButton = 1070;
inline constexpr int kDataFace = 1003;
inline constexpr int kDataSize = 1014;
inline constexpr int kDataColour = 1040;
inline constexpr int kGraphButton = 1023;
inline constexpr int kGraphFace = 1004;
inline constexpr int kGraphSize = 1015;
inline constexpr int kGraphColour = 1041;
inline constexpr int kPageButton = 1096;
inline constexpr int kPageFace = 1005;
inline constexpr int kPageSize = 1016;
inline constexpr int kPageColour = 1042;
inline constexpr int kStandardExample = 1046;
}  // namespace font_control

// The standard set: "ＭＳ 明朝", black, no underline, the slot's standard size.
SheetFont StandardFont(int slot);
// " %2d     (%.1f)": the size rounded to whole points (halves up), then the size.
std::string FontSizeDisplay(double size);
// The chooser's starting height: trunc(dpi × size / 72) pixels.
int FontHeightForSize(double size, int dpi);
// The size of a chosen height (taken positive).
double FontSizeForHeight(int height, int dpi);
// The size after the chooser handed back `chosenHeight` for a font of
// `size`: the size as it was when the height is the one it was offered (a
// 10 pt font offered as 13 px at 96 dpi stays 10, not 9.75), else the
// chosen height's size.
double FontSizeForChoice(double size, int chosenHeight, int dpi);

// Writes Font1.ndx … Font6.ndx from the committed fonts, each replaced
// atomically; the real paths of the files that could not be written.
std::vector<std::string> SaveFontFiles(const SettingsStore& store);

}  // namespace vosk
