// The checks of a full blow table, as the check window and `vosk-sheet
// check` run them.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "entry/blow_checks.h"
#include "survey/numbers.h"

namespace vosk {
namespace {

// 100 rows of 10 cm with Nd written as the dialog derives it, one wrong
// Nd every ten rows, a test depth and one soil layer to the bottom.
std::unique_ptr<SurveyData> FullTable() {
    auto survey = std::make_unique<SurveyData>();
    survey->heading[heading::kTestDepth] = "10.00";
    survey->soil[1][1] = "10.00";
    for (int r = 1; r <= kBlowRowCount; ++r) {
        const int n = r % 12;
        BlowRow& row = survey->blow[r];
        row[1] = std::to_string(n);
        row[2] = std::to_string(r * 10);
        row[3] = "10";
        row[4] = r % 10 == 0 ? "99" : FormatG(n);
    }
    return survey;
}

void BM_CheckFullTable(benchmark::State& state) {
    auto survey = FullTable();
    for (auto _ : state) benchmark::DoNotOptimize(CheckSurvey(*survey));
}
BENCHMARK(BM_CheckFullTable)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vosk
