// Style 2, the older layout: one or two blow-count tables, the soil column
// with its names, the depth scale and the fixed 0–5 m, 0–40 Nd graph.

#include <algorithm>
#include <vector>

#include "platform/cp932.h"
#include "render/report_page.h"
#include "survey/numbers.h"

namespace vosk {
namespace {

constexpr Colour kBlack = 0;
constexpr int kStyle2Rows = 38;
constexpr int kRightTableRows = 13;
constexpr double kGraphDepthM = 5;
constexpr double kGraphNd = 40;
// Names are handled up to this many bytes.
constexpr size_t kMaxNameBytes = 500;

void DrawRowRule(SheetContext& cx, double x1, double x2, double y) {
    const SheetSettings& set = cx.settings.sheet;
    if (set.monochrome == 0)
        DrawLineMm(cx, x1, y, x2, y, set.tableRuleWidthPx, ParseColour(set.tableRuleColour));
    else
        DrawDashedLineMm(cx, x1, y, x2, y, set.tableRuleDashPx, set.tableRuleGapPx, set.tableRuleWidthPx, kBlack);
}

// The characters of a CP932 text; a lead byte at the very end stands alone.
std::vector<std::string_view> Characters(std::string_view text) {
    std::vector<std::string_view> chars;
    for (size_t i = 0; i < text.size();) {
        size_t len = Cp932CharLength(text, i);
        chars.push_back(text.substr(i, len));
        i += len;
    }
    return chars;
}

}  // namespace

void DrawStyle2Sheet(SheetContext& cx) {
    const SheetSettings& set = cx.settings.sheet;
    const HeadingFields& hd = cx.survey.heading;
    const auto& L = cx.lines;
    const double B = ParseDecimal(set.bottomLinePositionMm);
    const double h = (L[5] - L[4]) / kStyle2Rows;
    const bool twoColumns = IsTwoColumnTable(cx.survey);
    const Colour grid1 = ParseColour(set.grid1Colour), grid2 = ParseColour(set.grid2Colour);

    const double X0 = ParseDecimal(set.style2BlockLeftMm);
    const double Y0 = ParseDecimal(twoColumns ? set.style2BlockTopTwoColumnMm : set.style2BlockTopMm);
    const double Ws = ParseDecimal(set.style2SoilColumnWidthMm);
    const double Wk = ParseDecimal(set.style2ScaleColumnWidthMm);
    const double Wg = ParseDecimal(set.style2GraphWidthMm);
    const double Hg = ParseDecimal(set.style2BlockHeightMm);
    const double Gl = X0 + Ws + Wk, Gr = Gl + Wg, Yb = Y0 + Hg;

    // Tables.
    static constexpr double kLeftEdges[5] = {1, 21, 41, 61, 81};
    for (double x : kLeftEdges) DrawLineMm(cx, x, L[0], x, L[5], set.frameLineWidthPx, kBlack);
    for (double y : {L[0], L[4], L[5]}) DrawLineMm(cx, 1, y, 81, y, set.frameLineWidthPx, kBlack);
    for (int r = 1; r <= 37; ++r) DrawRowRule(cx, 1, 81, L[4] + r * h);
    const double y13 = L[4] + 13 * h;
    if (twoColumns) {
        for (double x : kLeftEdges) DrawLineMm(cx, x + 97, L[0], x + 97, y13, set.frameLineWidthPx, kBlack);
        for (double y : {L[0], L[4], y13}) DrawLineMm(cx, 98, y, 178, y, set.frameLineWidthPx, kBlack);
        for (int r = 1; r <= 12; ++r) DrawRowRule(cx, 98, 178, L[4] + r * h);
    }

    // Graph grid and the frame of the soil and graph region.
    for (int k = 1; k <= 4; ++k) DrawLineMm(cx, X0 + Ws, Y0 + k * Hg / 5, Gr, Y0 + k * Hg / 5, set.grid1WidthPx, grid1);
    for (int k = 0; k <= 4; ++k)
        for (int j = 1; j <= 9; ++j) {
            double y = Y0 + k * Hg / 5 + j * Hg / 50;
            DrawLineMm(cx, Gl, y, Gr, y, set.grid2WidthPx, grid2);
        }
    for (int j = 1; j <= 39; ++j) {
        bool coarse = j % 10 == 0;
        double x = Gl + j * Wg / 40;
        DrawLineMm(cx, x, Y0, x, Yb, coarse ? set.grid1WidthPx : set.grid2WidthPx, coarse ? grid1 : grid2);
    }
    for (double x : {X0, X0 + Ws, Gl, Gr}) DrawLineMm(cx, x, Y0, x, Yb, set.frameLineWidthPx, kBlack);
    DrawLineMm(cx, X0, Y0, X0 + Ws, Y0, set.frameLineWidthPx, kBlack);
    DrawLineMm(cx, Gl, Y0, Gr, Y0, set.frameLineWidthPx, kBlack);
    DrawLineMm(cx, Gl, Yb, Gr, Yb, set.frameLineWidthPx, kBlack);

    // Table headers.
    FontMetricsMm f3 = SelectSettingsFont(cx, 3);
    static const std::string kHeader[4][3] = {
        {Cp932Literal("打撃回数"), "N", Cp932Literal("回")},
        {Cp932Literal("貫入深さ"), "h", "cm"},
        {Cp932Literal("貫入量"), Cp932Literal("⊿h=hn-hn-1"), "cm"},
        {"", Cp932Literal("Nd=10N/⊿h"), ""}};
    cx.canvas.SetTextAlign(HAlign::Center, VAlign::Top);
    for (int table = 0; table < (twoColumns ? 2 : 1); ++table)
        for (int c = 0; c < 4; ++c)
            for (int line = 0; line < 3; ++line)
                TextOutMm(cx, 11 + 20 * c + 97 * table, L[1 + line], kHeader[c][line]);

    // Special remarks.
    double top = 228.5;
    double step = std::min(1.2 * f3.emHeightMm, (B - top) / 5);
    if (Yb + 4 > top) {
        top = Yb + 4;
        step = std::min(1.2 * f3.emHeightMm, (B - top) / 3);
    }
    DrawLineMm(cx, 90.8, top, 180.6, top, set.boxLineWidthPx, kBlack);
    cx.canvas.SetTextAlign(HAlign::Left, VAlign::Top);
    static const std::string kSpecial = Cp932Literal("特記事項");
    TextOutMm(cx, 90.8, top + 1, kSpecial);
    for (int k = 1; k <= 3; ++k) TextOutMm(cx, 92.8, top + 1 + k * step, hd[heading::kRemark1 + k - 1]);

    // Table rows of this page: the left table, then the right one.
    SelectSettingsFont(cx, 4);
    cx.canvas.SetTextAlign(HAlign::Right, VAlign::Bottom);
    const int perPage = kStyle2Rows + (twoColumns ? kRightTableRows : 0);
    const int first = (cx.page - 1) * perPage;
    for (int r = 1; r <= kStyle2Rows && first + r <= kBlowRowCount; ++r)
        for (int c = 1; c <= 4; ++c)
            TextOutMm(cx, 19 + 20 * (c - 1), L[4] + r * h - 0.5, FormatTableValue(cx.survey, set, first + r, c, "cm"));
    if (twoColumns)
        for (int r = 1; r <= kRightTableRows && first + kStyle2Rows + r <= kBlowRowCount; ++r)
            for (int c = 1; c <= 4; ++c)
                TextOutMm(cx, 116 + 20 * (c - 1), L[4] + r * h - 0.5,
                          FormatTableValue(cx.survey, set, first + kStyle2Rows + r, c, "cm"));

    // Scale texts of the graph.
    FontMetricsMm f5 = SelectSettingsFont(cx, 5);
    cx.canvas.SetTextAlign(HAlign::Center, VAlign::Top);
    static const std::string kArrow = Cp932Literal("↓"), kNdArrow = Cp932Literal("→Nd");
    TextOutMm(cx, Gl - f5.emWidthMm / 2, Y0, kArrow);
    TextOutMm(cx, Gl - f5.emWidthMm / 2, Y0 + f5.emHeightMm, "h");
    cx.canvas.SetTextAlign(HAlign::Left, VAlign::Top);
    for (int i = 0; i <= 45; i += 5) {
        double y = Y0 + i * Hg / 50;
        DrawLineMm(cx, X0 + Ws, y, X0 + Ws + 0.8, y, set.grid1WidthPx, kBlack);
        TextOutMm(cx, X0 + Ws + 1.2, y - f5.emHeightMm / 2, i == 0 ? std::string("0") : FormatFixed(i / 10.0, 1));
    }
    cx.canvas.SetTextAlign(HAlign::Left, VAlign::Bottom);
    TextOutMm(cx, Gl, Y0 - f5.emHeightMm / 2, kNdArrow);
    cx.canvas.SetTextAlign(HAlign::Center, VAlign::Bottom);
    for (int v = 5; v <= 40; v += 5) TextOutMm(cx, Gl + v * Wg / 40, Y0, std::to_string(v));

    DrawSoilColumn(cx, Y0, Hg, X0, X0 + Ws, Gl, Gr);
    DrawPageFooter(cx, 1, B);
}

void DrawSoilColumn(SheetContext& cx, double Y0, double Hg, double x0, double x1, double Gl, double Gr) {
    const SheetSettings& set = cx.settings.sheet;
    const double Yb = Y0 + Hg;
    const bool vertical = ParseInteger(cx.survey.heading[heading::kVerticalSoilNames]) != 0;
    cx.canvas.SetTextAlign(HAlign::Left, VAlign::Top);
    double yPrev = Y0;
    static const std::string kA = Cp932Literal("あ");
    for (int r = 1; r <= kSoilRowCount; ++r) {
        const SoilRow& row = cx.survey.soil[r];
        if (IsNumericText(row[1]) != 1) break;
        double y = InterpolateLinear(ParseDecimal(row[1]), 0, kGraphDepthM, Y0, Yb);
        std::string_view name = std::string_view(row[2]).substr(0, kMaxNameBytes);
        if (!vertical) {
            DrawTextInRectMm(cx, x0, yPrev, x1, y, name, kWordBreak | kNoClip);
        } else {
            double ch = DrawTextInRectMm(cx, x0, yPrev, x1, y, kA, kWordBreak | kNoClip | kMeasureOnly) /
                        cx.map.contentScaleY;
            DrawVerticalSoilName(cx, x0, yPrev, x1, y, ch, name, 1);
        }
        DrawLineMm(cx, x0, y, x1, y, std::max(set.grid1WidthPx, 1L), kBlack);
        yPrev = y;
    }

    PlotBlowPoints(cx, PlotArea{Gl, Gr, Y0, Yb, 0, kGraphDepthM, kGraphNd}, "cm");
}

void DrawVerticalSoilName(SheetContext& cx, double x1, double y1, double x2, double y2, double ch,
                          std::string_view name, int mode) {
    if (name.empty()) return;
    name = name.substr(0, kMaxNameBytes);
    cx.canvas.SetTextAlign(HAlign::Left, VAlign::Top);
    if (!IsCp932LeadByte(static_cast<unsigned char>(name[0]))) {
        size_t slash = FindCp932(name, "/");
        if (slash != std::string_view::npos) {
            TextOutMm(cx, x1, y2 - 2 * ch, name.substr(0, slash));
            TextOutMm(cx, x1, y2 - ch, "/" + std::string(name.substr(slash + 1)));
        } else {
            TextOutMm(cx, x1, y2 - ch, name);
        }
        return;
    }
    std::vector<std::string_view> chars = Characters(name);
    const double n = static_cast<double>(std::max<size_t>(chars.size(), 1));
    const double total = n * ch;
    double yStart = (y1 + y2) / 2 - total / 2;
    if (yStart < y1 && y2 - y1 < 0.7 * total) {
        double needed = DrawTextInRectMm(cx, x1, y1, x2, y2, name, kWordBreak | kNoClip | kMeasureOnly) /
                        cx.map.contentScaleY;
        if (needed < y2 - y1)
            DrawTextInRectMm(cx, x1, y1, x2, y2, name, kWordBreak | kNoClip);
        else
            TextOutMm(cx, x1, std::max(y1, y2 - ch), name);
        return;
    }
    const double step = std::min(ch, (y2 - y1) / (n + 1));
    yStart = std::max(yStart, y1);
    if (mode == 1) yStart = std::min(yStart, y1 + step);
    const double xc = (x1 + x2) / 2;
    static const std::string kLongVowel = Cp932Literal("ー"), kHyphen = Cp932Literal("－"),
                             kBar = Cp932Literal("｜"), kSmallKana = Cp932Literal("ッャュョァィゥェォ");
    for (std::string_view c : chars) {
        std::string_view glyph = c == kLongVowel || c == kHyphen ? std::string_view(kBar) : c;
        bool small = c.size() == 2 && FindCp932(kSmallKana, c) != std::string_view::npos;
        double shift = small ? 1.8 * ch : 0;
        DrawTextInRectMm(cx, xc - ch / 2 + shift, yStart, xc + 0.4 * ch, yStart, glyph, kWordBreak | kNoClip);
        yStart += step;
    }
}

}  // namespace vosk
