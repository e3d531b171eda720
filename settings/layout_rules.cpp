#include "settings/layout_rules.h"

#include "platform/string_table.h"
#include "survey/numbers.h"

namespace vosk {

using namespace layout_control;

namespace {

constexpr LayoutTextControl kLayoutTexts[] = {
    {kPointNoLabelWidth, &LayoutForm::pointNoLabelWidthMm, &SheetSettings::pointNoLabelWidthMm, "26"},
    {kPointNoStart, &LayoutForm::pointNoStartMm, &SheetSettings::pointNoStartMm, "31"},
    {kElevationStart, &LayoutForm::elevationStartMm, &SheetSettings::elevationStartMm, "68"},
    {kTitlePosition, &LayoutForm::titlePositionMm, &SheetSettings::titlePositionMm, "0"},
    {kBottomLine, &LayoutForm::bottomLinePositionMm, &SheetSettings::bottomLinePositionMm, "259"},
    {kTopMargin, &LayoutForm::topMarginMm, nullptr, "14"},
    {kLeftMargin, &LayoutForm::leftMarginMm, nullptr, "20"},
    {kStyle2BlockTop, &LayoutForm::style2BlockTopMm, &SheetSettings::style2BlockTopMm, "42"},
    {kStyle2BlockTopTwoColumn, &LayoutForm::style2BlockTopTwoColumnMm, &SheetSettings::style2BlockTopTwoColumnMm,
     "122"},
    {kStyle2BlockLeft, &LayoutForm::style2BlockLeftMm, &SheetSettings::style2BlockLeftMm, "86"},
    {kStyle2SoilColumnWidth, &LayoutForm::style2SoilColumnWidthMm, &SheetSettings::style2SoilColumnWidthMm, "5"},
    {kStyle2ScaleColumnWidth, &LayoutForm::style2ScaleColumnWidthMm, &SheetSettings::style2ScaleColumnWidthMm, "7"},
    {kStyle2GraphWidth, &LayoutForm::style2GraphWidthMm, &SheetSettings::style2GraphWidthMm, "80"},
    {kStyle2BlockHeight, &LayoutForm::style2BlockHeightMm, &SheetSettings::style2BlockHeightMm, "100"},
};

// Limits below which a start position of the point number block warns.
struct StartLimit {
    int control;
    double limit;
};
constexpr StartLimit kStartLimits[] = {{kPointNoStart, 20}, {kElevationStart, 30}, {kPointNoLabelWidth, 20}};

// The lowest sum of bottom line and top margin that leaves room below the
// special remarks (244.8 mm is where the style 1 sheet puts them), and the
// highest that still fits the paper.
constexpr double kRemarksBottomMm = 244.8;
constexpr double kLowestBottomSumMm = kRemarksBottomMm + 1;
constexpr double kHighestBottomSumMm = 280;
constexpr long kLowestTwoColumnTopMm = 110;

}  // namespace

std::span<const LayoutTextControl> LayoutTextControls() { return kLayoutTexts; }

LayoutForm LoadLayoutForm(const SheetSettings& s) {
    LayoutForm f;
    for (const LayoutTextControl& c : kLayoutTexts)
        if (c.setting) f.*c.text = s.*c.setting;
    f.hideMetreSign = s.hideMetreSign != 0;
    f.topMarginMm = FormatInteger(s.topMarginMm);
    f.leftMarginMm = FormatInteger(s.leftMarginMm);
    return f;
}

bool LayoutNeedsStandardExample(const LayoutForm& form) { return form.style2GraphWidthMm.empty(); }

void ApplyStandardLayout(LayoutForm& f) {
    for (const LayoutTextControl& c : kLayoutTexts) f.*c.text = FieldText(c.standard);
    f.hideMetreSign = false;
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
    if (!ParseWholeInteger(f.topMarginMm, top)) return kTopMargin;
    if (!ParseWholeInteger(f.leftMarginMm, left)) return kLeftMargin;
    for (const LayoutTextControl& c : kLayoutTexts)
        if (c.setting) s.*c.setting = f.*c.text;
    s.hideMetreSign = f.hideMetreSign ? 1 : 0;
    s.topMarginMm = top;
    s.leftMarginMm = left;
    return 0;
}

}  // namespace vosk
