#include "settings/settings_rules.h"

#include <limits>

#include "survey/list_file.h"

#include <cctype>
#include <cstdio>
#include <cmath>
#include <system_error>

#include "platform/cp932.h"
#include "platform/drive_map.h"
#include "platform/file_io.h"
#include "platform/string_table.h"
#include "survey/numbers.h"
#include "survey/text_lines.h"

namespace vosk {
namespace fs = std::filesystem;

namespace {

constexpr LayoutTextControl kLayoutTexts[] = {
    {1009, &LayoutForm::pointNoLabelWidthMm},
    {1007, &LayoutForm::pointNoStartMm},
    {1008, &LayoutForm::elevationStartMm},
    {1128, &LayoutForm::titlePositionMm},
    {1012, &LayoutForm::bottomLinePositionMm},
    {1119, &LayoutForm::topMarginMm},
    {1118, &LayoutForm::leftMarginMm},
    {1001, &LayoutForm::style2BlockTopMm},
    {1006, &LayoutForm::style2BlockTopTwoColumnMm},
    {1000, &LayoutForm::style2BlockLeftMm},
    {1002, &LayoutForm::style2SoilColumnWidthMm},
    {1003, &LayoutForm::style2ScaleColumnWidthMm},
    {1004, &LayoutForm::style2GraphWidthMm},
    {1005, &LayoutForm::style2BlockHeightMm},
};

constexpr LineStyleIntegerControl kLineStyleIntegers[] = {
    {1106, &LineStyleForm::underlineWidthPx, &SheetSettings::underlineWidthPx},
    {1107, &LineStyleForm::underlineDashPx, &SheetSettings::underlineDashPx},
    {1108, &LineStyleForm::underlineGapPx, &SheetSettings::underlineGapPx},
    {1095, &LineStyleForm::boxLineWidthPx, &SheetSettings::boxLineWidthPx},
    {1096, &LineStyleForm::frameLineWidthPx, &SheetSettings::frameLineWidthPx},
    {1103, &LineStyleForm::tableRuleWidthPx, &SheetSettings::tableRuleWidthPx},
    {1104, &LineStyleForm::tableRuleDashPx, &SheetSettings::tableRuleDashPx},
    {1105, &LineStyleForm::tableRuleGapPx, &SheetSettings::tableRuleGapPx},
    {1028, &LineStyleForm::grid1WidthPx, &SheetSettings::grid1WidthPx},
    {1097, &LineStyleForm::grid2WidthPx, &SheetSettings::grid2WidthPx},
    {1029, &LineStyleForm::plotLineWidthPx, &SheetSettings::plotLineWidthPx},
    {1030, &LineStyleForm::plotMarkWidthPx, &SheetSettings::plotMarkWidthPx},
};

constexpr LineStyleColourControl kLineStyleColours[] = {
    {1000, &LineStyleForm::tableRuleColour},
    {1001, &LineStyleForm::grid1Colour},
    {1002, &LineStyleForm::grid2Colour},
};

// Limits below which a start position of the point number block warns.
struct StartLimit {
    int control;
    double limit;
};
constexpr StartLimit kStartLimits[] = {{1007, 20}, {1008, 30}, {1009, 20}};

// The lowest sum of bottom line and top margin that leaves room below the
// special remarks (244.8 mm is where the style 1 sheet puts them), and the
// highest that still fits the paper.
constexpr double kRemarksBottomMm = 244.8;
constexpr double kLowestBottomSumMm = kRemarksBottomMm + 1;
constexpr double kHighestBottomSumMm = 280;
constexpr long kLowestTwoColumnTopMm = 110;

constexpr size_t kGuidePieceBytes = 159;

}  // namespace

std::string SaveFailedText(const std::vector<std::string>& realPaths) {
    std::string text(MessageText(message::kSaveFailed));
    for (const std::string& p : realPaths) text += "\n( " + p + " )";
    return text;
}

// ---- Layout ----------------------------------------------------------------

std::span<const LayoutTextControl> LayoutTextControls() { return kLayoutTexts; }

LayoutForm LoadLayoutForm(const SheetSettings& s) {
    LayoutForm f;
    f.pointNoLabelWidthMm = s.pointNoLabelWidthMm;
    f.pointNoStartMm = s.pointNoStartMm;
    f.elevationStartMm = s.elevationStartMm;
    f.hideMetreSign = s.hideMetreSign != 0;
    f.titlePositionMm = s.titlePositionMm;
    f.bottomLinePositionMm = s.bottomLinePositionMm;
    f.topMarginMm = FormatInteger(s.topMarginMm);
    f.leftMarginMm = FormatInteger(s.leftMarginMm);
    f.style2BlockTopMm = s.style2BlockTopMm;
    f.style2BlockTopTwoColumnMm = s.style2BlockTopTwoColumnMm;
    f.style2BlockLeftMm = s.style2BlockLeftMm;
    f.style2SoilColumnWidthMm = s.style2SoilColumnWidthMm;
    f.style2ScaleColumnWidthMm = s.style2ScaleColumnWidthMm;
    f.style2GraphWidthMm = s.style2GraphWidthMm;
    f.style2BlockHeightMm = s.style2BlockHeightMm;
    return f;
}

bool LayoutNeedsStandardExample(const LayoutForm& form) { return form.style2GraphWidthMm.empty(); }

void ApplyStandardLayout(LayoutForm& f) {
    f.pointNoLabelWidthMm = "26";
    f.pointNoStartMm = "31";
    f.elevationStartMm = "68";
    f.hideMetreSign = false;
    f.titlePositionMm = "0";
    f.bottomLinePositionMm = "259";
    f.topMarginMm = "14";
    f.leftMarginMm = "20";
    f.style2BlockTopMm = "42";
    f.style2BlockTopTwoColumnMm = "122";
    f.style2BlockLeftMm = "86";
    f.style2SoilColumnWidthMm = "5";
    f.style2ScaleColumnWidthMm = "7";
    f.style2GraphWidthMm = "80";
    f.style2BlockHeightMm = "100";
}

int StartPositionWarning(int control, std::string_view text) {
    for (const StartLimit& l : kStartLimits)
        if (l.control == control) return ParseDecimal(text) < l.limit ? message::kUnsuitableInput : 0;
    return 0;
}

int BottomLineWarning(std::string_view bottomLine, std::string_view topMargin) {
    double sum = static_cast<double>(ParseInteger(bottomLine)) + static_cast<double>(ParseInteger(topMargin));
    if (sum < kLowestBottomSumMm) return message::kBottomGapTooSmall;
    if (sum > kHighestBottomSumMm) return message::kBottomOffPaper;
    return 0;
}

int TwoColumnTopWarning(std::string_view text) {
    return !text.empty() && ParseInteger(text) <= kLowestTwoColumnTopMm ? message::kTwoColumnTopMarginSmall : 0;
}

int StoreLayoutForm(const LayoutForm& f, SheetSettings& s) {
    long top = 0, left = 0;
    if (!ParseWholeInteger(f.topMarginMm, top)) return 1119;
    if (!ParseWholeInteger(f.leftMarginMm, left)) return 1118;
    s.pointNoLabelWidthMm = f.pointNoLabelWidthMm;
    s.pointNoStartMm = f.pointNoStartMm;
    s.elevationStartMm = f.elevationStartMm;
    s.hideMetreSign = f.hideMetreSign ? 1 : 0;
    s.titlePositionMm = f.titlePositionMm;
    s.bottomLinePositionMm = f.bottomLinePositionMm;
    s.topMarginMm = top;
    s.leftMarginMm = left;
    s.style2BlockTopMm = f.style2BlockTopMm;
    s.style2BlockTopTwoColumnMm = f.style2BlockTopTwoColumnMm;
    s.style2BlockLeftMm = f.style2BlockLeftMm;
    s.style2SoilColumnWidthMm = f.style2SoilColumnWidthMm;
    s.style2ScaleColumnWidthMm = f.style2ScaleColumnWidthMm;
    s.style2GraphWidthMm = f.style2GraphWidthMm;
    s.style2BlockHeightMm = f.style2BlockHeightMm;
    return 0;
}

// ---- Line style ------------------------------------------------------------

std::span<const LineStyleIntegerControl> LineStyleIntegerControls() { return kLineStyleIntegers; }

std::span<const LineStyleColourControl> LineStyleColourControls() { return kLineStyleColours; }

LineStyleForm LoadLineStyleForm(const SheetSettings& s) {
    LineStyleForm f;
    for (const LineStyleIntegerControl& c : kLineStyleIntegers) f.*c.text = FormatInteger(s.*c.setting);
    f.tableRuleColour = s.tableRuleColour;
    f.grid1Colour = s.grid1Colour;
    f.grid2Colour = s.grid2Colour;
    f.monochrome = s.monochrome != 0;
    f.companyName = s.companyName;
    return f;
}

void ApplyColourMode(LineStyleForm& f) {
    if (!f.monochrome) f.tableRuleGapPx = "0";
}

void ApplyStandardLineStyle(LineStyleForm& f, bool fine) {
    f.underlineWidthPx = "2";
    f.underlineDashPx = "6";
    f.underlineGapPx = "6";
    f.boxLineWidthPx = "2";
    f.frameLineWidthPx = "1";
    f.tableRuleWidthPx = "1";
    f.tableRuleDashPx = "4";
    f.tableRuleGapPx = "2";
    f.grid1WidthPx = "1";
    f.grid2WidthPx = "0";
    f.plotLineWidthPx = "1";
    f.plotMarkWidthPx = "2";
    f.monochrome = false;
    f.tableRuleColour = "0x808080";
    f.grid1Colour = "0x404040";
    f.grid2Colour = "0x808080";
    ApplyColourMode(f);
    if (fine) {
        f.grid2WidthPx = "1";
        f.grid2Colour = "0xffff80";
    }
}

int StoreLineStyleForm(const LineStyleForm& f, SheetSettings& s) {
    long values[std::size(kLineStyleIntegers)];
    for (size_t i = 0; i < std::size(kLineStyleIntegers); ++i)
        if (!ParseWholeInteger(f.*kLineStyleIntegers[i].text, values[i])) return kLineStyleIntegers[i].control;
    for (size_t i = 0; i < std::size(kLineStyleIntegers); ++i) s.*kLineStyleIntegers[i].setting = values[i];
    s.tableRuleColour = f.tableRuleColour;
    s.grid1Colour = f.grid1Colour;
    s.grid2Colour = f.grid2Colour;
    s.monochrome = f.monochrome ? 1 : 0;
    s.companyName = f.companyName;
    // The grids are always drawn solid.
    s.grid1Dash = s.grid2Dash = 5;
    s.grid1Gap = s.grid2Gap = 0;
    return 0;
}

FieldText FormatColourText(unsigned long colour) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "0x%06lx", colour);
    return buffer;
}

