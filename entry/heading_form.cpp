#include "entry/heading_form.h"

#include <algorithm>

#include "platform/cp932.h"
#include "survey/numbers.h"

namespace vosk {

HeadingForm LoadHeadingForm(const HeadingFields& h) {
    HeadingForm f;
    for (int n : kHeadingTextFields) f.text[n] = h[n];
    f.jgsFrame = ParseInteger(h[28]);
    f.parentheses = ParseInteger(h[36]);
    f.companyRight = ParseInteger(h[37]);
    f.style = ParseInteger(h[31]);
    f.depthScale = FormatInteger(ParseInteger(h[19]));
    f.ndScale = h[39];
    f.rowsPerPage = ParseInteger(h[38]);
    f.twoColumns = ParseInteger(h[34]);
    f.verticalNames = ParseInteger(h[35]);
    f.jacicSoilNames = ParseInteger(h[51]);
    return f;
}

void StoreHeadingForm(const HeadingForm& f, HeadingFields& h) {
    for (int n : kHeadingTextFields) h[n] = f.text[n];
    auto flag = [](long v) { return FieldText(v ? "1" : "0"); };
    h[28] = flag(f.jgsFrame);
    h[36] = flag(f.parentheses);
    h[34] = flag(f.twoColumns);
    h[35] = flag(f.verticalNames);
    h[51] = flag(f.jacicSoilNames);
    h[37] = FormatInteger(f.companyRight);
    h[31] = FormatInteger(f.style);
    long scale = 0;
    ParseWholeInteger(f.depthScale, scale);
    h[19] = FormatInteger(scale);
    h[39] = f.ndScale;
    h[38] = FormatInteger(f.rowsPerPage);
}

void ApplyStandardHeadingExample(HeadingForm& f) {
    f.style = 0;
    f.depthScale = "20";
    f.ndScale = "10";
    f.rowsPerPage = 0;
}

FooterForm LoadFooterForm(const HeadingFields& h) {
    FooterForm f;
    f.before = h[41];
    f.startPage = h[42];
    f.after = h[43];
    f.fromBottomLine = ParseInteger(h[44]);
    f.topMm = h[45];
    f.belowLineMm = h[46];
    f.centred = ParseInteger(h[47]);
    f.leftMm = h[48];
    f.centreMm = h[49];
    return f;
}

void StoreFooterForm(const FooterForm& f, HeadingFields& h) {
    h[41] = f.before;
    h[42] = f.startPage;
    h[43] = f.after;
    h[44] = FormatInteger(f.fromBottomLine);
    h[45] = f.topMm;
    h[46] = f.belowLineMm;
    h[47] = FormatInteger(f.centred);
    h[48] = f.leftMm;
    h[49] = f.centreMm;
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
