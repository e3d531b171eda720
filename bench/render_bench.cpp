// Drawing the report sheet: full pages of both styles on the recording
// canvas, on a 96-DPI image (the screen repaint), into a 600-DPI PDF page,
// and the replay of the recorded operations on the same image as the floor.
// Also the window: start-up to the first painted page, and a page turn.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <memory>

#include "app/main_frame.h"
#include "app/vosk_app.h"
#include "app/vosk_doc.h"
#include "app/vosk_view.h"
#include "platform/message_service.h"
#include "platform/qt_canvas.h"
#include "platform/recording_canvas.h"
#include "platform/sheet_output.h"
#include "render/report_page.h"
#include "settings/settings_store.h"

namespace vosk {
namespace {

SettingsStore BenchSettings() {
    SettingsStore s;
    ApplySettingsDefaults(s.sheet);
    ApplyRangeDefaults(s.sheet);
    for (int i = 1; i <= kSheetFontCount; ++i) s.fonts[i] = DefaultFont(i);
    // Every grid and rule drawn.
    s.sheet.grid2WidthPx = 1;
    s.sheet.tableRuleWidthPx = 1;
    s.sheet.plotLineWidthPx = 1;
    s.sheet.underlineWidthPx = 1;
    s.sheet.underlineDashPx = 6;
    s.sheet.underlineGapPx = 6;
    s.sheet.grid1Colour = "0x808080";
    s.sheet.grid2Colour = "0xc0c0c0";
    return s;
}

std::unique_ptr<SurveyData> Style1Survey() {
    auto s = std::make_unique<SurveyData>();
    s->heading[heading::kSurveyName1] = "\x92\xb2\x8d\xb8\x8c\x8f\x96\xbc";
    s->heading[heading::kDepthScale] = "100";
    for (int r = 1; r <= kBlowRowCount; ++r) {
        s->blow[r][1] = std::to_string(r % 17);
        s->blow[r][2] = std::to_string(r * 10);
        s->blow[r][3] = "10";
        s->blow[r][4] = std::to_string(r % 17);
        s->blow[r][5] = r % 7 ? "" : "\x8e\xa9\x92\xbe";
    }
    NormaliseHeading(*s, "X");
    return s;
}

std::unique_ptr<SurveyData> Style2Survey() {
    auto s = Style1Survey();
    s->heading[heading::kSheetStyle] = "1";
    s->heading[heading::kTwoColumns] = "1";
    for (int r = 1; r <= 20; ++r) {
        s->soil[r][1] = std::to_string(r * 0.25);
        s->soil[r][2] = r % 2 ? "\x94\x53\x93\x79" : "\x83\x56\x83\x8b\x83\x67\x8e\xbf\x8d\xbb";
    }
    return s;
}

const SettingsStore& Shared() {
    static SettingsStore s = BenchSettings();
    return s;
}

void DrawOn(Canvas& canvas, const SurveyData& survey) {
    DrawSheetPage(canvas, survey, Shared(), 1);
}

template <auto MakeSurvey>
void BM_RecordingCanvas(benchmark::State& st) {
    auto survey = MakeSurvey();
    for (auto _ : st) {
        RecordingCanvas canvas(96, 96);
        DrawOn(canvas, *survey);
        benchmark::DoNotOptimize(canvas.ops().size());
    }
}

template <auto MakeSurvey>
void BM_ScreenImage96(benchmark::State& st) {
    auto survey = MakeSurvey();
    QImage image(A4SizePx(96), QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    for (auto _ : st) {
        image.fill(Qt::white);
        QPainter painter(&image);
        QtCanvas canvas(&painter, 96, 96);
        DrawOn(canvas, *survey);
    }
}

template <auto MakeSurvey>
void BM_ReplayFloor96(benchmark::State& st) {
    auto survey = MakeSurvey();
    RecordingCanvas recorded(96, 96);
    DrawOn(recorded, *survey);
    QImage image(A4SizePx(96), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : st) {
        image.fill(Qt::white);
        QPainter painter(&image);
        QtCanvas canvas(&painter, 96, 96);
        recorded.Replay(canvas);
    }
}

template <auto MakeSurvey>
void BM_PdfPage600(benchmark::State& st) {
    auto survey = MakeSurvey();
    QTemporaryDir dir;
    for (auto _ : st) {
        PdfOutput pdf((dir.filePath("page.pdf")).toStdString(), 600);
        if (Canvas* canvas = pdf.BeginPage()) DrawOn(*canvas, *survey);
        benchmark::DoNotOptimize(pdf.Finish());
    }
}

BENCHMARK(BM_RecordingCanvas<Style1Survey>)->Name("Style1/RecordingCanvas")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecordingCanvas<Style2Survey>)->Name("Style2/RecordingCanvas")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScreenImage96<Style1Survey>)->Name("Style1/Image96")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScreenImage96<Style2Survey>)->Name("Style2/Image96")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplayFloor96<Style1Survey>)->Name("Style1/ReplayFloor96")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplayFloor96<Style2Survey>)->Name("Style2/ReplayFloor96")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PdfPage600<Style1Survey>)->Name("Style1/Pdf600")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PdfPage600<Style2Survey>)->Name("Style2/Pdf600")->Unit(benchmark::kMillisecond);

// Start-up of the window on the example, to its first painted page.
void BM_StartUpToFirstPaint(benchmark::State& st) {
    MessageRecorder quiet;
    const QString sample = QStringLiteral(VOSK_SOURCE_DIR "/examples/sample.vkr");
    for (auto _ : st) {
        Settings() = SettingsStore{};
        CVoskApp app;
        int exitCode = 0;
        app.InitInstance({"vosk", sample}, exitCode);
        QImage shot = app.MainFrame()->View()->viewport()->grab().toImage();
        benchmark::DoNotOptimize(shot.constBits());
    }
}
BENCHMARK(BM_StartUpToFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(5);

// A page turn: the key, then the repaint of the view.
void BM_PageTurnRepaint(benchmark::State& st) {
    MessageRecorder quiet;
    Settings() = SettingsStore{};
    CVoskApp app;
    int exitCode = 0;
    app.InitInstance({"vosk"}, exitCode);
    auto survey = Style1Survey();
    app.Document()->Survey() = *survey;
    CVoskView* view = app.MainFrame()->View();
    view->resize(900, 1000);
    QImage target(view->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    int k = 0;
    for (auto _ : st) {
        if (k++ % 2) view->OnPreviousPage(); else view->OnNextPage();
        view->viewport()->render(&target);
    }
}
BENCHMARK(BM_PageTurnRepaint)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vosk
