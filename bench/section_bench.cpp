// The site section: a section of 30 points of 100 groups each drawn on the
// recording canvas, and `vosk-sheet section` of the same 30 files to PDF
// as a whole process (start to exit). The delivery: `vosk-sheet delivery`
// of a site file of 100 points of 100 rows (exchange XML and report sheet
// PDF of each) as a whole process.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

#include "platform/file_io.h"
#include "platform/recording_canvas.h"
#include "render/site_section.h"
#include "render/site_section_drawing.h"
#include "settings/settings_store.h"
#include "survey/data_sheet.h"

namespace vosk {
namespace {

constexpr int kPoints = 30;

// A point on a slope: 100 groups of 5 to 15 cm, Nd rising with depth, and
// eight soil layers.
std::shared_ptr<SurveyData> SlopePoint(int i) {
    auto s = std::make_shared<SurveyData>();
    ClearSurvey(*s);
    s->heading[heading::kPointNumber] = "No." + std::to_string(i + 1);
    s->heading[heading::kDatumKind] = "TP";
    s->heading[heading::kElevation] = std::to_string(40 - i * 0.7);
    s->heading[heading::kYear] = "2024";  // a date the delivery can write
    s->heading[heading::kMonth] = "5";
    s->heading[heading::kDay] = "20";
    int h = 0;
    for (int r = 1; r <= kBlowRowCount; ++r) {
        int dh = 5 + (r * 7 + i) % 11;
        h += dh;
        int n = 1 + (r * (i + 3)) % 9 + r / 12;
        s->blow[r][1] = std::to_string(n);
        s->blow[r][2] = std::to_string(h);
        s->blow[r][3] = std::to_string(dh);
        s->blow[r][4] = std::to_string(10.0 * n / dh);
    }
    const char* names[] = {"\x95\x5c\x93\x79", "\x83\x8d\x81\x5b\x83\x80", "\x94\x53\x90\xab\x93\x79",
                           "\x8d\xbb\x8e\xbf\x93\x79"};  // 表土, ローム, 粘性土, 砂質土
    for (int r = 1; r <= 8; ++r) {
        s->soil[r][1] = std::to_string(h / 100.0 * r / 8);
        s->soil[r][2] = names[r % 4];
    }
    return s;
}

std::vector<SectionSheet> SlopeSheets() {
    std::vector<SectionSheet> sheets;
    for (int i = 0; i < kPoints; ++i) sheets.push_back({"P" + std::to_string(i + 1) + ".vkr", SlopePoint(i)});
    return sheets;
}

SettingsStore BenchSettings() {
    SettingsStore s;
    ApplySettingsDefaults(s.sheet);
    ApplyRangeDefaults(s.sheet);
    for (int i = 1; i <= kSheetFontCount; ++i) s.fonts[i] = DefaultFont(i);
    s.sheet.plotLineWidthPx = 1;
    return s;
}

void BM_SectionOnRecordingCanvas(benchmark::State& state) {
    const SettingsStore settings = BenchSettings();
    SiteSection section;
    if (BuildSiteSection(SlopeSheets(), {}, section)) {
        state.SkipWithError("section refused");
        return;
    }
    RecordingCanvas canvas(600, 600);
    for (auto _ : state) {
        canvas.Clear();
        DrawSiteSection(canvas, section, settings);
        benchmark::DoNotOptimize(canvas.ops().data());
    }
    state.counters["ops"] = static_cast<double>(canvas.ops().size());
}
BENCHMARK(BM_SectionOnRecordingCanvas)->Unit(benchmark::kMillisecond);

void BM_SectionToolToPdf(benchmark::State& state) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("vosk-section-bench-" + std::to_string(getpid()));
    fs::create_directories(dir);
    std::string cmd = std::string(VOSK_SHEET_TOOL) + " section";
    for (int i = 0; i < kPoints; ++i) {
        fs::path file = dir / ("P" + std::to_string(i + 1) + ".vkr");
        WriteFileAtomically(file, FormatDataSheet(*SlopePoint(i), ""));
        cmd += " " + file.string();
    }
    cmd += " -o " + (dir / "section.pdf").string();
    for (auto _ : state)
        if (std::system(cmd.c_str()) != 0) state.SkipWithError("vosk-sheet section failed");
    if (!std::getenv("VOSK_KEEP_BENCH_FILES")) fs::remove_all(dir);
}
BENCHMARK(BM_SectionToolToPdf)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

constexpr int kDeliveredPoints = 100;

void BM_DeliveryToolWholeProcess(benchmark::State& state) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("vosk-delivery-bench-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const std::string tool = VOSK_SHEET_TOOL;
    std::string make = tool + " site " + (dir / "site.vks").string();
    for (int i = 0; i < kDeliveredPoints; ++i) {
        fs::path file = dir / ("P" + std::to_string(i + 1) + ".vkr");
        WriteFileAtomically(file, FormatDataSheet(*SlopePoint(i), ""));
        make += " " + file.string();
    }
    if (std::system((make + " --client bench").c_str()) != 0) {
        state.SkipWithError("vosk-sheet site failed");
        return;
    }
    const std::string deliver = tool + " delivery " + (dir / "site.vks").string() + " -o " + (dir / "out").string() +
                                " --replace";
    for (auto _ : state)
        if (std::system(deliver.c_str()) != 0) state.SkipWithError("vosk-sheet delivery failed");
    state.counters["points"] = kDeliveredPoints;
    if (!std::getenv("VOSK_KEEP_BENCH_FILES")) fs::remove_all(dir);
}
BENCHMARK(BM_DeliveryToolWholeProcess)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
}  // namespace vosk
