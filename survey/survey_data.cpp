#include "survey/survey_data.h"

#include "survey/numbers.h"

namespace vosk {

void ClearHeading(SurveyData& survey) {
    for (int i = 1; i <= kHeadingFieldCount; ++i) survey.heading[i].clear();
}

void ClearSoilRows(SurveyData& survey) {
    for (int r = 1; r <= kSoilRowCount; ++r)
        for (int f = 1; f <= kSoilFieldCapacity; ++f) survey.soil[r][f].clear();
}

void ClearBlowRows(SurveyData& survey) {
    for (int r = 1; r <= kBlowRowCount; ++r)
        for (int f = 1; f <= kBlowFieldCount; ++f) survey.blow[r][f].clear();
}

void ClearSurvey(SurveyData& survey) {
    ClearHeading(survey);
    ClearSoilRows(survey);
    ClearBlowRows(survey);
}

int CountSoilRows(const SurveyData& survey) {
    int n = 0;
    while (n < kSoilRowCount && IsNumericText(survey.soil[n + 1][1]) == 1) ++n;
    return n;
}

int CountBlowRows(const SurveyData& survey) {
    int n = 0;
    while (n < kBlowRowCount && IsNumericText(survey.blow[n + 1][1]) == 1 &&
           IsNumericText(survey.blow[n + 1][2]) == 1)
        ++n;
    return n;
}

int CountStoredBlowRows(const SurveyData& survey) {
    int n = 0;
    while (n < kBlowRowCount && (IsNumericText(survey.blow[n + 1][1]) == 1 ||
                                 IsNumericText(survey.blow[n + 1][2]) == 1))
        ++n;
    return n;
}

void NormaliseHeading(SurveyData& survey, std::string_view companyName) {
    HeadingFields& h = survey.heading;
    long scale = ParseInteger(h[heading::kDepthScale]);
    if (scale < 2 || scale > 5000) h[heading::kDepthScale] = "20";
    if (h[heading::kJgsFrame].empty()) h[heading::kJgsFrame] = "0";
    if (h[heading::kCompanyName].empty()) h[heading::kCompanyName] = companyName;
    if (h[heading::kVerticalSoilNames].empty()) h[heading::kVerticalSoilNames] = "1";
    long nd = ParseInteger(h[heading::kNdScale]);
    if (nd < 1 || nd > 100) h[heading::kNdScale] = "10";
}

}  // namespace vosk
