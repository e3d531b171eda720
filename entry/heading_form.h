#pragma once
// The values the heading and the page-footer dialogs edit, copied from the
// heading fields before the dialog opens and back after OK, with the rules of
// both dialogs that need no widgets.

#include <array>
#include <string_view>

#include "survey/survey_data.h"

namespace vosk {

// Heading fields the heading dialog edits as text.
inline constexpr std::array<int, 17> kHeadingTextFields = {
    heading::kSurveyName1, heading::kSurveyName2, heading::kPointNumber, heading::kDatumKind, heading::kElevation,
    heading::kYear,        heading::kMonth,       heading::kDay,         heading::kTester,    heading::kTestDepth,
    heading::kRodLength,   heading::kWeather,     heading::kRemark1,     heading::kRemark2,   heading::kRemark3,
    heading::kCompanyName, heading::kMemo};

struct HeadingForm {
    std::array<FieldText, kHeadingFieldCount + 1> text;  // by heading field number
    long jgsFrame = 0;
    long parentheses = 0;
    long companyRight = 0;
    long style = 0;
    FieldText depthScale;  // an integer when stored
    FieldText ndScale;
    long rowsPerPage = 0;  // index of the choice
    long twoColumns = 0;
    long verticalNames = 0;
    long jacicSoilNames = 0;
};

HeadingForm LoadHeadingForm(const HeadingFields& h);
// Requires a depth scale that ParseWholeInteger accepts.
void StoreHeadingForm(const HeadingForm& form, HeadingFields& h);

// "標準の設定例": style 1, depth scale 20, Nd scale 10, the first rows choice.
void ApplyStandardHeadingExample(HeadingForm& form);

struct FooterForm {
    FieldText before;
    FieldText startPage;
    FieldText after;
    long fromBottomLine = 0;
    FieldText topMm;
    FieldText belowLineMm;
    long centred = 0;
    FieldText leftMm;
    FieldText centreMm;
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
