#include "entry/heading_form.h"

#include <algorithm>

#include "platform/cp932.h"
#include "survey/numbers.h"

namespace vosk {

HeadingForm LoadHeadingForm(const HeadingFields& h) {
    HeadingForm f;
    for (int n : kHeadingTextFields) f.text[n] = h[n];
    f.jgsFrame = ParseInteger(h[heading::kJgsFrame]);
    f.parentheses = ParseInteger(h[heading::kElevationInParentheses]);
    f.companyRight = ParseInteger(h[heading::kCompanyRight]);
    f.style = ParseInteger(h[heading::kSheetStyle]);
    f.depthScale = FormatInteger(ParseInteger(h[heading::kDepthScale]));
    f.ndScale = h[heading::kNdScale];
    f.rowsPerPage = ParseInteger(h[heading::kRowsPerPage]);
    f.twoColumns = ParseInteger(h[heading::kTwoColumns]);
    f.verticalNames = ParseInteger(h[heading::kVerticalSoilNames]);
    f.jacicSoilNames = ParseInteger(h[heading::kJacicSoilNames]);
    return f;
}

void StoreHeadingForm(const HeadingForm& f, HeadingFields& h) {
    for (int n : kHeadingTextFields) h[n] = f.text[n];
    auto flag = [](long v) { return FieldText(v ? "1" : "0"); };
    h[heading::kJgsFrame] = flag(f.jgsFrame);
    h[heading::kElevationInParentheses] = flag(f.parentheses);
    h[heading::kTwoColumns] = flag(f.twoColumns);
    h[heading::kVerticalSoilNames] = flag(f.verticalNames);
    h[heading::kJacicSoilNames] = flag(f.jacicSoilNames);
    h[heading::kCompanyRight] = FormatInteger(f.companyRight);
    h[heading::kSheetStyle] = FormatInteger(f.style);
    long scale = 0;
    ParseWholeInteger(f.depthScale, scale);
    h[heading::kDepthScale] = FormatInteger(scale);
    h[heading::kNdScale] = f.ndScale;
    h[heading::kRowsPerPage] = FormatInteger(f.rowsPerPage);
}

void ApplyStandardHeadingExample(HeadingForm& f) {
    f.style = 0;
    f.depthScale = "20";
    f.ndScale = "10";
    f.rowsPerPage = 0;
}

FooterForm LoadFooterForm(const HeadingFields& h) {
    FooterForm f;
    f.before = h[heading::kFooterBefore];
    f.startPage = h[heading::kFooterStartPage];
    f.after = h[heading::kFooterAfter];
    f.fromBottomLine = ParseInteger(h[heading::kFooterFromBottomLine]);
    f.topMm = h[heading::kFooterTopMm];
    f.belowLineMm = h[heading::kFooterBelowLineMm];
    f.centred = ParseInteger(h[heading::kFooterCentred]);
    f.leftMm = h[heading::kFooterLeftMm];
    f.centreMm = h[heading::kFooterCentreMm];
    return f;
}

void StoreFooterForm(const FooterForm& f, HeadingFields& h) {
    h[heading::kFooterBefore] = f.before;
    h[heading::kFooterStartPage] = f.startPage;
    h[heading::kFooterAfter] = f.after;
    h[heading::kFooterFromBottomLine] = FormatInteger(f.fromBottomLine);
    h[heading::kFooterTopMm] = f.topMm;
    h[heading::kFooterBelowLineMm] = f.belowLineMm;
    h[heading::kFooterCentred] = FormatInteger(f.centred);
    h[heading::kFooterLeftMm] = f.leftMm;
    h[heading::kFooterCentreMm] = f.centreMm;
}

void ApplyStandardFooter(FooterForm& f, int paperW, int topLimit) {
    f.topMm = FormatInteger(topLimit);
    f.belowLineMm = "2.0";
    f.leftMm = FormatInteger(std::min(paperW / 2, 150));
    f.fromBottomLine = 1;
    f.centred = 1;
}

void PrepareFooterForm(FooterForm& f, int paperW, int topLimit) {
    f.centreMm = FormatInteger(paperW / 2);
    if (f.topMm.empty() && f.leftMm.empty()) ApplyStandardFooter(f, paperW, topLimit);
}

void LeaveBeforeText(FooterForm& f) {
    static const FieldText kNone = Cp932Literal("<無し>");
    if (FindCp932(f.before, kNone) != std::string::npos) f.before.clear();
    if (f.after.empty()) {
        if (f.before == "(") f.after = ")";
        if (f.before == "-") f.after = "-";
    }
}

FieldText FooterSample(const FooterForm& f) { return f.before + f.startPage + f.after; }

bool FooterMayLeaveThePaper(const FooterForm& f, int topLimit) {
    return f.fromBottomLine == 0 && ParseInteger(f.topMm) >= topLimit;
}

}  // namespace vosk
