#include "entry/blow_checks.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "platform/cp932.h"
#include "survey/numbers.h"

namespace vosk {
namespace {

// Room for the binary fractions of typed decimals, so that 2.01 against
// 2.00 is "0.01", not "more than 0.01".
constexpr double kSlack = 1e-9;

// The stop rule of the test: 10 blows for less than 2 cm ends it.
constexpr double kStopBlows = 10;
constexpr double kStopPenetration = 2;

// A mistyped depth shows as one Δh far beyond the others: more than three
// times the table's median and more than 20 cm.
constexpr double kStepFactor = 3;
constexpr double kStepMinimumCm = 20;

std::optional<double> Number(std::string_view text) {
    if (IsNumericText(text) != 1) return std::nullopt;
    const double value = ParseDecimal(text);
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

// The decimals the Nd text shows: "16.6667" 4, "17" 0, "1.5e+06" -5.
int DecimalsShown(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
    int decimals = 0;
    if (i < text.size() && text[i] == '.')
        for (++i; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) ++decimals;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        const std::string exponent(text.substr(i + 1));
        char* end = nullptr;
        const long e = std::strtol(exponent.c_str(), &end, 10);
        if (end != exponent.c_str()) decimals -= static_cast<int>(std::clamp(e, -300L, 300L));
    }
    return decimals;
}

// Half a unit of the last digit the Nd text shows: "16.6667" is
// 0.00005, "17" 0.5, "1.5e+06" 50000.
double HalfLastDigit(std::string_view text) { return 0.5 * std::pow(10.0, -DecimalsShown(text)); }

// A field of the sheet in a message: as it stands with its unit, "(空欄)"
// when empty.
std::string Shown(const FieldText& field, std::string_view unit = "") {
    return field.empty() ? "(空欄)" : Cp932ToUtf8(field) + std::string(unit);
}

// A depth in metres from the table's centimetres: two decimals, more
// where the centimetres have a fraction.
std::string Metres(double value) {
    const double cm = value * 100;
    return std::fabs(cm - std::round(cm)) < 1e-6 ? FormatFixed(value, 2) : FormatG(value);
}

// 10N/Δh to the digits the Nd text shows, so that it differs where the
// check found a difference; as auto-calculation writes it for an Nd that is
// no number.
std::string ExpectedNd(double expected, const FieldText& nd) {
    if (IsNumericText(nd) != 1) return FormatG(expected);
    return FormatFixed(expected, std::clamp(DecimalsShown(nd), 0, 6));
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Written so that a "-nan" the numeric test let through counts as a fault.
bool Exceeds(double difference, double limit) {
    return !(std::fabs(difference) <= limit + kSlack * std::max(1.0, limit));
}

struct Row {
    double n;
    double h;
    std::optional<double> dh;
    std::optional<double> nd;
};

}  // namespace

std::string_view SeverityName(Severity severity) {
    switch (severity) {
        case Severity::Error: return "error";
        case Severity::Warning: return "warning";
        case Severity::Info: return "info";
    }
    return {};
}

std::vector<CheckFinding> CheckSurvey(const SurveyData& survey) {
    const int count = CountBlowRows(survey);
    std::vector<Row> rows(static_cast<size_t>(count) + 1);
    for (int r = 1; r <= count; ++r) {
        const BlowRow& b = survey.blow[r];
        rows[r] = {ParseDecimal(b[1]), ParseDecimal(b[2]), Number(b[3]), Number(b[4])};
    }

    std::vector<CheckFinding> findings;
    auto add = [&findings](std::string_view id, Severity severity, int row, std::string message,
                           std::vector<std::pair<std::string_view, std::optional<double>>> values) {
        findings.push_back({id, severity, row, std::move(message), std::move(values)});
    };

    if (count > 0) {
        const double lastDepth = rows[count].h / 100;
        const FieldText& testDepthField = survey.heading[heading::kTestDepth];
        if (auto testDepth = Number(testDepthField); testDepth && Exceeds(*testDepth - lastDepth, 0.01))
            add("depth", Severity::Warning, 0,
                "最終深さ " + Metres(lastDepth) + " m と試験深さ (見出し) " + Shown(testDepthField, " m") + " が一致しません",
                {{"testDepth", testDepth}, {"lastDepth", lastDepth}});
        if (const int layers = CountSoilRows(survey); layers > 0) {
            const FieldText& bottomField = survey.soil[layers][1];
            const double bottom = ParseDecimal(bottomField);
            if (Exceeds(bottom - lastDepth, 0.01))
                add("soil", Severity::Warning, 0,
                    "最終深さ " + Metres(lastDepth) + " m と土質の最下端 " + Shown(bottomField, " m") + " が一致しません",
                    {{"soilBottom", bottom}, {"lastDepth", lastDepth}});
        }
    }

    // Self-weight sinking may go far under the rods' own weight: it neither
    // sets the usual step nor is held against it.
    std::vector<double> steps;
    for (int r = 1; r <= count; ++r)
        if (rows[r].n != 0 && rows[r].dh) steps.push_back(*rows[r].dh);
    const std::optional<double> medianStep = steps.empty() ? std::nullopt : std::optional(Median(steps));

    for (int r = 1; r <= count; ++r) {
        const Row& row = rows[r];
        const BlowRow& text = survey.blow[r];
        if (r >= 2) {
            const double previous = rows[r - 1].h;
            if (!(row.h > previous))
                add("order", Severity::Error, r,
                    "深さ " + Shown(text[2], " cm") + " が前の行の " + Shown(survey.blow[r - 1][2], " cm") +
                        " より浅いか同じです",
                    {{"h", row.h}, {"previousH", previous}});
            const double expected = row.h - previous;
            if (!row.dh || Exceeds(*row.dh - expected, 0.005))
                add("dh", Severity::Error, r,
                    "貫入量 " + Shown(text[3], " cm") + " が深さの差 " + FormatG(expected) + " cm と一致しません",
                    {{"dh", row.dh}, {"expected", expected}});
        }
        if (row.n != 0 && row.dh && medianStep && *row.dh > kStepFactor * *medianStep && *row.dh > kStepMinimumCm)
            add("step", Severity::Warning, r,
                "貫入量 " + Shown(text[3], " cm") + " が他の行 (中央値 " + FormatG(*medianStep) + " cm) と大きく違います",
                {{"dh", row.dh}, {"median", medianStep}});
        if (row.dh && *row.dh > 0) {
            const double expected = 10 * row.n / *row.dh;
            if (!row.nd || Exceeds(*row.nd - expected, HalfLastDigit(text[4])))
                add("nd", Severity::Error, r,
                    "Nd " + Shown(text[4]) + " は 10N/Δh = " + ExpectedNd(expected, text[4]) + " と違います",
                    {{"nd", row.nd}, {"expected", expected}});
        }
        if (row.n >= kStopBlows && row.dh && *row.dh < kStopPenetration) {
            const std::string blows = "打撃 " + Shown(text[1]) + " 回で貫入量 " + Shown(text[3], " cm");
            if (r < count)
                add("stop", Severity::Warning, r, blows + " (10 回で 2 cm 未満) の後にもデータがあります",
                    {{"N", row.n}, {"dh", row.dh}});
            else
                add("end", Severity::Info, r, "試験終了条件 (打撃10回で貫入量2cm未満) で終了: " + blows,
                    {{"N", row.n}, {"dh", row.dh}});
        }
        if (row.nd && *row.nd > 50)
            add("nd50", Severity::Warning, r, "Nd " + Shown(text[4]) + " が 50 を超えています", {{"nd", row.nd}});
        if (row.n == 0 && row.dh && *row.dh > 0)
            add("sink", Severity::Info, r, "自沈 (貫入量 " + Shown(text[3], " cm") + ")", {{"N", row.n}, {"dh", row.dh}});
    }
    return findings;
}

bool HasErrorOrWarning(const std::vector<CheckFinding>& findings) {
    return std::any_of(findings.begin(), findings.end(),
                       [](const CheckFinding& f) { return f.severity != Severity::Info; });
}

}  // namespace vosk
