// Style 1, the standard layout: items row, one-column blow-count table,
// depth column and the Nd graph on a 1 mm / 10 mm grid.

#include <algorithm>

#include "platform/cp932.h"
#include "render/report_page.h"
#include "survey/numbers.h"

namespace vosk {
namespace {

constexpr Colour kBlack = 0;
constexpr double kGraphLeft = 99, kGraphRight = 174;

// The Nd scale m: Nd per 10 mm of graph; 0 or less counts as 10.
long NdScale(const SurveyData& survey) {
    long m = ParseInteger(survey.heading[heading::kNdScale]);
    return m <= 0 ? 10 : m;
}

std::string DepthOrText(const FieldText& field) {
    return IsNumericText(field) == 1 ? FormatFixed(ParseDecimal(field), 2, 5) : field;
}

}  // namespace

void DrawStyle1Sheet(SheetContext& cx, double topDepth, double s) {
    const SheetSettings& set = cx.settings.sheet;
    const HeadingFields& hd = cx.survey.heading;
    const auto& L = cx.lines;
    const double B = ParseDecimal(set.bottomLinePositionMm);
    const int rows = RowsPerPageFor(cx.survey);
    const double rowHeight = (L[6] - L[5]) / rows;
    const double bottomDepth = topDepth + 20 * s;
    const Colour grid1 = ParseColour(set.grid1Colour), grid2 = ParseColour(set.grid2Colour);

    for (int i = 0; i <= 19; ++i)
        for (int j = 1; j <= 9; ++j)
            DrawLineMm(cx, kGraphLeft, L[5] + 10 * i + j, kGraphRight, L[5] + 10 * i + j, set.grid2WidthPx, grid2);
    for (int i = 1; i <= 20; ++i)
        DrawLineMm(cx, kGraphLeft, L[5] + 10 * i, kGraphRight, L[5] + 10 * i, set.grid1WidthPx, grid1);
    for (int j = 1; j <= 75; ++j) {
        bool coarse = j % 10 == 0;
        DrawLineMm(cx, kGraphLeft + j, L[5], kGraphLeft + j, L[6], coarse ? set.grid1WidthPx : set.grid2WidthPx,
                   coarse ? grid1 : grid2);
    }
    for (double x : {30, 59, 87, 114, 141}) DrawLineMm(cx, x, L[0], x, L[2], set.frameLineWidthPx, kBlack);
    for (double x : {17, 33, 49, 65, 87}) DrawLineMm(cx, x, L[2], x, L[6], set.frameLineWidthPx, kBlack);
    DrawLineMm(cx, kGraphLeft, L[2], kGraphLeft, L[4], set.frameLineWidthPx, kBlack);
    DrawLineMm(cx, kGraphLeft, L[5], kGraphLeft, L[6], set.frameLineWidthPx, kBlack);
    for (double y : {L[0], L[2], L[5]}) DrawLineMm(cx, 1, y, kGraphRight, y, set.boxLineWidthPx, kBlack);
    for (int r = 1; r <= rows; ++r) {
        double y = L[5] + r * rowHeight;
        if (set.monochrome == 0)
            DrawLineMm(cx, 1, y, 87, y, set.tableRuleWidthPx, ParseColour(set.tableRuleColour));
        else
            DrawDashedLineMm(cx, 1, y, 87, y, set.tableRuleDashPx, set.tableRuleGapPx, set.tableRuleWidthPx, kBlack);
    }

    // Items row and table header.
    FontMetricsMm f3 = SelectSettingsFont(cx, 3);
    static const std::string kTestDepth = Cp932Literal("試験深さ m"), kRodLength = Cp932Literal("ロッド長さ m"),
                             kWeather = Cp932Literal("天候");
    DrawSpreadText(cx, 3, 27, L[0], L[2], f3.emWidthMm, f3.emHeightMm, kTestDepth);
    DrawSpreadText(cx, 61, 84, L[0], L[2], f3.emWidthMm, f3.emHeightMm, kRodLength);
    DrawSpreadText(cx, 117, 138, L[0], L[2], f3.emWidthMm, f3.emHeightMm, kWeather);
    cx.canvas.SetTextAlign(HAlign::Left, VAlign::Top);
    TextOutMm(cx, 32, L[1], DepthOrText(hd[heading::kTestDepth]));
    TextOutMm(cx, 89, L[1], DepthOrText(hd[heading::kRodLength]));
    TextOutMm(cx, 143, L[1], hd[heading::kWeather]);

    static const std::string kNa = Cp932Literal("Na(回)");
    static const std::string kHeader[7][2] = {
        {Cp932Literal("打撃回数"), Cp932Literal("N(回)")}, {Cp932Literal("貫入長さ"), "(mm)"},
        {Cp932Literal("貫入量⊿h"), "(mm)"},                {"", Cp932Literal("100N/⊿h")},
        {"", ""},                                          {Cp932Literal("深さ"), "m"},
        {Cp932Literal("Ｎd"), ""}};
    static const double kCentres[7] = {9, 25, 41, 57, 76, 93, 136.5};
    cx.canvas.SetTextAlign(HAlign::Center, VAlign::Top);
    for (int c = 0; c < 7; ++c) {
        const std::string& first = c == 3 ? (set.ndItemName.empty() ? kNa : set.ndItemName) : kHeader[c][0];
        TextOutMm(cx, kCentres[c], L[3], first);
        TextOutMm(cx, kCentres[c], L[4], kHeader[c][1]);
    }
    static const std::string kRemarks = Cp932Literal("記 事");
    TextOutMm(cx, 76, (L[3] + L[4]) / 2, kRemarks);

    // Special remarks.
    double step = std::min(1.3 * f3.emHeightMm, (B - 244.8) / 5);
    DrawLineMm(cx, 1, 244.8, 175, 244.8, set.boxLineWidthPx, kBlack);
    cx.canvas.SetTextAlign(HAlign::Left, VAlign::Top);
    static const std::string kSpecial = Cp932Literal("特記事項");
    TextOutMm(cx, 1, 245.8, kSpecial);
    for (int k = 1; k <= 3; ++k) TextOutMm(cx, 3, 245.8 + k * step, hd[heading::kRemark1 + k - 1]);

    // Table rows of this page.
    SelectSettingsFont(cx, 4);
    cx.canvas.SetTextAlign(HAlign::Right, VAlign::Bottom);
    static const double kValueRight[4] = {15, 31, 47, 63};
    for (int r = 1; r <= rows; ++r) {
        int t = (cx.page - 1) * rows + r;
        if (t > kBlowRowCount) break;
        double y = L[5] + r * rowHeight - 0.5;
        for (int c = 1; c <= 4; ++c)
            TextOutMm(cx, kValueRight[c - 1], y, FormatTableValue(cx.survey, set, t, c, "mm"));
    }
    cx.canvas.SetTextAlign(HAlign::Left, VAlign::Bottom);
    for (int r = 1; r <= rows; ++r) {
        int t = (cx.page - 1) * rows + r;
        if (t > kBlowRowCount) break;
        TextOutMm(cx, 65.8, L[5] + r * rowHeight - 0.5, cx.survey.blow[t][5]);
    }

    // Depth figures and the Nd scale.
    FontMetricsMm f5 = SelectSettingsFont(cx, 5);
    cx.canvas.SetTextAlign(HAlign::Right, VAlign::Bottom);
    double depthStep = s <= 0.2 ? 0.2 : s == 0.25 ? 0.5 : s <= 1.001 ? 1 : 2;
    int decimals = s <= 0.2 || s == 0.25 ? 1 : 0;
    // Counted steps, so a rounding error never adds or drops a figure; the
    // page shows at most 20 s / step figures.
    for (int k = 1;; ++k) {
        double d = topDepth + k * depthStep;
        if (!(d <= bottomDepth + 0.01) || k > 10000) break;
        TextOutMm(cx, 98, InterpolateLinear(d, topDepth, bottomDepth, L[5], L[6]) + f5.emHeightMm / 2,
                  FormatFixed(d, decimals, 1));
    }
    long m = NdScale(cx.survey);
    cx.canvas.SetTextAlign(HAlign::Center, VAlign::Bottom);
    for (int k = 0; k <= 7; ++k) {
        long long value = static_cast<long long>(k) * m;
        if (value > 10000) break;
        TextOutMm(cx, kGraphLeft + 10 * k, L[5], std::to_string(value));
    }

    PlotNdCurve(cx, kGraphLeft, kGraphRight, L[5], L[6], topDepth, bottomDepth);
    DrawPageFooter(cx, 2, B);
}

void PlotNdCurve(SheetContext& cx, double xLeft, double xRight, double yTop, double yBottom, double topDepth,
                 double bottomDepth) {
    double ndMax = 7.5 * static_cast<double>(ParseInteger(cx.survey.heading[heading::kNdScale]));
    if (ndMax < 1) ndMax = 75;
    PlotBlowPoints(cx, PlotArea{xLeft, xRight, yTop, yBottom, topDepth, bottomDepth, ndMax}, "");
}

}  // namespace vosk
