#pragma once
// The one survey (one test point) the program holds: heading, blow-count
// table and soil layer table. Rows and fields are numbered from 1; slot 0 of
// every table and row is reserved and unused.

#include <array>
#include <string_view>

#include "survey/field_text.h"

namespace vosk {

inline constexpr int kHeadingFieldCount = 70;
inline constexpr int kBlowRowCount = 100;
inline constexpr int kBlowFieldCount = 5;
inline constexpr int kSoilRowCount = 100;
inline constexpr int kSoilFieldCount = 11;        // stored in the data sheet
inline constexpr int kSoilFieldCapacity = 14;     // 12 to 14 are cleared only

// Heading fields with a meaning of their own, by number (the others are
// stored only).
namespace heading {
inline constexpr int kSurveyName1 = 1;
inline constexpr int kSurveyName2 = 2;
inline constexpr int kPointNumber = 5;
inline constexpr int kDatePrefix = 6;
inline constexpr int kYear = 7;
inline constexpr int kMonth = 8;
inline constexpr int kDay = 9;
inline constexpr int kTester = 10;
inline constexpr int kDatumKind = 12;
inline constexpr int kElevation = 13;
inline constexpr int kTestDepth = 16;
inline constexpr int kRodLength = 17;
inline constexpr int kWeather = 18;
inline constexpr int kDepthScale = 19;
inline constexpr int kRemark1 = 21;
inline constexpr int kRemark2 = 22;
inline constexpr int kRemark3 = 23;
inline constexpr int kJgsFrame = 28;
inline constexpr int kCompanyName = 29;
inline constexpr int kDigitsNd = 30;
inline constexpr int kSheetStyle = 31;
inline constexpr int kMaxDepth = 32;
inline constexpr int kMemo = 33;
inline constexpr int kTwoColumns = 34;
inline constexpr int kVerticalSoilNames = 35;
inline constexpr int kElevationInParentheses = 36;
inline constexpr int kCompanyRight = 37;
inline constexpr int kRowsPerPage = 38;
inline constexpr int kNdScale = 39;
inline constexpr int kFooterBefore = 41;
inline constexpr int kFooterStartPage = 42;
inline constexpr int kFooterAfter = 43;
inline constexpr int kFooterFromBottomLine = 44;
inline constexpr int kFooterTopMm = 45;
inline constexpr int kFooterBelowLineMm = 46;
inline constexpr int kFooterCentred = 47;
inline constexpr int kFooterLeftMm = 48;
inline constexpr int kFooterCentreMm = 49;
inline constexpr int kJacicSoilNames = 51;
}  // namespace heading

struct HeadingFields {
    std::array<FieldText, kHeadingFieldCount + 1> field;
    FieldText& operator[](int n) { return field[n]; }
    const FieldText& operator[](int n) const { return field[n]; }
};

struct BlowRow {
    // 1 N, 2 depth h (cm), 3 increment Δh (cm), 4 Nd, 5 remark.
    std::array<FieldText, kBlowFieldCount + 1> field;
    FieldText& operator[](int n) { return field[n]; }
    const FieldText& operator[](int n) const { return field[n]; }
};

struct SoilRow {
    // 1 depth of the lower boundary (m), 2 name, 3 auxiliary name, 4 colour
    // tone, 5 and 6 patterns, 7 display flags, 8 symbol, 9 and 10
    // proportions, 11 delimiter; 12 to 14 are never stored.
    std::array<FieldText, kSoilFieldCapacity + 1> field;
    FieldText& operator[](int n) { return field[n]; }
    const FieldText& operator[](int n) const { return field[n]; }
};

struct SurveyData {
    HeadingFields heading;
    std::array<BlowRow, kBlowRowCount + 1> blow;
    std::array<SoilRow, kSoilRowCount + 1> soil;
};

void ClearHeading(SurveyData& survey);
void ClearSoilRows(SurveyData& survey);
void ClearBlowRows(SurveyData& survey);
// All three, in this order, as before a new document or a file read.
void ClearSurvey(SurveyData& survey);

// Rows from row 1 while field 1 passes the numeric test.
int CountSoilRows(const SurveyData& survey);
// Rows from row 1 while fields 1 and 2 both pass the numeric test.
int CountBlowRows(const SurveyData& survey);
// Rows from row 1 while field 1 or field 2 passes: the rows the data sheet
// stores and the blow-count dialog loads.
int CountStoredBlowRows(const SurveyData& survey);

// Fills the heading fields the sheet cannot do without: depth scale 19,
// JGS frame flag 28, company name 29, vertical soil names 35, Nd scale 39.
void NormaliseHeading(SurveyData& survey, std::string_view companyName);

}  // namespace vosk
