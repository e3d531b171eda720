#include "entry/blow_checks.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "survey/numbers.h"

namespace vosk {
namespace {

// Room for the binary fractions of typed decimals, so that 2.01 against
// 2.00 is "0.01", not "more than 0.01".
constexpr double kSlack = 1e-9;

// The stop rule of the test: 10 blows for less than 2 cm ends it.
constexpr double kStopBlows = 10;
constexpr double kStopPenetration = 2;

std::optional<double> Number(std::string_view text) {
    if (IsNumericText(text) != 1) return std::nullopt;
    const double value = ParseDecimal(text);
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

// Half a unit of the last digit the Nd text shows: "16.6667" is
// 0.00005, "17" 0.5, "1.5e+06" 50000.
double HalfLastDigit(std::string_view text) {
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
    return 0.5 * std::pow(10.0, -decimals);
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
    auto add = [&findings](std::string_view id, Severity severity, int row, std::string_view message,
                           std::vector<std::pair<std::string_view, std::optional<double>>> values) {
        findings.push_back({id, severity, row, message, std::move(values)});
    };

    if (count > 0) {
        const double lastDepth = rows[count].h / 100;
        if (auto testDepth = Number(survey.heading[heading::kTestDepth]); testDepth && Exceeds(*testDepth - lastDepth, 0.01))
            add("depth", Severity::Warning, 0, "試験深さ (見出し) と最終深さが一致しません",
                {{"testDepth", testDepth}, {"lastDepth", lastDepth}});
        if (const int layers = CountSoilRows(survey); layers > 0) {
            const double bottom = ParseDecimal(survey.soil[layers][1]);
            if (Exceeds(bottom - lastDepth, 0.01))
                add("soil", Severity::Warning, 0, "土質の最下端と最終深さが一致しません",
                    {{"soilBottom", bottom}, {"lastDepth", lastDepth}});
        }
    }

    for (int r = 1; r <= count; ++r) {
        const Row& row = rows[r];
        if (r >= 2) {
            const double previous = rows[r - 1].h;
            if (!(row.h > previous))
                add("order", Severity::Error, r, "深さが前の行より浅いか同じです", {{"h", row.h}, {"previousH", previous}});
            const double expected = row.h - previous;
            if (!row.dh || Exceeds(*row.dh - expected, 0.005))
                add("dh", Severity::Error, r, "貫入量が深さの差と一致しません", {{"dh", row.dh}, {"expected", expected}});
        }
        if (row.dh && *row.dh > 0) {
            const double expected = 10 * row.n / *row.dh;
            if (!row.nd || Exceeds(*row.nd - expected, HalfLastDigit(survey.blow[r][4])))
                add("nd", Severity::Error, r, "Nd が 10N/Δh と一致しません", {{"nd", row.nd}, {"expected", expected}});
        }
        if (row.n >= kStopBlows && row.dh && *row.dh < kStopPenetration) {
            if (r < count)
                add("stop", Severity::Warning, r, "打撃10回で貫入量2cm未満の後にもデータがあります",
                    {{"N", row.n}, {"dh", row.dh}});
            else
                add("end", Severity::Info, r, "試験終了条件 (打撃10回で貫入量2cm未満) で終了",
                    {{"N", row.n}, {"dh", row.dh}});
        }
        if (row.nd && *row.nd > 50) add("nd50", Severity::Warning, r, "Nd が 50 を超えています", {{"nd", row.nd}});
        if (row.n == 0 && row.dh && *row.dh > 0) add("sink", Severity::Info, r, "自沈", {{"N", row.n}, {"dh", row.dh}});
    }
    return findings;
}

bool HasErrorOrWarning(const std::vector<CheckFinding>& findings) {
    return std::any_of(findings.begin(), findings.end(),
                       [](const CheckFinding& f) { return f.severity != Severity::Info; });
}

}  // namespace vosk
