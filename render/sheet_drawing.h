#pragma once
// Millimetres on the report sheet to device units, and the drawing
// operations the sheet is made of. Positions are millimetres from the page
// origin at the left and top margins; widths, dashes and gaps are device
// pixels.

#include <array>
#include <string>
#include <string_view>

#include "platform/canvas.h"
#include "settings/settings_store.h"
#include "survey/survey_data.h"

namespace vosk {

struct SheetMapping {
    int dpiX = 96;
    int dpiY = 96;
    double pxPerMmX = 96 / 25.4;
    double pxPerMmY = 96 / 25.4;
    double contentScaleX = 96 / 25.4;
    double contentScaleY = 96 / 25.4;
    double leftMarginMm = 20;
    double topMarginMm = 5;
    double yOffsetMm = 0;
};

// The mapping for a surface of the given resolution and margins.
SheetMapping MakeSheetMapping(int dpiX, int dpiY, double leftMarginMm, double topMarginMm);

int MmToDeviceX(const SheetMapping& map, double x);
int MmToDeviceY(const SheetMapping& map, double y);

// Everything one page draw reads: the surface, its mapping, the survey and
// the settings.
struct SheetContext {
    Canvas& canvas;
    SheetMapping map;
    const SurveyData& survey;
    const SettingsStore& settings;
    int page = 1;
    // The vertical positions of the current sheet style.
    std::array<double, 7> lines{};
};

// A sheet font's size in device units and its em size in millimetres.
struct FontMetricsMm {
    int heightDevice = 0;
    double emWidthMm = 0;
    double emHeightMm = 0;
};
FontMetricsMm SheetFontMetrics(const SheetMapping& map, double sizePoints);

// Selects font `index` (1 to 6) of the settings at its size; returns its metrics.
FontMetricsMm SelectSettingsFont(SheetContext& cx, int index);

void SelectSheetFont(SheetContext& cx, Colour colour, int heightDevice, std::string_view face, double angleDegrees);
void DrawLineMm(SheetContext& cx, double x1, double y1, double x2, double y2, long widthPx, Colour colour);
void DrawDashedLineMm(SheetContext& cx, double x1, double y1, double x2, double y2, long dashPx, long gapPx,
                      long widthPx, Colour colour);
void DrawCircleMm(SheetContext& cx, double x, double y, double radiusMm, long widthPx, Colour colour);
void TextOutMm(SheetContext& cx, double x, double y, std::string_view text);
int DrawTextInRectMm(SheetContext& cx, double left, double top, double right, double bottom, std::string_view text,
                     unsigned flags);
void ClipToRectMm(SheetContext& cx, double left, double top, double right, double bottom);
void DrawSpreadText(SheetContext& cx, double x1, double x2, double y1, double y2, double emWidthMm, double emHeightMm,
                    std::string_view text);

// d + (a − b) / (c − b) × (e − d); 0 when b and c (nearly) meet or the result
// runs past ±999999.9.
double InterpolateLinear(double a, double b, double c, double d, double e);

// One cell of the blow-count table as the sheet shows it; column 1 N, 2
// depth, 3 Δh, 4 Nd. Lengths are shown in millimetres unless `unit` says "cm".
std::string FormatTableValue(const SurveyData& survey, const SheetSettings& settings, int row, int column,
                             std::string_view unit);

}  // namespace vosk
