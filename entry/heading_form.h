#pragma once
// The values the heading and the page-footer dialogs edit, copied from the
// heading fields before the dialog opens and back after OK, with the rules of
// both dialogs that need no widgets.

#include <array>
#include <string_view>

#include "survey/survey_data.h"

namespace vosk {

// Heading fields the heading dialog edits as text.
inline constexpr std::array<int, 17> kHeadingTextFields = {1, 2, 5, 12, 13, 7, 8, 9, 10, 16, 17, 18, 21, 22, 23, 29, 33};

struct HeadingForm {
    std::array<FieldText, kHeadingFieldCount + 1> text;  // by heading field number
    long jgsFrame = 0;          // 28
    long parentheses = 0;       // 36
    long companyRight = 0;      // 37
    long style = 0;             // 31
    FieldText depthScale;       // 19, an integer when stored
    FieldText ndScale;          // 39
    long rowsPerPage = 0;       // 38, index of the choice
    long twoColumns = 0;        // 34
    long verticalNames = 0;     // 35
    long jacicSoilNames = 0;    // 51
};

HeadingForm LoadHeadingForm(const HeadingFields& h);
// Requires a depth scale that ParseWholeInteger accepts.
void StoreHeadingForm(const HeadingForm& form, HeadingFields& h);

// "標準の設定例": style 1, depth scale 20, Nd scale 10, the first rows choice.
void ApplyStandardHeadingExample(HeadingForm& form);

struct FooterForm {
    FieldText before;       // 41
    FieldText startPage;    // 42
    FieldText after;        // 43
    long fromBottomLine = 0;  // 44
    FieldText topMm;        // 45
    FieldText belowLineMm;  // 46
    long centred = 0;       // 47
    FieldText leftMm;       // 48
    FieldText centreMm;     // 49
};

FooterForm LoadFooterForm(const HeadingFields& h);
void StoreFooterForm(const FooterForm& form, HeadingFields& h);

// Opening the page dialog with paper width `paperW` and `topLimit` = H − 16:
// the centre display, and the standard settings when no distance is set.
void PrepareFooterForm(FooterForm& form, int paperW, int topLimit);
// "標準の設定".
void ApplyStandardFooter(FooterForm& form, int paperW, int topLimit);
// Leaving the text before the number: "<無し>" empties it, and a "(" or "-"
// gives the empty text after it its partner.
void LeaveBeforeText(FooterForm& form);
// The sample of the page number: before, start page and after joined.
FieldText FooterSample(const FooterForm& form);
// True when OK must warn that the footer may lie outside the paper.
bool FooterMayLeaveThePaper(const FooterForm& form, int topLimit);

}  // namespace vosk
