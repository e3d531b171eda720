#pragma once
// The site cross-section drawn on one A4 landscape page: the elevation axis
// on the left, each point as a column at its position (its soil layers as
// a narrow column of boxes, its Nd as a step profile beside them, its name
// and ground elevation on top), the ground line, the dashed threshold
// line, a legend with T, the datum and the Nd scale bar. Positions are
// millimetres from the paper's top-left corner; fonts, colours and line
// widths come from the settings as the report sheet's do.

#include <vector>

#include "platform/canvas.h"
#include "render/site_section.h"
#include "settings/settings_store.h"

namespace vosk {

inline constexpr double kSectionPageWidthMm = 297;
inline constexpr double kSectionPageHeightMm = 210;
// The resolution of a PNG or SVG section unless another is asked for.
inline constexpr int kSectionPictureDpi = 96;

// Where everything goes, in millimetres on the page.
struct SectionLayout {
    // The plot frame; elevations elevTop and elevBottom lie on its top and bottom.
    double plotLeft = 25, plotRight = 285, plotTop = 40, plotBottom = 180;
    double elevTop = 0, elevBottom = -1;
    double tick = 1;        // metres between ticks: 0.5 or 1
    int labelEvery = 1;     // a figure on every n-th tick
    double ndFull = 10;     // the Nd at the right edge of every profile
    double soilWidth = 4;   // the column of soil boxes
    double ndWidth = 6;     // the Nd profile beside it
    // Per point: the centre of its soil column, and the row of its name
    // label (0 next to the frame, 1 above) and of its position label.
    std::vector<double> columnX;
    std::vector<int> nameRow;
    std::vector<int> positionRow;

    double Y(double elevation) const;
    double SoilLeft(size_t i) const { return columnX[i] - soilWidth / 2; }
    double SoilRight(size_t i) const { return columnX[i] + soilWidth / 2; }
    // The Nd profile: Nd 0 at the soil column's right edge, ndFull at NdRight.
    double NdLeft(size_t i) const { return SoilRight(i); }
    double NdRight(size_t i) const { return SoilRight(i) + ndWidth; }
    double NdX(size_t i, double nd) const { return NdLeft(i) + nd / ndFull * ndWidth; }
};

// The layout of `section` with fonts of the settings at `dpi`.
SectionLayout LayOutSection(const SiteSection& section, const SettingsStore& settings, int dpiX, int dpiY);

// Draws the page on `canvas` at its resolution, the origin at the paper's
// top-left corner.
void DrawSiteSection(Canvas& canvas, const SiteSection& section, const SettingsStore& settings);

// The smallest of 1, 2, 5 × 10^k that is at least `value` (value > 0).
double NiceCeiling(double value);

}  // namespace vosk