// ---- Digits ----------------------------------------------------------------

std::vector<FieldText> DigitsChoices() {
    return {Cp932Literal("自動"), Cp932Literal("0 (整数)"), "1", "2"};
}

std::vector<FieldText> NdItemNameChoices() { return {Cp932Literal("Nd(回)"), Cp932Literal("Na(回)"), ""}; }

DigitsForm LoadDigitsForm(const SheetSettings& s) {
    return DigitsForm{s.digitsN, s.digitsDepth, s.digitsIncrement, s.digitsNd, s.ndItemName};
}

bool DigitsNeedStandardExample(const DigitsForm& form) { return form.digitsN.empty(); }

void ApplyStandardDigits(DigitsForm& f) {
    f.digitsN = "0";
    f.digitsDepth = Cp932Literal("自動");
    f.digitsIncrement = Cp932Literal("自動");
    f.digitsNd = "0";
    f.ndItemName = Cp932Literal("Nd(回)");
}

void StoreDigitsForm(const DigitsForm& f, SheetSettings& s) {
    s.digitsN = f.digitsN;
    s.digitsDepth = f.digitsDepth;
    s.digitsIncrement = f.digitsIncrement;
    s.digitsNd = f.digitsNd;
    s.ndItemName = f.ndItemName;
}

// ---- Fonts -----------------------------------------------------------------

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

std::vector<std::string> SaveFontFiles(const SettingsStore& store) {
    std::vector<std::string> failed;
    for (int slot = 1; slot <= kSheetFontCount; ++slot) {
        fs::path path = RealPath(FontFilePath(store, slot));
        if (!WriteFileAtomically(path, FormatFontFile(store.fonts[slot]))) failed.push_back(PathToUtf8(path));
    }
    return failed;
}

// ---- Install location ------------------------------------------------------

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

// ---- Guide -----------------------------------------------------------------

FieldText GuideFilePath(const SettingsStore& store) { return InstallFilePath(store, "Help.txt"); }

std::vector<FieldText> GuideLines(std::string_view bytes) {
    return SplitListEntries(bytes, kGuidePieceBytes, std::numeric_limits<size_t>::max());
}

}  // namespace vosk
