// Opening the heaviest data dialogs on a full table, from the command to
// the first painted frame: the lag a user feels on every open.

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QTemporaryDir>
#include <memory>

#include "app/command_table.h"
#include "app/main_frame.h"
#include "app/vosk_doc.h"
#include "app/vosk_view.h"
#include "entry/blow_rules.h"
#include "platform/message_service.h"
#include "settings/settings_store.h"
#include "survey/numbers.h"
#include "survey/survey_data.h"
#include "ui/entry/blow_data_dlg.h"
#include "ui/soil/jacic_soil_dlg.h"

namespace vosk {
namespace {

// Every blow row and soil row filled, the settings from a fresh install
// folder.
struct FullTable {
    QTemporaryDir dir;
    SettingsStore settings;
    std::unique_ptr<SurveyData> survey = std::make_unique<SurveyData>();
    AutoCalcSwitches autoCalc;
    MessageRecorder quiet;

    FullTable() {
        qputenv("VOSK_DRIVES", dir.filePath("drives").toUtf8());
        LoadSettings(settings, *survey, false);
        for (int r = 1; r <= kBlowRowCount; ++r) {
            survey->blow[r][1] = FormatInteger(r % 17);
            survey->blow[r][2] = FormatInteger(r * 10);
            survey->blow[r][3] = "10";
            survey->blow[r][4] = FormatInteger(r % 17);
            survey->blow[r][5] = r % 7 ? "" : "\x8e\xa9\x92\xbe";
        }
        for (int r = 1; r <= kSoilRowCount; ++r) {
            survey->soil[r][1] = FormatFixed(r * 0.1, 2);
            survey->soil[r][2] = "\x94\x53\x93\x79";
            survey->soil[r][7] = "215";
        }
    }
};

FullTable& Table() {
    static FullTable table;
    return table;
}

// Built as the data command builds it, shown, and painted once.
template <typename Dialog, typename... Args>
void OpenAndPaint(benchmark::State& st, Args&... args) {
    for (auto _ : st) {
        Dialog dialog(args...);
        dialog.show();
        benchmark::DoNotOptimize(dialog.grab());
    }
}

void BM_OpenBlowDataDialog(benchmark::State& st) {
    FullTable& t = Table();
    OpenAndPaint<CBlowDataDlg>(st, *t.survey, t.autoCalc, t.settings);
}
BENCHMARK(BM_OpenBlowDataDialog)->Unit(benchmark::kMillisecond);

void BM_OpenJacicSoilDialog(benchmark::State& st) {
    FullTable& t = Table();
    OpenAndPaint<CJacicSoilDlg>(st, *t.survey, t.settings);
}
BENCHMARK(BM_OpenJacicSoilDialog)->Unit(benchmark::kMillisecond);

// Through the menu command of the window: the time from the command to the
// dialog's first paint event, then the dialog is closed.
class FirstPaint : public QObject {
public:
    QElapsedTimer clock;
    qint64 nanos = -1;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (nanos < 0 && event->type() == QEvent::Paint && watched->isWidgetType()) {
            auto* dialog = qobject_cast<QDialog*>(static_cast<QWidget*>(watched)->window());
            if (dialog && dialog->isModal()) {
                nanos = clock.nsecsElapsed();
                QMetaObject::invokeMethod(dialog, [dialog] { dialog->done(QDialog::Rejected); }, Qt::QueuedConnection);
            }
        }
        return false;
    }
};

void RunCommandToFirstPaint(benchmark::State& st, int command) {
    FullTable& t = Table();
    Settings() = t.settings;
    CVoskDoc doc;
    doc.Survey() = *t.survey;
    doc.Survey().heading[heading::kJacicSoilNames] = command == command::kJacicSoilName ? "1" : "0";
    CMainFrame frame(&doc);
    frame.View()->OnInitialUpdate();
    frame.show();
    FirstPaint watch;
    qApp->installEventFilter(&watch);
    for (auto _ : st) {
        watch.nanos = -1;
        watch.clock.start();
        frame.Action(command)->trigger();
        st.SetIterationTime(static_cast<double>(watch.nanos) * 1e-9);
    }
    qApp->removeEventFilter(&watch);
}

void BM_BlowDataCommandToFirstPaint(benchmark::State& st) { RunCommandToFirstPaint(st, command::kBlowData); }
BENCHMARK(BM_BlowDataCommandToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_JacicSoilCommandToFirstPaint(benchmark::State& st) { RunCommandToFirstPaint(st, command::kJacicSoilName); }
BENCHMARK(BM_JacicSoilCommandToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vosk
