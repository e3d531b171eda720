#pragma once
// The rules of the settings dialogs that need no widgets: what each dialog
// shows, its standard examples, when it warns, what OK stores, the font
// files, the install location and the guide text. The dialogs are thin
// shells around these.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings_store.h"

namespace vosk {

// "保存できませんでした" followed by the real path of every file that could
// not be written, one per line as "( path )".
std::string SaveFailedText(const std::vector<std::string>& realPaths);

// ---- Layout ----------------------------------------------------------------

// What the layout dialog edits; every value is text as typed (the margins
// become integers when taken).
struct LayoutForm {
    FieldText pointNoLabelWidthMm;        // 1009
    FieldText pointNoStartMm;             // 1007
    FieldText elevationStartMm;           // 1008
    bool hideMetreSign = false;           // 1062
    FieldText titlePositionMm;            // 1128
    FieldText bottomLinePositionMm;       // 1012
    FieldText topMarginMm;                // 1119
    FieldText leftMarginMm;               // 1118
    FieldText style2BlockTopMm;           // 1001
    FieldText style2BlockTopTwoColumnMm;  // 1006
    FieldText style2BlockLeftMm;          // 1000
    FieldText style2SoilColumnWidthMm;    // 1002
    FieldText style2ScaleColumnWidthMm;   // 1003
    FieldText style2GraphWidthMm;         // 1004
    FieldText style2BlockHeightMm;        // 1005
};

// The text edits of the layout dialog by control number.
struct LayoutTextControl {
    int control;
    FieldText LayoutForm::*text;
};
std::span<const LayoutTextControl> LayoutTextControls();

LayoutForm LoadLayoutForm(const SheetSettings& s);
// Opening with an empty graph width fills in the standard example.
bool LayoutNeedsStandardExample(const LayoutForm& form);
// "標準の設定例": all fifteen values, the 'm' flag cleared.
void ApplyStandardLayout(LayoutForm& form);

// Leaving 1007, 1008 or 1009 with a value below its limit (20, 30, 20):
// string 4010, else 0.
int StartPositionWarning(int control, std::string_view text);
// Bottom line + top margin (both as integers) below 245.8 mm: 134; above
// 280 mm: 135; else 0.
int BottomLineWarning(std::string_view bottomLine, std::string_view topMargin);
// A non-empty top position for two table columns of 110 or less: 4033, else 0.
int TwoColumnTopWarning(std::string_view text);

// Stores the form; a margin that is not an integer stores nothing and gives
// its control number (1119 before 1118). 0 when stored.
int StoreLayoutForm(const LayoutForm& form, SheetSettings& s);

// ---- Line style ------------------------------------------------------------

struct LineStyleForm {
    FieldText underlineWidthPx;   // 1106
    FieldText underlineDashPx;    // 1107
    FieldText underlineGapPx;     // 1108
    FieldText boxLineWidthPx;     // 1095
    FieldText frameLineWidthPx;   // 1096
    FieldText tableRuleWidthPx;   // 1103
    FieldText tableRuleDashPx;    // 1104
    FieldText tableRuleGapPx;     // 1105
    FieldText tableRuleColour;    // 1000
    bool monochrome = false;      // 1072 ("白黒"), else 1071 ("カラー")
    FieldText grid1WidthPx;       // 1028
    FieldText grid1Colour;        // 1001
    FieldText grid2WidthPx;       // 1097
    FieldText grid2Colour;        // 1002
    FieldText plotLineWidthPx;    // 1029
    FieldText plotMarkWidthPx;    // 1030
    FieldText companyName;        // 1085
};

// The integer edits of the line style dialog, in the order OK checks them.
struct LineStyleIntegerControl {
    int control;
    FieldText LineStyleForm::*text;
    long SheetSettings::*setting;
};
std::span<const LineStyleIntegerControl> LineStyleIntegerControls();

// The three colour edits.
struct LineStyleColourControl {
    int control;
    FieldText LineStyleForm::*text;
};
std::span<const LineStyleColourControl> LineStyleColourControls();

LineStyleForm LoadLineStyleForm(const SheetSettings& s);
// Colour mode draws the table rules solid in their colour: the rule gap
// becomes "0" (the dialog also locks the rule dash and gap).
void ApplyColourMode(LineStyleForm& form);
// "カラー 標準", or with `fine` "カラー 細密" (grid 2 width "1", colour "0xffff80").
void ApplyStandardLineStyle(LineStyleForm& form, bool fine);
// Stores the form with both grids set solid (dash 5, gap 0); a field that is
// not an integer stores nothing and gives its control number. 0 when stored.
int StoreLineStyleForm(const LineStyleForm& form, SheetSettings& s);

// A colour as the colour picker writes it: "0x%06x".
FieldText FormatColourText(unsigned long colour);

// ---- Digits ----------------------------------------------------------------

struct DigitsForm {
    FieldText digitsN;        // 1056
    FieldText digitsDepth;    // 1057
    FieldText digitsIncrement;// 1058
    FieldText digitsNd;       // 1059
    FieldText ndItemName;     // 1019
};

// The items of the four digits combo boxes and of the Nd item name.
std::vector<FieldText> DigitsChoices();
std::vector<FieldText> NdItemNameChoices();

DigitsForm LoadDigitsForm(const SheetSettings& s);
bool DigitsNeedStandardExample(const DigitsForm& form);
void ApplyStandardDigits(DigitsForm& form);
void StoreDigitsForm(const DigitsForm& form, SheetSettings& s);

// ---- Fonts -----------------------------------------------------------------

// The standard set: "ＭＳ 明朝", black, no underline, the slot's standard size.
SheetFont StandardFont(int slot);
// " %2d     (%.1f)": the size rounded to whole points (halves up), then the size.
std::string FontSizeDisplay(double size);
// The chooser's starting height: trunc(dpi × size / 72) pixels.
int FontHeightForSize(double size, int dpi);
// The size of a chosen height (taken positive).
double FontSizeForHeight(int height, int dpi);

// Writes Font1.ndx … Font6.ndx from the committed fonts, each replaced
// atomically; the real paths of the files that could not be written.
std::vector<std::string> SaveFontFiles(const SettingsStore& store);

// ---- Install location ------------------------------------------------------

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

// ---- Guide -----------------------------------------------------------------

// The Windows-style path of Help.txt in the install folder.
FieldText GuideFilePath(const SettingsStore& store);
// The entries of the guide list: each line without its line end (a last
// line without one counts whole); a line longer than 159 bytes gives pieces
// of at most 159 bytes, never cutting a double-byte character.
std::vector<FieldText> GuideLines(std::string_view bytes);

}  // namespace vosk
