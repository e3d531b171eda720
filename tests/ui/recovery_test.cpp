// Recovery copies: typed work survives a closed window and a killed
// process, and comes back through the bar above the sheet.

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "app/command_table.h"
#include "app/main_frame.h"
#include "app/recovery_bar.h"
#include "app/vosk_app.h"
#include "app/vosk_doc.h"
#include "platform/cp932.h"
#include "platform/file_io.h"
#include "platform/message_service.h"
#include "settings/settings_store.h"
#include "survey/data_sheet.h"
#include "ui/entry/blow_data_dlg.h"
#include "ui/entry/heading_dlg.h"
#include "ui/widgets/dialog_support.h"

namespace vosk {
namespace {

const char* const kChildEnv = "VOSK_RECOVERY_TEST_CHILD";

std::string Bytes(const QString& path) {
    return ReadFileBytes(std::filesystem::path(path.toStdU16String())).value_or("<missing>");
}

QStringList CopiesIn(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("*.vkr")}, QDir::Files);
}

// Types `text` into heading field `field` through the heading dialog of the
// window, and confirms it.
void TypeHeading(CMainFrame& frame, int field, const QString& text) {
    bool driven = false;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<CHeadingDlg*>(QApplication::activeModalWidget());
        QVERIFY(d);
        auto* edit = d->findChild<QLineEdit*>(HeadingFieldName(field));
        QVERIFY(edit);
        edit->setText(text);
        d->accept();
        driven = true;
    });
    frame.Action(command::kHeading)->trigger();
    QVERIFY(driven);
}

}  // namespace

class RecoveryTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString Path(const QString& name) const { return dir_.filePath(name); }
    QString Folder() const { return CVoskApp::RecoveryFolder(); }

    void WriteSheet(const QString& path) {
        std::ofstream(path.toStdString(), std::ios::binary) << "$$_VSKTARVO100\r\n$$Z\r\nfirst\r\n$$C\r\n3,10,10,3,\r\n";
    }

