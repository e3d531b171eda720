#include "render/report_page.h"

#include <cmath>

#include "platform/cp932.h"
#include "survey/numbers.h"

namespace vosk {
namespace {

constexpr std::array<double, 7> kStyle1Lines = {29.8, 31.4, 35.5, 36.4, 40.2, 44.0, 244.0};
constexpr std::array<double, 7> kStyle2Lines = {31.2, 32.3, 35.3, 38.3, 42.0, 254.5, 0};
constexpr Colour kBlack = 0;

bool IsStyle2(const SurveyData& survey) { return ParseInteger(survey.heading[heading::kSheetStyle]) == 1; }

// The depth scale denominator n of the sheet (1/n); below 1 it counts as 100.
long DepthScale(const SurveyData& survey) {
    long n = ParseInteger(survey.heading[heading::kDepthScale]);
    return n < 1 ? 100 : n;
}

}  // namespace

bool IsTwoColumnTable(const SurveyData& survey) { return ParseInteger(survey.heading[heading::kTwoColumns]) >= 1; }

int RowsPerPageFor(const SurveyData& survey) {
    if (IsStyle2(survey)) return 38;
    switch (ParseInteger(survey.heading[heading::kRowsPerPage])) {
        case 1: return 40;
        case 2: return 50;
        default: return 41;
    }
}

void DrawReportPage(SheetContext& cx) {
    double s = DepthScale(cx.survey) * 0.01;
    double topDepth = (cx.page - 1) * 20 * s;
    cx.map.yOffsetMm = 0;
    FontMetricsMm f1 = SelectSettingsFont(cx, 1);
    if (!IsStyle2(cx.survey)) {
        DrawHeadingBlock(cx, f1.emWidthMm, f1.emHeightMm, 175);
        cx.lines = kStyle1Lines;
        DrawStyle1Sheet(cx, topDepth, s);
    } else {
        DrawHeadingBlock(cx, f1.emWidthMm, f1.emHeightMm, 180);
        cx.lines = kStyle2Lines;
        DrawStyle2Sheet(cx);
    }
}

void DrawHeadingBlock(SheetContext& cx, double emWidthMm, double emHeightMm, double W) {
    const SheetSettings& set = cx.settings.sheet;
    const HeadingFields& h = cx.survey.heading;
    double B = ParseDecimal(set.bottomLinePositionMm);
    double T = ParseInteger(set.titlePositionMm);
    double P1 = ParseDecimal(set.pointNoStartMm);
    double P2 = ParseDecimal(set.elevationStartMm);
    double W1 = ParseDecimal(set.pointNoLabelWidthMm);
    bool jgsFrame = ParseInteger(h[heading::kJgsFrame]) == 1;

    if (jgsFrame) {
        DrawLineMm(cx, 1, T + 1, W, T + 1, set.boxLineWidthPx, kBlack);
        DrawLineMm(cx, 1, T + 10, W, T + 10, set.boxLineWidthPx, kBlack);
        DrawLineMm(cx, 34, T + 1, 34, T + 10, set.boxLineWidthPx, kBlack);
        DrawLineMm(cx, 146, T + 1, 146, T + 10, set.boxLineWidthPx, kBlack);
    }
    DrawDashedLineMm(cx, 18, 21, 108, 21, set.underlineDashPx, set.underlineGapPx, set.underlineWidthPx, kBlack);
    DrawDashedLineMm(cx, 131, 21, W, 21, set.underlineDashPx, set.underlineGapPx, set.underlineWidthPx, kBlack);
    DrawLineMm(cx, 1, B, W, B, set.boxLineWidthPx, kBlack);

    static const std::string kTitle = Cp932Literal("簡易動的コーン貫入試験");
    DrawSpreadText(cx, 49, 133, T + 1, T + 10, emWidthMm, emHeightMm, kTitle);
    if (jgsFrame) {
        cx.canvas.SetTextAlign(HAlign::Center, VAlign::Bottom);
        TextOutMm(cx, 17, (2 * T + 11 + emHeightMm) / 2, "JGS 1433");
    }

    cx.canvas.SetTextAlign(HAlign::Left, VAlign::Bottom);
    if (h[heading::kSurveyName2].empty()) {
        TextOutMm(cx, 18, 17 + emHeightMm / 2, h[heading::kSurveyName1]);
    } else {
        TextOutMm(cx, 18, 17 - emHeightMm / 2, h[heading::kSurveyName1]);
        TextOutMm(cx, 18, 17 + emHeightMm / 2, h[heading::kSurveyName2]);
    }
    static const std::string kYear = Cp932Literal("年"), kMonth = Cp932Literal("月"), kDay = Cp932Literal("日");
    TextOutMm(cx, 131, 17 + emHeightMm / 2,
              h[heading::kDatePrefix] + PadLeft(h[heading::kYear], 2) + kYear + PadLeft(h[heading::kMonth], 2) + kMonth + PadLeft(h[heading::kDay], 2) + kDay);

    double y2 = 25.2 + emHeightMm / 2;
    TextOutMm(cx, P1, y2, h[heading::kPointNumber]);
    bool parentheses = ParseInteger(h[heading::kElevationInParentheses]) == 1;
    bool metreSign = set.hideMetreSign != 1 && IsNumericText(h[heading::kElevation]) == 1;
    std::string elevation = h[heading::kDatumKind] + " " + h[heading::kElevation] + (metreSign ? "m" : "");
    if (parentheses)
        TextOutMm(cx, P2, y2, "( " + elevation + " )");
    else
        TextOutMm(cx, P2 + 1, y2, elevation);
    TextOutMm(cx, 131, y2, h[heading::kTester]);

    FontMetricsMm f2 = SelectSettingsFont(cx, 2);
    static const std::string kSurveyName = Cp932Literal("調査件名"), kTestDate = Cp932Literal("試験年月日"),
                             kPointNo = Cp932Literal("地点番号 (地盤高)"), kTester = Cp932Literal("試 験 者");
    DrawSpreadText(cx, 1, 15, 17, 17, f2.emWidthMm, f2.emHeightMm, kSurveyName);
    DrawSpreadText(cx, 112, 127.5, 17, 17, f2.emWidthMm, f2.emHeightMm, kTestDate);
    DrawSpreadText(cx, 1, W1 + 1, 25.2, 25.2, f2.emWidthMm, f2.emHeightMm, kPointNo);
    DrawSpreadText(cx, 112, 127.5, 25.2, 25.2, f2.emWidthMm, f2.emHeightMm, kTester);

    if (ParseInteger(h[heading::kCompanyRight]) == 0) {
        cx.canvas.SetTextAlign(HAlign::Left, VAlign::Top);
        TextOutMm(cx, 1, B + 1.5, h[heading::kCompanyName]);
    } else {
        cx.canvas.SetTextAlign(HAlign::Right, VAlign::Top);
        TextOutMm(cx, W, B + 1.5, h[heading::kCompanyName]);
    }
}

void DrawPageFooter(SheetContext& cx, int mode, double bottomLineY) {
    const HeadingFields& h = cx.survey.heading;
    SheetMapping saved = cx.map;
    cx.map.leftMarginMm = 0;
    cx.map.topMarginMm = 0;
    SelectSettingsFont(cx, 6);

    std::string text;
    if (mode == 1 || mode == 2) {
        std::string number = h[heading::kFooterStartPage];
        if (IsNumericText(h[heading::kFooterStartPage]) == 1)
            number = FormatInteger(ParseInteger(h[heading::kFooterStartPage]) + (mode == 2 ? cx.page - 1 : 0));
        text = h[heading::kFooterBefore] + number + h[heading::kFooterAfter];
    }
    if (!text.empty()) {
        bool centred = ParseInteger(h[heading::kFooterCentred]) == 1;
        cx.canvas.SetTextAlign(centred ? HAlign::Center : HAlign::Left, VAlign::Top);
        double x = ParseDecimal(centred ? h[heading::kFooterCentreMm] : h[heading::kFooterLeftMm]);
        double y = ParseDecimal(h[heading::kFooterTopMm]);
        if (ParseInteger(h[heading::kFooterFromBottomLine]) == 1) {
            cx.map.topMarginMm = saved.topMarginMm;
            y = ParseDecimal(h[heading::kFooterBelowLineMm]) + bottomLineY;
        }
        TextOutMm(cx, x, y, text);
        cx.canvas.SetTextAlign(HAlign::Left, VAlign::Top);
    }
    cx.map = saved;
}

void PlotBlowPoints(SheetContext& cx, const PlotArea& a, std::string_view unit) {
    const SheetSettings& set = cx.settings.sheet;
    ClipToRectMm(cx, a.xLeft - 1.8, a.yTop - 1.0, a.xRight + 1.2, a.yBottom + 1.2);
    bool newLine = true;
    double px = 0, py = 0;
    for (int t = 1; t <= kBlowRowCount; ++t) {
        const BlowRow& row = cx.survey.blow[t];
        if (IsNumericText(row[2]) != 1) break;
        if (IsNumericText(row[4]) != 1) {
            newLine = true;  // the polyline breaks at a row without Nd
            continue;
        }
        double nd = ParseDecimal(FormatTableValue(cx.survey, set, t, 4, unit));
        double x = InterpolateLinear(nd, 0, a.ndMax, a.xLeft, a.xRight);
        double y = InterpolateLinear(ParseDecimal(row[2]) * 0.01, a.topDepth, a.bottomDepth, a.yTop, a.yBottom);
        DrawCircleMm(cx, x, y, 1.0, set.plotMarkWidthPx, kBlack);
        DrawCircleMm(cx, x, y, 0.2, set.plotMarkWidthPx, kBlack);
        if (set.plotLineWidthPx >= 1) {
            if (newLine)
                newLine = false;
            else
                DrawLineMm(cx, px, py, x, y, set.plotLineWidthPx, kBlack);
            px = x;
            py = y;
        }
    }
    cx.canvas.ResetClip();
}

int CountSheetPages(const SurveyData& survey, PageState& state) {
    int count = 0;
    while (count < kBlowRowCount && IsNumericText(survey.blow[count + 1][2]) == 1) ++count;
    const int rowsPerPage = RowsPerPageFor(survey);
    int pages;
    if (IsStyle2(survey)) {
        int per = rowsPerPage + (IsTwoColumnTable(survey) ? 13 : 0);
        pages = (count - 1) / per + 1;
    } else {
        int byRows = (count - 1) / rowsPerPage + 1;
        double last = count > 0 ? ParseDecimal(survey.blow[count][2]) * 0.01 : 0;
        double byDepth = std::floor(last / (DepthScale(survey) * 0.01 * 20) + 0.01) + 1;
        pages = byRows;
        // A huge or broken depth must not make the page count absurd.
        if (byDepth > pages) pages = byDepth < 100000 ? static_cast<int>(byDepth) : 100000;
    }
    if (pages < 1) pages = 1;
    if (state.currentPage > pages) state.currentPage = 1;
    return pages;
}

void DrawSheetPage(Canvas& canvas, const SurveyData& survey, const SettingsStore& settings, int page) {
    SheetContext cx{canvas,
                    MakeSheetMapping(canvas.DpiX(), canvas.DpiY(), static_cast<double>(settings.sheet.leftMarginMm),
                                     static_cast<double>(settings.sheet.topMarginMm)),
                    survey, settings, page};
    DrawReportPage(cx);
}

void DrawSheetPages(const SurveyData& survey, const SettingsStore& settings, PagedOutput& out) {
    PageState state;
    const int pages = CountSheetPages(survey, state);
    for (int page = 1; page <= pages; ++page)
        if (Canvas* canvas = out.BeginPage()) DrawSheetPage(*canvas, survey, settings, page);
}

}  // namespace vosk
