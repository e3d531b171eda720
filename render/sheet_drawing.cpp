#include "render/sheet_drawing.h"

#include <algorithm>
#include <cmath>

#include "platform/cp932.h"
#include "platform/message_service.h"
#include "survey/numbers.h"

namespace vosk {
namespace {

int ClampToDevice(double v) {
    if (std::isnan(v)) return 0;
    v = std::trunc(v);
    return static_cast<int>(std::clamp(v, -32767.0, 32767.0));
}

// The loop of a dashed line stops after this many dashes whatever the input.
constexpr int kMaxDashes = 1000000;

}  // namespace

SheetMapping MakeSheetMapping(int dpiX, int dpiY, double leftMarginMm, double topMarginMm) {
    SheetMapping m;
    m.dpiX = dpiX;
    m.dpiY = dpiY;
    m.pxPerMmX = dpiX / 25.4;
    m.pxPerMmY = dpiY / 25.4;
    // The zoom of the content scale is fixed at 100 %.
    m.contentScaleX = m.pxPerMmX * 100 / 100;
    m.contentScaleY = m.pxPerMmY * 100 / 100;
    m.leftMarginMm = leftMarginMm;
    m.topMarginMm = topMarginMm;
    m.yOffsetMm = 0;
    return m;
}

int MmToDeviceX(const SheetMapping& map, double x) {
    return ClampToDevice(map.leftMarginMm * map.pxPerMmX + map.contentScaleX * x);
}

int MmToDeviceY(const SheetMapping& map, double y) {
    return ClampToDevice((map.yOffsetMm + y) * map.contentScaleY + map.topMarginMm * map.pxPerMmY);
}

FontMetricsMm SheetFontMetrics(const SheetMapping& map, double sizePoints) {
    FontMetricsMm m;
    m.heightDevice = ClampToDevice(map.dpiY * sizePoints / 72);
    m.emHeightMm = m.heightDevice / map.contentScaleY;
    m.emWidthMm = ClampToDevice(map.dpiX * sizePoints / 72) / map.contentScaleX;
    return m;
}

FontMetricsMm SelectSettingsFont(SheetContext& cx, int index) {
    const SheetFont& font = cx.settings.fonts[index];
    FontMetricsMm m = SheetFontMetrics(cx.map, font.size);
    SelectSheetFont(cx, static_cast<Colour>(font.colour), m.heightDevice, font.face, 0);
    return m;
}

void SelectSheetFont(SheetContext& cx, Colour colour, int heightDevice, std::string_view face, double angleDegrees) {
    FontRequest request;
    request.heightPx = heightDevice;
    request.face = face;
    request.angleDegrees = angleDegrees;
    request.colour = colour;
    if (!cx.canvas.SelectFont(request)) ShowMessage(std::string("Can't create font"));
}

void DrawLineMm(SheetContext& cx, double x1, double y1, double x2, double y2, long widthPx, Colour colour) {
    if (widthPx <= 0) return;
    cx.canvas.DrawLine(MmToDeviceX(cx.map, x1), MmToDeviceY(cx.map, y1), MmToDeviceX(cx.map, x2),
                       MmToDeviceY(cx.map, y2), static_cast<int>(std::min(widthPx, 32767L)), colour);
}

void DrawDashedLineMm(SheetContext& cx, double x1, double y1, double x2, double y2, long dashPx, long gapPx,
                      long widthPx, Colour colour) {
    if (widthPx <= 0) return;
    if (gapPx <= 0) {
        DrawLineMm(cx, x1, y1, x2, y2, widthPx, colour);
        return;
    }
    if (dashPx <= 0) return;
    long long x = MmToDeviceX(cx.map, x1), y = MmToDeviceY(cx.map, y1);
    long long ex = MmToDeviceX(cx.map, x2), ey = MmToDeviceY(cx.map, y2);
    long long sx = SignOf(static_cast<long>(ex - x)), sy = SignOf(static_cast<long>(ey - y));
    long long dash = dashPx, advance = static_cast<long long>(dashPx) + gapPx;
    int width = static_cast<int>(std::min(widthPx, 32767L));
    for (int n = 0; n < kMaxDashes && (x < ex - sx * dash || y < ey - sy * dash); ++n) {
        cx.canvas.DrawLine(static_cast<int>(x), static_cast<int>(y), static_cast<int>(x + sx * dash),
                           static_cast<int>(y + sy * dash), width, colour);
        x += sx * advance;
        y += sy * advance;
    }
}

void DrawCircleMm(SheetContext& cx, double x, double y, double radiusMm, long widthPx, Colour colour) {
    // The outline is drawn with whatever pen width is set; a width of 0 is
    // the thinnest pen the surface has.
    cx.canvas.DrawCircle(MmToDeviceX(cx.map, x), MmToDeviceY(cx.map, y), ClampToDevice(cx.map.contentScaleY * radiusMm),
                         static_cast<int>(std::clamp(widthPx, 0L, 32767L)), colour);
}

void TextOutMm(SheetContext& cx, double x, double y, std::string_view text) {
    if (text.empty()) return;
    cx.canvas.TextOut(MmToDeviceX(cx.map, x), MmToDeviceY(cx.map, y), text);
}

int DrawTextInRectMm(SheetContext& cx, double left, double top, double right, double bottom, std::string_view text,
                     unsigned flags) {
    int l = MmToDeviceX(cx.map, left), t = MmToDeviceY(cx.map, top);
    int r = MmToDeviceX(cx.map, right), b = MmToDeviceY(cx.map, bottom);
    if (l > r) std::swap(l, r);
    if (t > b) std::swap(t, b);
    // The layout rectangle is one device unit inside the given one.
    return cx.canvas.DrawTextInRect(l + 1, t + 1, r - 1, b - 1, text, flags);
}

void ClipToRectMm(SheetContext& cx, double left, double top, double right, double bottom) {
    cx.canvas.ClipRect(MmToDeviceX(cx.map, left), MmToDeviceY(cx.map, top), MmToDeviceX(cx.map, right),
                       MmToDeviceY(cx.map, bottom));
}

void DrawSpreadText(SheetContext& cx, double x1, double x2, double y1, double y2, double emWidthMm, double emHeightMm,
                    std::string_view text) {
    cx.canvas.SetTextAlign(HAlign::Left, VAlign::Top);
    double top = (y1 + y2 - emHeightMm) / 2;
    if (x2 - x1 < emWidthMm) x2 = x1 + emWidthMm;
    double span = x2 - x1;
    size_t n = text.size();
    double step = n > 2 ? (span - emWidthMm) / static_cast<double>(n - 2) : span / 2;
    for (size_t i = 0; i < n;) {
        size_t len = Cp932CharLength(text, i);
        TextOutMm(cx, x1 + static_cast<double>(i) * step, top, text.substr(i, len));
        i += len;
    }
}

double InterpolateLinear(double a, double b, double c, double d, double e) {
    if (!(std::fabs(c - b) >= 1e-7)) return 0;
    double r = d + (a - b) / (c - b) * (e - d);
    if (!(r >= -999999.9 && r <= 999999.9)) return 0;
    return r;
}

std::string FormatTableValue(const SurveyData& survey, const SheetSettings& settings, int row, int column,
                             std::string_view unit) {
    if (row < 1 || row > kBlowRowCount || column < 1 || column > 4) return {};
    const FieldText& cell = survey.blow[row][column];
    if (IsNumericText(cell) != 1) return {};
    const FieldText* digits[] = {nullptr, &settings.digitsN, &settings.digitsDepth, &settings.digitsIncrement,
                                 &settings.digitsNd};
    static const std::string kAuto = Cp932Literal("自動");
    const FieldText& setting = *digits[column];
    int d;
    if (setting.empty() || FindCp932(setting, kAuto) != std::string::npos) {
        d = 9;
    } else {
        long v = ParseInteger(setting);
        // A negative digits setting is shown as "%g", like "自動".
        d = v < 0 ? 9 : v < 7 ? static_cast<int>(v) : 6;
    }
    bool lengthColumn = column == 2 || column == 3;
    bool inCm = unit.find("cm") != std::string_view::npos;
    if (inCm && lengthColumn) d = 9;
    double value = ParseDecimal(cell);
    if (!inCm && lengthColumn) value *= 10;
    static constexpr int kWidths[] = {2, 4, 4, 4, 5, 6, 6};
    return d <= 6 ? FormatFixed(value, d, kWidths[d]) : FormatG(value);
}

}  // namespace vosk