private slots:
    void initTestCase() {
        // A child run shares the parent's folders, given in its environment.
        if (!qEnvironmentVariableIsSet(kChildEnv)) {
            QVERIFY(dir_.isValid());
            qputenv("VOSK_DRIVES", Path("drives").toUtf8());
            qputenv("XDG_DATA_HOME", Path("data").toUtf8());
            qputenv("XDG_CONFIG_HOME", Path("config").toUtf8());
        }
    }

    void init() {
        Settings() = SettingsStore{};
        if (!qEnvironmentVariableIsSet(kChildEnv)) QDir(Folder()).removeRecursively();
    }

    void everyChangeKeepsACopyThatSaveWritesAndRemoves() {
        if (qEnvironmentVariableIsSet(kChildEnv)) QSKIP("parent only");
        const QString file = Path("point.vkr");
        WriteSheet(file);
        MessageRecorder messages;
        CVoskApp app(&messages);
        int exitCode = 0;
        QVERIFY(app.InitInstance({"vosk", file}, exitCode));
        CMainFrame& frame = *app.MainFrame();
        QVERIFY(!frame.Recovery()->isVisible());
        QVERIFY(CopiesIn(Folder()).isEmpty());

        TypeHeading(frame, heading::kSurveyName1, QStringLiteral("山田台地"));
        QCOMPARE(frame.windowTitle(), QString("point.vkr* - Vosk"));
        const QStringList copies = CopiesIn(Folder());
        QCOMPARE(copies.size(), 1);
        const std::string copy = Bytes(QDir(Folder()).filePath(copies[0]));
        // A cancelled dialog changes nothing and writes nothing new.
        QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
        frame.Action(command::kHeading)->trigger();
        QCOMPARE(CopiesIn(Folder()), copies);

        frame.Action(command::kSave)->trigger();
        // The copy held exactly what Save writes.
        QCOMPARE(Bytes(file), copy);
        QVERIFY(CopiesIn(Folder()).isEmpty());
        QCOMPARE(frame.windowTitle(), QString("point.vkr - Vosk"));

        // New after a change keeps the unsaved survey's copy.
        TypeHeading(frame, heading::kSurveyName1, QStringLiteral("二度目"));
        frame.Action(command::kNew)->trigger();
        QCOMPARE(CopiesIn(Folder()).size(), 1);
        QCOMPARE(frame.windowTitle(), QString("無題 - Vosk"));
        TypeHeading(frame, heading::kSurveyName1, QStringLiteral("新しい地点"));
        QCOMPARE(CopiesIn(Folder()).size(), 2);
    }

    void undoAndRedoTakeTheCopyAlong() {
        if (qEnvironmentVariableIsSet(kChildEnv)) QSKIP("parent only");
        const QString file = Path("steps.vkr");
        WriteSheet(file);
        MessageRecorder messages;
        CVoskApp app(&messages);
        int exitCode = 0;
        QVERIFY(app.InitInstance({"vosk", file}, exitCode));
        CMainFrame& frame = *app.MainFrame();
        auto copy = [&] {
            const QStringList copies = CopiesIn(Folder());
            return copies.size() == 1 ? Bytes(QDir(Folder()).filePath(copies[0])) : std::string();
        };
        const std::string changed = *Utf8ToCp932("山田台地");
        TypeHeading(frame, heading::kSurveyName1, QStringLiteral("山田台地"));
        QVERIFY(copy().find(changed) != std::string::npos);
        // Back at the file as it is: no copy, no mark.
        frame.Action(command::kUndo)->trigger();
        QVERIFY(CopiesIn(Folder()).isEmpty());
        QCOMPARE(frame.windowTitle(), QString("steps.vkr - Vosk"));
        frame.Action(command::kRedo)->trigger();
        QVERIFY(copy().find(changed) != std::string::npos);
        QCOMPARE(frame.windowTitle(), QString("steps.vkr* - Vosk"));
        // After Save the step back is a change of its own, kept as a copy.
        frame.Action(command::kSave)->trigger();
        QVERIFY(CopiesIn(Folder()).isEmpty());
        frame.Action(command::kUndo)->trigger();
        QVERIFY(copy().find("\r\nfirst\r\n") != std::string::npos);
        QCOMPARE(frame.windowTitle(), QString("steps.vkr* - Vosk"));
    }

    // Run as a child process by the next test: opens the file, types into
    // the heading, says so and waits to be killed.
    void childTypesAndWaitsToBeKilled() {
        if (!qEnvironmentVariableIsSet(kChildEnv)) QSKIP("run as a child process only");
        MessageRecorder quiet;
        CVoskApp app(&quiet);
        int exitCode = 0;
        QVERIFY(app.InitInstance({"vosk", QString::fromLocal8Bit(qgetenv(kChildEnv))}, exitCode));
        TypeHeading(*app.MainFrame(), heading::kSurveyName1, QStringLiteral("打ったばかりの地点名"));
        std::printf("typed\n");
        std::fflush(stdout);
        QTest::qWait(60000);
    }

    void killedWindowLeavesACopyThatRestoresToTheOriginalFile() {
        if (qEnvironmentVariableIsSet(kChildEnv)) QSKIP("parent only");
        const QString file = Path("killed.vkr");
        WriteSheet(file);
        const std::string original = Bytes(file);

        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(kChildEnv, file);
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {"childTypesAndWaitsToBeKilled"});
        QVERIFY(child.waitForStarted());
        QByteArray said;
        QTRY_VERIFY_WITH_TIMEOUT((said += child.readAllStandardOutput()).contains("typed"), 20000);
        child.kill();  // SIGKILL: nothing runs on the way out
        QVERIFY(child.waitForFinished());
        QCOMPARE(Bytes(file), original);

        MessageRecorder messages;
        CVoskApp app(&messages);
        int exitCode = 0;
        QVERIFY(app.InitInstance({"vosk"}, exitCode));
        CMainFrame& frame = *app.MainFrame();
        RecoveryBar* bar = frame.Recovery();
        QVERIFY(bar->isVisible());
        QVERIFY(bar->Text()->text().startsWith(QStringLiteral("未保存のデータがあります: killed.vkr (")));
        QCOMPARE(bar->RestoreButton()->text(), QString("復元"));
        QCOMPARE(bar->DiscardButton()->text(), QString("破棄"));
        bar->RestoreButton()->click();
        QVERIFY(!bar->isVisible());
        QCOMPARE(app.Document()->Survey().heading[heading::kSurveyName1], Utf8ToCp932("打ったばかりの地点名").value());
        QCOMPARE(app.Document()->PathName(), file);
        QCOMPARE(frame.windowTitle(), QString("killed.vkr* - Vosk"));

        frame.Action(command::kSave)->trigger();
        std::unique_ptr<SurveyData> saved = std::make_unique<SurveyData>();
        ReadDataSheet(*saved, Bytes(file), ReadPath::Framework);
        QCOMPARE(saved->heading[heading::kSurveyName1], app.Document()->Survey().heading[heading::kSurveyName1]);
        QVERIFY(CopiesIn(Folder()).isEmpty());
    }

    void aTableTypedInAnOpenDialogIsKeptBeforeOk() {
        if (qEnvironmentVariableIsSet(kChildEnv)) QSKIP("parent only");
        MessageRecorder messages;
        CVoskApp app(&messages);
        int exitCode = 0;
        QVERIFY(app.InitInstance({"vosk"}, exitCode));
        bool driven = false;
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<CBlowDataDlg*>(QApplication::activeModalWidget());
            QVERIFY(d);
            d->Field(1)->setText("7");
            d->Field(2)->setText("35");
            d->AddButton()->click();
            // Still in the dialog: the copy holds the row OK would store.
            const QStringList copies = CopiesIn(Folder());
            QCOMPARE(copies.size(), 1);
            auto kept = std::make_unique<SurveyData>();
            ReadDataSheet(*kept, Bytes(QDir(Folder()).filePath(copies[0])), ReadPath::Framework);
            QCOMPARE(kept->blow[1][2], std::string("35"));
            messages.answers = {MessageAnswer::Yes};
            d->CancelButton()->click();
            driven = true;
        });
        app.MainFrame()->Action(command::kBlowData)->trigger();
        QVERIFY(driven);
        // Cancelled: nothing unsaved, no copy left.
        QVERIFY(CopiesIn(Folder()).isEmpty());
        QVERIFY(!app.Document()->HasUnsavedChanges());
    }

    void discardRemovesTheCopyAndOffersTheNext() {
        if (qEnvironmentVariableIsSet(kChildEnv)) QSKIP("parent only");
        auto survey = std::make_unique<SurveyData>();
        RecoveryStore older(std::filesystem::path(Folder().toStdU16String()), "older");
        RecoveryStore newer(std::filesystem::path(Folder().toStdU16String()), "newer");
        QVERIFY(older.Write(*survey, "1", ""));
        QTest::qWait(20);
        QVERIFY(newer.Write(*survey, "1", Path("b.vkr").toStdString()));

        MessageRecorder messages;
        CVoskApp app(&messages);
        int exitCode = 0;
        QVERIFY(app.InitInstance({"vosk"}, exitCode));
        RecoveryBar* bar = app.MainFrame()->Recovery();
        QVERIFY(bar->Text()->text().contains("b.vkr"));
        bar->DiscardButton()->click();
        QVERIFY(bar->isVisible());
        QVERIFY(bar->Text()->text().contains(QStringLiteral("無題")));
        bar->DiscardButton()->click();
        QVERIFY(!bar->isVisible());
        QVERIFY(CopiesIn(Folder()).isEmpty());
    }

    void printingFromTheCommandLineNeverTouchesTheCopies() {
        if (qEnvironmentVariableIsSet(kChildEnv)) QSKIP("parent only");
        auto survey = std::make_unique<SurveyData>();
        RecoveryStore left(std::filesystem::path(Folder().toStdU16String()), "left");
        QVERIFY(left.Write(*survey, "1", ""));
        const QString file = Path("print.vkr");
        WriteSheet(file);
        MessageRecorder quiet;
        CVoskApp app(&quiet);
        int exitCode = 0;
        // No printer here or there: either way the window never opens.
        QVERIFY(!app.InitInstance({"vosk", "/p", file}, exitCode));
        QVERIFY(!app.MainFrame()->Recovery()->isVisible());
        QCOMPARE(CopiesIn(Folder()), QStringList{"left.vkr"});
    }
};

}  // namespace vosk

QTEST_MAIN(vosk::RecoveryTest)
#include "recovery_test.moc"
