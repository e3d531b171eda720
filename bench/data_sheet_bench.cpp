// Reading and writing a full data sheet: 70 heading fields, 100 soil rows,
// 100 blow rows.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "survey/data_sheet.h"

namespace vosk {
namespace {

std::unique_ptr<SurveyData> FullSurvey() {
    auto s = std::make_unique<SurveyData>();
    // Japanese text of typical length: 調査件名 and similar.
    const std::string jp = "\x92\xb2\x8d\xb8\x8c\x8f\x96\xbc\x81\x40\x89\xcd\x90\xec\x89\xfc\x8f\x43";
    for (int i = 1; i <= kHeadingFieldCount; ++i) s->heading[i] = jp + std::to_string(i);
    for (int r = 1; r <= kSoilRowCount; ++r) {
        s->soil[r][1] = std::to_string(r) + ".00";
        for (int f = 2; f <= kSoilFieldCount; ++f) s->soil[r][f] = jp.substr(0, 2 * f);
        s->soil[r][7] = "247";
    }
    for (int r = 1; r <= kBlowRowCount; ++r) {
        s->blow[r][1] = std::to_string(r % 20);
        s->blow[r][2] = std::to_string(r * 10);
        s->blow[r][3] = "10";
        s->blow[r][4] = std::to_string(r % 20);
        s->blow[r][5] = r % 5 == 0 ? jp.substr(0, 4) : "";
    }
    return s;
}

void BM_WriteFullSheet(benchmark::State& state) {
    auto s = FullSurvey();
    for (auto _ : state) {
        MemoryOutput out;
        WriteDataSheet(*s, "1", out);
        benchmark::DoNotOptimize(out.bytes().data());
    }
}
BENCHMARK(BM_WriteFullSheet)->Unit(benchmark::kMicrosecond);

void BM_ReadFullSheet(benchmark::State& state) {
    auto s = FullSurvey();
    const std::string bytes = FormatDataSheet(*s, "1");
    auto target = std::make_unique<SurveyData>();
    for (auto _ : state) {
        int version = ReadDataSheet(*target, bytes, ReadPath::OpenCommand);
        benchmark::DoNotOptimize(version);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ReadFullSheet)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vosk
