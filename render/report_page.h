#pragma once
// One page of the report sheet: the heading block common to both styles,
// the style's own drawing and the page footer; and how many pages the sheet has.

#include "render/sheet_drawing.h"

namespace vosk {

// The page state of a view (the view owns it). The rows per page are the
// survey's own (RowsPerPageFor), never a value kept from an earlier draw:
// a new sheet or a new style is counted before it is drawn.
struct PageState {
    int currentPage = 1;
    int printing = 0;
};

// Table rows per page of the sheet style and heading: 38 for style 2; 41, 40
// or 50 by the rows-per-page choice for style 1.
int RowsPerPageFor(const SurveyData& survey);

// True when style 2 draws its table in two columns (heading::kTwoColumns).
bool IsTwoColumnTable(const SurveyData& survey);

// Draws page `cx.page`; the mapping must be set.
void DrawReportPage(SheetContext& cx);
void DrawHeadingBlock(SheetContext& cx, double emWidthMm, double emHeightMm, double rightEdge);
void DrawPageFooter(SheetContext& cx, int mode, double bottomLineY);

void DrawStyle1Sheet(SheetContext& cx, double topDepth, double scale);
void PlotNdCurve(SheetContext& cx, double xLeft, double xRight, double yTop, double yBottom, double topDepth,
                 double bottomDepth);

// The graph rectangle of the Nd points, its depth range (metres) and the Nd
// at its right edge.
struct PlotArea {
    double xLeft, xRight, yTop, yBottom;
    double topDepth, bottomDepth;
    double ndMax;
};
// Circles at every blow row with a depth and an Nd, joined by the polyline,
// clipped just outside the area; the Nd as the table shows it with `unit`.
void PlotBlowPoints(SheetContext& cx, const PlotArea& area, std::string_view unit);

void DrawStyle2Sheet(SheetContext& cx);
void DrawSoilColumn(SheetContext& cx, double top, double height, double soilLeft, double soilRight, double graphLeft,
                    double graphRight);
void DrawVerticalSoilName(SheetContext& cx, double x1, double y1, double x2, double y2, double ch,
                          std::string_view name, int mode);

// The number of pages by the survey's rows per page; brings the current page
// back to 1 when it lies beyond.
int CountSheetPages(const SurveyData& survey, PageState& state);

// Draws page `page` of `survey` on `canvas` as the view does: mapping from
// the canvas resolution and the margins, then the page.
void DrawSheetPage(Canvas& canvas, const SurveyData& survey, const SettingsStore& settings, int page);

// Draws every page of `survey` into `out`, as a PDF of the sheet holds them
// (a page `out` gives no canvas for is passed over); Finish is the caller's.
void DrawSheetPages(const SurveyData& survey, const SettingsStore& settings, PagedOutput& out);

}  // namespace vosk
