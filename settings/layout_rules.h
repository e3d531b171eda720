#pragma once
// The rules of the layout dialog ("表とグラフ  印刷時の配置・サイズ") that
// need no widgets: what it shows, its standard example, when it warns and
// what OK stores.

#include <span>
#include <string_view>

#include "settings/sheet_settings.h"

namespace vosk {

// The layout dialog's controls by number.
namespace layout_control {
inline constexpr int kPointNoLabelWidth = 1009;
inline constexpr int kPointNoStart = 1007;
inline constexpr int kElevationStart = 1008;
inline constexpr int kHideMetreSign = 1062;
inline constexpr int kTitlePosition = 1128;
inline constexpr int kBottomLine = 1012;
inline constexpr int kTopMargin = 1119;
inline constexpr int kLeftMargin = 1118;
inline constexpr int kStyle2BlockTop = 1001;
inline constexpr int kStyle2BlockTopTwoColumn = 1006;
inline constexpr int kStyle2BlockLeft = 1000;
inline constexpr int kStyle2SoilColumnWidth = 1002;
inline constexpr int kStyle2ScaleColumnWidth = 1003;
inline constexpr int kStyle2GraphWidth = 1004;
inline constexpr int kStyle2BlockHeight = 1005;
inline constexpr int kStandardExample = 1080;
}  // namespace layout_control

// What the layout dialog edits; every value is text as typed (the margins
// become integers when taken).
struct LayoutForm {
    FieldText pointNoLabelWidthMm;
    FieldText pointNoStartMm;
    FieldText elevationStartMm;
    bool hideMetreSign = false;
    FieldText titlePositionMm;
    FieldText bottomLinePositionMm;
    FieldText topMarginMm;
    FieldText leftMarginMm;
    FieldText style2BlockTopMm;
    FieldText style2BlockTopTwoColumnMm;
    FieldText style2BlockLeftMm;
    FieldText style2SoilColumnWidthMm;
    FieldText style2ScaleColumnWidthMm;
    FieldText style2GraphWidthMm;
    FieldText style2BlockHeightMm;
};

// The text edits of the layout dialog by control number, with the setting
// each one shows (none for the margins, which are integers there) and its
// value in the standard example.
struct LayoutTextControl {
    int control;
    FieldText LayoutForm::*text;
    FieldText SheetSettings::*setting;
    std::string_view standard;
};
std::span<const LayoutTextControl> LayoutTextControls();

LayoutForm LoadLayoutForm(const SheetSettings& s);
// Opening with an empty graph width fills in the standard example.
bool LayoutNeedsStandardExample(const LayoutForm& form);
// "標準の設定例": all fifteen values, the 'm' flag cleared.
void ApplyStandardLayout(LayoutForm& form);

// Leaving the point number start, the elevation start or the label width
// with a value below its limit (20, 30, 20): string 4010, else 0.
int StartPositionWarning(int control, std::string_view text);
// Bottom line + top margin (both as integers) below 245.8 mm: 134; above
// 280 mm: 135; else 0.
int BottomLineWarning(std::string_view bottomLine, std::string_view topMargin);
// A non-empty top position for two table columns of 110 or less: 4033, else 0.
int TwoColumnTopWarning(std::string_view text);

// Stores the form; a margin that is not an integer stores nothing and gives
// its control number (the top margin before the left). 0 when stored.
int StoreLayoutForm(const LayoutForm& form, SheetSettings& s);

}  // namespace vosk
