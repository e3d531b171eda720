#include "render/site_section_drawing.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/cp932.h"
#include "render/report_page.h"
#include "survey/numbers.h"

namespace vosk {
namespace {

constexpr Colour kBlack = 0;
constexpr double kPageMargin = 10;
constexpr double kTitleTop = 8;
// The threshold line's dash and gap; the settings' dashes are the survey
// name underline's, a few pixels long.
constexpr double kDashMm = 2.0, kGapMm = 1.0;
// Rows of name labels above the frame and of position labels below it.
constexpr int kMaxNameRows = 3;
constexpr int kMaxPositionRows = 2;

// The fonts: 1 the title, 2 the survey name, 3 point names and the legend,
// 5 scale figures and soil names (as on the sheet).
constexpr int kTitleFont = 1, kSurveyFont = 2, kLabelFont = 3, kFigureFont = 5;

std::string Text(const char* utf8) { return Cp932Literal(utf8); }

// The width of a CP932 text by the plain model: a double-byte character one
// em, a single-byte one half an em.
double TextWidthMm(std::string_view text, double emWidthMm) {
    double w = 0;
    for (size_t i = 0; i < text.size();) {
        size_t n = Cp932CharLength(text, i);
        w += n == 2 ? emWidthMm : emWidthMm / 2;
        i += n;
    }
    return w;
}

std::string ElevationText(const SectionPoint& p, bool byDepth) {
    if (!byDepth) return FormatFixed(p.elevation, 2);
    return p.hasElevation ? "(" + FormatFixed(p.elevation, 2) + ")" : std::string();
}

// Puts each label in the lowest row where it keeps clear of the label
// before it in that row; labels are centred at `centres`, in order.
std::vector<int> PlaceInRows(const std::vector<double>& centres, const std::vector<double>& widths, int maxRows) {
    std::vector<int> rows(centres.size(), 0);
    std::vector<double> rightEdge(static_cast<size_t>(maxRows), -1e9);
    for (size_t i = 0; i < centres.size(); ++i) {
        double left = centres[i] - widths[i] / 2;
        int row = -1;
        for (int r = 0; r < maxRows && row < 0; ++r)
            if (left >= rightEdge[static_cast<size_t>(r)] + 1.0) row = r;
        if (row < 0) {
            // No row is clear: the one whose last label ends first.
            row = static_cast<int>(std::min_element(rightEdge.begin(), rightEdge.end()) - rightEdge.begin());
        }
        rows[i] = row;
        rightEdge[static_cast<size_t>(row)] = centres[i] + widths[i] / 2;
    }
    return rows;
}

int RowCount(const std::vector<int>& rows) {
    int n = 0;
    for (int r : rows) n = std::max(n, r + 1);
    return std::max(n, 1);
}

double LineHeight(const FontMetricsMm& f) { return f.emHeightMm * 1.15; }

// A dashed line in any direction, dashes measured along it from the first end.
void DrawDashedSegmentMm(SheetContext& cx, double x1, double y1, double x2, double y2, long widthPx, Colour colour) {
    if (widthPx <= 0) return;
    const double dx = x2 - x1, dy = y2 - y1;
    const double length = std::hypot(dx, dy);
    if (!(length > 0)) return;
    const double ux = dx / length, uy = dy / length;
    for (double s = 0; s < length; s += kDashMm + kGapMm) {
        double e = std::min(length, s + kDashMm);
        DrawLineMm(cx, x1 + ux * s, y1 + uy * s, x1 + ux * e, y1 + uy * e, widthPx, colour);
    }
}

// A soil name is written only where it can be read: stacked in its layer
// with little squeezing, or (a name of single-byte characters) on its
// layer's last two lines within about the column's width. Squeezed or
// spilling names of thin layers in narrow columns would run into each other.
bool NameFits(std::string_view name, double height, double width, double ch) {
    if (name.empty() || !(ch > 0)) return false;
    if (!IsCp932LeadByte(static_cast<unsigned char>(name[0])))
        return height >= 2 * ch && TextWidthMm(name, ch) <= 1.5 * width;
    size_t n = 0;
    for (size_t i = 0; i < name.size(); i += Cp932CharLength(name, i)) ++n;
    return height >= 0.85 * static_cast<double>(n) * ch;
}

const SurveyData& NoSurvey() {
    static const SurveyData empty{};
    return empty;
}

}  // namespace

double NiceCeiling(double value) {
    if (!(value > 0) || !std::isfinite(value)) return 1;
    double p = std::pow(10.0, std::floor(std::log10(value)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (m * p >= value * (1 - 1e-9)) return m * p;
    return 10 * p;
}

double SectionLayout::Y(double elevation) const {
    return InterpolateLinear(elevation, elevTop, elevBottom, plotTop, plotBottom);
}

SectionLayout LayOutSection(const SiteSection& section, const SettingsStore& settings, int dpiX, int dpiY) {
    SectionLayout L;
    const SheetMapping map = MakeSheetMapping(dpiX, dpiY, 0, 0);
    const FontMetricsMm f1 = SheetFontMetrics(map, settings.fonts[kTitleFont].size);
    const FontMetricsMm f2 = SheetFontMetrics(map, settings.fonts[kSurveyFont].size);
    const FontMetricsMm f3 = SheetFontMetrics(map, settings.fonts[kLabelFont].size);
    const FontMetricsMm f5 = SheetFontMetrics(map, settings.fonts[kFigureFont].size);
    const auto& pts = section.points;
    const size_t n = pts.size();

    // The axis figures are right-aligned left of the frame.
    L.plotLeft = kPageMargin + TextWidthMm("-0000.0", f5.emWidthMm) + 3;
    L.plotRight = kSectionPageWidthMm - kPageMargin;

    // Columns: the soil column and the profile take a share of the narrowest
    // gap between neighbours, within limits.
    const double innerLeft = L.plotLeft + 3, innerRight = L.plotRight - 3;
    const double innerWidth = innerRight - innerLeft;
    double content = 40;
    L.columnX.assign(n, 0);
    if (n == 1) {
        content = std::min(60.0, innerWidth);
    } else if (n > 1) {
        const double span = pts.back().x - pts.front().x;
        double minGap = 1;
        for (size_t i = 1; i < n; ++i) minGap = std::min(minGap, (pts[i].x - pts[i - 1].x) / (span > 0 ? span : 1));
        for (int k = 0; k < 3; ++k) content = std::clamp(0.85 * minGap * (innerWidth - content), 6.0, 40.0);
    }
    L.soilWidth = std::clamp(0.4 * content, 2.5, 10.0);
    L.ndWidth = content - L.soilWidth;
    if (n == 1) {
        L.columnX[0] = innerLeft + (innerWidth - content) / 2 + L.soilWidth / 2;
    } else if (n > 1) {
        const double span = pts.back().x - pts.front().x;
        for (size_t i = 0; i < n; ++i) {
            double share = span > 0 ? (pts[i].x - pts.front().x) / span : 0;
            L.columnX[i] = innerLeft + share * (innerWidth - content) + L.soilWidth / 2;
        }
    }

    // Name labels above the frame, position labels below it.
    std::vector<double> centres(n), nameWidths(n), positionWidths(n);
    for (size_t i = 0; i < n; ++i) {
        centres[i] = L.columnX[i];
        nameWidths[i] = std::max(TextWidthMm(pts[i].name, f3.emWidthMm),
                                 TextWidthMm(ElevationText(pts[i], section.byDepth), f3.emWidthMm));
        positionWidths[i] = TextWidthMm(FormatSectionNumber(pts[i].x), f5.emWidthMm);
    }
    L.nameRow = PlaceInRows(centres, nameWidths, kMaxNameRows);
    L.positionRow = PlaceInRows(centres, positionWidths, kMaxPositionRows);

    const double headerBottom = kTitleTop + f1.emHeightMm + 1.5 + f2.emHeightMm + 2;
    L.plotTop = headerBottom + RowCount(L.nameRow) * 2 * LineHeight(f3) + 1.5;
    const double legendHeight = 2 * LineHeight(f3) + 2;
    L.plotBottom = kSectionPageHeightMm - kPageMargin - legendHeight - RowCount(L.positionRow) * LineHeight(f5) - 2;

    // Elevations: the highest ground to the lowest group or layer.
    double top = 0, bottom = 0;
    double maxNd = 0;
    for (size_t i = 0; i < n; ++i) {
        top = i == 0 ? pts[i].Top() : std::max(top, pts[i].Top());
        bottom = i == 0 ? pts[i].Bottom() : std::min(bottom, pts[i].Bottom());
        for (const SectionGroup& g : pts[i].groups) maxNd = std::max(maxNd, g.nd);
    }
    const double range = std::max(top - bottom, 1.0);
    // 0.5 m or 1 m for any real test; a file with absurd depths gets a
    // coarser step rather than millions of ticks.
    L.tick = range <= 12 ? 0.5 : range <= 60 ? 1 : NiceCeiling(range / 60);
    L.elevTop = std::ceil((top + 0.03 * range) / L.tick - 1e-9) * L.tick;
    L.elevBottom = std::floor((bottom - 0.02 * range) / L.tick + 1e-9) * L.tick;
    const double mmPerTick = (L.plotBottom - L.plotTop) * L.tick / (L.elevTop - L.elevBottom);
    for (int k : {1, 2, 5, 10, 20, 50, 100, 200, 500, 1000}) {
        L.labelEvery = k;
        if (mmPerTick * k >= 1.6 * f5.emHeightMm) break;
    }

    const double T = section.threshold;
    L.ndFull = NiceCeiling(std::clamp(maxNd, 1.5 * T, 4 * T));
    return L;
}

void DrawSiteSection(Canvas& canvas, const SiteSection& section, const SettingsStore& settings) {
    const SheetSettings& set = settings.sheet;
    SheetContext cx{canvas, MakeSheetMapping(canvas.DpiX(), canvas.DpiY(), 0, 0), NoSurvey(), settings};
    const SectionLayout L = LayOutSection(section, settings, canvas.DpiX(), canvas.DpiY());
    const auto& pts = section.points;
    const size_t n = pts.size();
    const Colour grid1 = ParseColour(set.grid1Colour), grid2 = ParseColour(set.grid2Colour);
    const long thin = std::max(set.grid1WidthPx, 1L);
    const long frame = std::max(set.frameLineWidthPx, 1L);
    const long bold = std::max(set.boxLineWidthPx, 1L);
    const long profile = std::max(set.plotLineWidthPx, 1L);

    // Elevation grid, frame, ticks and figures.
    const int ticks = static_cast<int>(std::lround((L.elevTop - L.elevBottom) / L.tick));
    FontMetricsMm f5 = SelectSettingsFont(cx, kFigureFont);
    canvas.SetTextAlign(HAlign::Right, VAlign::Top);
    for (int k = 0; k <= ticks; ++k) {
        const double e = L.elevTop - k * L.tick;
        const double y = L.Y(e);
        const bool figure = k % L.labelEvery == 0;
        if (figure && k > 0 && k < ticks) {
            // Across the gaps between the columns only: never through a soil box.
            double from = L.plotLeft;
            for (size_t i = 0; i < n; ++i) {
                if (e > pts[i].ground || e < pts[i].Bottom()) continue;
                if (L.SoilLeft(i) > from) DrawLineMm(cx, from, y, L.SoilLeft(i), y, thin, grid2);
                from = std::max(from, L.NdRight(i));
            }
            if (from < L.plotRight) DrawLineMm(cx, from, y, L.plotRight, y, thin, grid2);
        }
        DrawLineMm(cx, L.plotLeft - (figure ? 1.5 : 0.8), y, L.plotLeft, y, thin, kBlack);
        if (figure) {
            double shown = section.byDepth ? -e : e;
            TextOutMm(cx, L.plotLeft - 2, y - f5.emHeightMm / 2, FormatFixed(shown == 0 ? 0 : shown, L.tick < 1 ? 1 : 0));
        }
    }
    DrawLineMm(cx, L.plotLeft, L.plotTop, L.plotRight, L.plotTop, frame, kBlack);
    DrawLineMm(cx, L.plotLeft, L.plotBottom, L.plotRight, L.plotBottom, frame, kBlack);
    DrawLineMm(cx, L.plotLeft, L.plotTop, L.plotLeft, L.plotBottom, frame, kBlack);
    DrawLineMm(cx, L.plotRight, L.plotTop, L.plotRight, L.plotBottom, frame, kBlack);

    // Each point: soil boxes with their names, the Nd profile.
    static const std::string kA = Cp932Literal("あ");
    for (size_t i = 0; i < n; ++i) {
        const SectionPoint& p = pts[i];
        const double sl = L.SoilLeft(i), sr = L.SoilRight(i);
        const double yGround = L.Y(p.ground);
        const double yBottom = L.Y(p.Bottom());
        // The Nd = 0 line of the profile, and the column's sides.
        DrawLineMm(cx, L.NdLeft(i), yGround, L.NdLeft(i), yBottom, thin, grid1);
        if (!p.layers.empty()) {
            const double yLayers = L.Y(p.layers.back().bottom);
            DrawLineMm(cx, sl, yGround, sl, yLayers, frame, kBlack);
            DrawLineMm(cx, sr, yGround, sr, yLayers, frame, kBlack);
        }
        canvas.SetTextAlign(HAlign::Left, VAlign::Top);
        ClipToRectMm(cx, sl - L.soilWidth * 0.25, L.plotTop, sr + L.soilWidth * 0.25, L.plotBottom);
        for (const SectionLayer& layer : p.layers) {
            const double y1 = L.Y(layer.top), y2 = L.Y(layer.bottom);
            const double ch = DrawTextInRectMm(cx, sl, y1, sr, y2, kA, kWordBreak | kNoClip | kMeasureOnly) /
                              cx.map.contentScaleY;
            if (NameFits(layer.name, y2 - y1, L.soilWidth, ch)) DrawVerticalSoilName(cx, sl, y1, sr, y2, ch, layer.name, 1);
            DrawLineMm(cx, sl, y2, sr, y2, thin, kBlack);
        }
        canvas.ResetClip();

        // Step profile: Nd constant over each group.
        ClipToRectMm(cx, L.NdLeft(i) - 0.5, L.plotTop, L.NdRight(i) + 0.5, L.plotBottom);
        double prevX = L.NdLeft(i), prevBottom = p.ground;
        bool first = true;
        for (const SectionGroup& g : p.groups) {
            const double x = L.NdX(i, g.nd);
            const double yTop = L.Y(g.top), yBot = L.Y(g.bottom);
            // A group that does not start where the last ended starts from Nd 0.
            const bool joined = !first && std::fabs(g.top - prevBottom) < 1e-6;
            if (!joined && !first) DrawLineMm(cx, prevX, L.Y(prevBottom), L.NdLeft(i), L.Y(prevBottom), profile, kBlack);
            DrawLineMm(cx, joined ? prevX : L.NdLeft(i), yTop, x, yTop, profile, kBlack);
            DrawLineMm(cx, x, yTop, x, yBot, profile, kBlack);
            prevX = x;
            prevBottom = g.bottom;
            first = false;
        }
        if (!first) DrawLineMm(cx, prevX, L.Y(prevBottom), L.NdLeft(i), L.Y(prevBottom), profile, kBlack);
        canvas.ResetClip();
    }

    // The ground line over the columns' tops.
    for (size_t i = 0; i < n; ++i) {
        const double y = L.Y(pts[i].ground);
        DrawLineMm(cx, L.SoilLeft(i), y, L.NdRight(i), y, bold, kBlack);
        if (i + 1 < n) DrawLineMm(cx, L.NdRight(i), y, L.SoilLeft(i + 1), L.Y(pts[i + 1].ground), bold, kBlack);
    }

    // The threshold line: across every point that reaches T, joined to the
    // next point when it reaches T too.
    for (size_t i = 0; i < n; ++i) {
        std::optional<double> e = pts[i].ThresholdElevation();
        if (!e) continue;
        const double y = L.Y(*e);
        DrawDashedSegmentMm(cx, L.SoilLeft(i), y, L.NdRight(i), y, bold, kBlack);
        if (i + 1 < n) {
            if (std::optional<double> next = pts[i + 1].ThresholdElevation())
                DrawDashedSegmentMm(cx, L.NdRight(i), y, L.SoilLeft(i + 1), L.Y(*next), bold, kBlack);
        }
    }

    // Positions along the line, below the frame.
    canvas.SetTextAlign(HAlign::Center, VAlign::Top);
    for (size_t i = 0; i < n; ++i) {
        DrawLineMm(cx, L.columnX[i], L.plotBottom, L.columnX[i], L.plotBottom + 1.2, thin, kBlack);
        TextOutMm(cx, L.columnX[i], L.plotBottom + 1.5 + L.positionRow[i] * LineHeight(f5),
                  FormatSectionNumber(pts[i].x));
    }

    // Names and ground elevations above the frame; row 0 is next to it.
    FontMetricsMm f3 = SelectSettingsFont(cx, kLabelFont);
    const double labelLine = LineHeight(f3);
    canvas.SetTextAlign(HAlign::Center, VAlign::Bottom);
    for (size_t i = 0; i < n; ++i) {
        const double base = L.plotTop - 1 - L.nameRow[i] * 2 * labelLine;
        TextOutMm(cx, L.columnX[i], base, ElevationText(pts[i], section.byDepth));
        TextOutMm(cx, L.columnX[i], base - labelLine, pts[i].name);
        if (L.nameRow[i] > 0)  // a leader down to the frame
            DrawLineMm(cx, L.columnX[i], base + 0.3, L.columnX[i], L.plotTop, thin, grid2);
    }

    // Legend: two lines below the position labels.
    const double legendTop = kSectionPageHeightMm - kPageMargin - 2 * labelLine;
    double x = L.plotLeft;
    const double y0 = legendTop + f3.emHeightMm / 2;
    canvas.SetTextAlign(HAlign::Left, VAlign::Top);
    auto text = [&](double atX, double atY, const std::string& t) {
        TextOutMm(cx, atX, atY, t);
        return atX + TextWidthMm(t, f3.emWidthMm);
    };
    DrawLineMm(cx, x, y0, x + 10, y0, bold, kBlack);
    x = text(x + 12, legendTop, Text("地盤線")) + 6;
    DrawDashedSegmentMm(cx, x, y0, x + 10, y0, bold, kBlack);
    x = text(x + 12, legendTop, Text("Nd ≧ T となる上端") + "  T = " + FormatG(section.threshold)) + 6;
    // The Nd scale bar: the width of every profile.
    x = text(x, legendTop, Text("Nd目盛")) + 1.5;
    x = text(x, legendTop, "0") + 1;
    DrawLineMm(cx, x, y0, x + L.ndWidth, y0, frame, kBlack);
    DrawLineMm(cx, x, y0 - 1, x, y0 + 1, frame, kBlack);
    DrawLineMm(cx, x + L.ndWidth, y0 - 1, x + L.ndWidth, y0 + 1, frame, kBlack);
    text(x + L.ndWidth + 1, legendTop, FormatG(L.ndFull));

    const double y1 = legendTop + labelLine;
    std::string axis = section.byDepth ? Text("縦軸: 深さ (m)")
                                       : Text("縦軸: 標高 (m)") + "  " + Text("基準: ") +
                                             (section.datum.empty() ? Text("(なし)") : section.datum);
    x = text(L.plotLeft, y1, axis) + 6;
    text(x, y1, Text("横軸: 測線上の位置 (m)"));

    // Title and survey name.
    SelectSettingsFont(cx, kTitleFont);
    canvas.SetTextAlign(HAlign::Center, VAlign::Top);
    TextOutMm(cx, kSectionPageWidthMm / 2, kTitleTop, Text("簡易動的コーン貫入試験  断面図"));
    if (n > 0 && !pts[0].surveyName.empty()) {
        FontMetricsMm f1 = SheetFontMetrics(cx.map, settings.fonts[kTitleFont].size);
        SelectSettingsFont(cx, kSurveyFont);
        TextOutMm(cx, kSectionPageWidthMm / 2, kTitleTop + f1.emHeightMm + 1.5, pts[0].surveyName);
    }
}

}  // namespace vosk
