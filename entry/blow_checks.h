#pragma once
// The checks an engineer makes by eye before a sheet goes to a client: the
// blow table against the rules of the test (depth order, Δh against the
// depths, a Δh far beyond the table's usual step, Nd against 10N/Δh, the
// stop rule, Nd over 50, self-weight sinking) and the last depth against the
// heading's test depth and the soil layers. Only the rows the sheet draws are
// checked: from row 1 while N and the depth are numbers. Each message names
// the values it compared, so the mistake is found without a calculator.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "survey/survey_data.h"

namespace vosk {

enum class Severity { Error, Warning, Info };

// "error", "warning", "info".
std::string_view SeverityName(Severity severity);

struct CheckFinding {
    std::string_view id;  // "order", "dh", "step", "nd", "stop", "end", "nd50", "sink", "depth", "soil"
    Severity severity;
    int row;              // the blow row, 0 for the heading and the soil table
    std::string message;  // UTF-8, with the values compared
    // The values compared, by name; empty for a field that is not a number.
    std::vector<std::pair<std::string_view, std::optional<double>>> values;
};

// The findings ordered by row (0 first), then in the order of the rules.
std::vector<CheckFinding> CheckSurvey(const SurveyData& survey);

// Whether any finding is an error or a warning.
bool HasErrorOrWarning(const std::vector<CheckFinding>& findings);

}  // namespace vosk
