#pragma once
// The survey and blow-count switches the dialog tests fill, hand to the
// dialog under test and inspect: the tests' own, or, while a
// UseDocumentSurvey lives, the survey of a document the test opened the
// main window on.

#include "entry/blow_rules.h"
#include "survey/survey_data.h"

namespace vosk {

inline SurveyData*& TestSurveyTarget() {
    static SurveyData own;
    static SurveyData* target = &own;
    return target;
}

inline SurveyData& TestSurvey() { return *TestSurveyTarget(); }

inline AutoCalcSwitches& TestAutoCalc() {
    static AutoCalcSwitches switches;
    return switches;
}

struct UseDocumentSurvey {
    explicit UseDocumentSurvey(SurveyData& survey) : previous(TestSurveyTarget()) { TestSurveyTarget() = &survey; }
    ~UseDocumentSurvey() { TestSurveyTarget() = previous; }
    UseDocumentSurvey(const UseDocumentSurvey&) = delete;
    UseDocumentSurvey& operator=(const UseDocumentSurvey&) = delete;
    SurveyData* previous;
};

}  // namespace vosk
