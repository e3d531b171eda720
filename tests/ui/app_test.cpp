// The main window, the view and the file commands, driven through the real
// widgets under the offscreen platform.

#include <QAbstractFileIconProvider>
#include <QAbstractProxyModel>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinter>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTableWidget>
#include <QTranslator>
#include <QVBoxLayout>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/command_table.h"
#include "app/main_frame.h"
#include "entry/blow_table_text.h"
#include "platform/cp932.h"
#include "ui/entry/blow_data_dlg.h"
#include "ui/entry/heading_dlg.h"
#include "ui/widgets/dialog_support.h"
#include "app/qt_japanese.h"
#include "tests/ui/modal_closer.h"
#include "ui/section/site_section_dlg.h"
#include "app/vosk_app.h"
#include "app/vosk_doc.h"
#include "app/vosk_view.h"
#include "platform/file_io.h"
#include "platform/message_service.h"
#include "platform/sheet_output.h"
#include "platform/string_table.h"
#include "render/report_page.h"
#include "settings/settings_store.h"
#include "tests/core/path_kinds.h"
#include "ui/widgets/enter_key_filter.h"

namespace vosk {

// Answers the file dialogs from a script and remembers what they were asked.
class ScriptedDialogs : public FileDialogs {
public:
    std::optional<QString> OpenPath(const QString& filter, const QString&, const QString& startFolder) override {
        lastFilter = filter;
        lastStartFolder = startFolder;
        ++asked;
        return Next();
    }
    std::optional<QString> SavePath(const QString& filter, const QString& initial) override {
        lastFilter = filter;
        lastInitial = initial;
        ++asked;
        return Next();
    }
    std::optional<QString> Next() {
        if (answers.isEmpty()) return std::nullopt;
        return answers.takeFirst();
    }
    QStringList answers;
    QString lastFilter, lastStartFolder, lastInitial;
    int asked = 0;
};

class AppTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::unique_ptr<CVoskDoc> doc_;
    std::unique_ptr<CMainFrame> frame_;
    ScriptedDialogs dialogs_;

    QString Path(const QString& name) const { return dir_.filePath(name); }
    static std::string Bytes(const QString& path) {
        return ReadFileBytes(std::filesystem::path(path.toStdString())).value_or("<missing>");
    }
    void Write(const QString& path, const std::string& bytes) {
        std::ofstream(path.toStdString(), std::ios::binary) << bytes;
    }
    // The rules a vertical scan at paper position `xMm` crosses from `topMm`
    // to `bottomMm` on a picture of the page whose paper is `paper` (pixels).
    static int RulesCrossed(const QImage& image, QRect paper, double xMm, double topMm, double bottomMm) {
        const double perMmX = paper.width() / 210.0, perMmY = paper.height() / 297.0;
        const int x = paper.left() + static_cast<int>(xMm * perMmX);
        int rules = 0;
        bool inRule = false;
        for (int y = paper.top() + static_cast<int>(topMm * perMmY); y <= paper.top() + bottomMm * perMmY; ++y) {
            bool dark = qGray(image.pixel(x, y)) < 224;
            rules += dark && !inRule;
            inRule = dark;
        }
        return rules;
    }
    // The paper on a picture of the preview: the white pixels' bounding box.
    static QRect Paper(const QImage& image) {
        QRect box;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) == qRgb(255, 255, 255)) box |= QRect(x, y, 1, 1);
        return box;
    }

    // The stroked lines of page 1 of a PDF as poppler reads them: each
    // width and the box around all of them, in points.
    struct Strokes {
        std::vector<double> widths;
        QRectF bounds;
    };
    static std::optional<Strokes> PageStrokes(const QString& pdf) {
        const QString svg = pdf + ".svg";
        if (QProcess::execute("pdftocairo", {"-svg", "-f", "1", "-l", "1", pdf, svg}) != 0) return std::nullopt;
        QFile file(svg);
        if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
        static const QRegularExpression width("stroke-width:([0-9.eE+-]+)"), number("-?[0-9.]+(?:[eE][+-]?[0-9]+)?");
        Strokes strokes;
        QXmlStreamReader xml(&file);
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("path")) continue;
            const QString style = xml.attributes().value("style").toString();
            auto w = width.match(style);
            if (!w.hasMatch() || style.contains("stroke:none")) continue;
            QList<double> m;  // matrix(a,b,c,d,e,f)
            for (auto it = number.globalMatch(xml.attributes().value("transform").toString()); it.hasNext();)
                m << it.next().captured().toDouble();
            if (m.size() != 6) m = {1, 0, 0, 1, 0, 0};
            strokes.widths.push_back(w.captured(1).toDouble() * std::sqrt(std::abs(m[0] * m[3] - m[1] * m[2])));
            QList<double> d;
            for (auto it = number.globalMatch(xml.attributes().value("d").toString()); it.hasNext();)
                d << it.next().captured().toDouble();
            for (qsizetype i = 0; i + 1 < d.size(); i += 2) {
                QPointF p(m[0] * d[i] + m[2] * d[i + 1] + m[4], m[1] * d[i] + m[3] * d[i + 1] + m[5]);
                strokes.bounds |= QRectF(p, QSizeF(1e-6, 1e-6));
            }
        }
        std::sort(strokes.widths.begin(), strokes.widths.end());
        return strokes;
    }

    static std::string Sheet(int rows, const std::string& firstHeading = "name") {
        std::string s = "$$_VSKTARVO100\r\n$$Z\r\n" + firstHeading + "\r\n$$C\r\n";
        for (int r = 1; r <= rows; ++r) s += "3," + std::to_string(r * 10) + ",10,3,\r\n";
        return s;
    }

    // Runs command `id` from its menu item and `act` on the dialog it opens.
    template <typename Dialog>
    void RunDialog(int id, const std::function<void(Dialog&)>& act) {
        bool driven = false;
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            QVERIFY(d);
            test::ModalCloser closer{d};
            QVERIFY(QTest::qWaitForWindowActive(d));
            act(*d);
            driven = true;
        });
        frame_->Action(id)->trigger();
        QVERIFY(driven);
    }
    // The heading dialog from the menu: survey name 1 set to `name`, OK.
    void TypeSurveyName(const QString& name) {
        RunDialog<CHeadingDlg>(command::kHeading, [&](CHeadingDlg& d) {
            d.findChild<QLineEdit*>(HeadingFieldName(heading::kSurveyName1))->setText(name);
            d.accept();
        });
    }
    std::string SurveyName() const { return Cp932ToUtf8(doc_->Survey().heading[heading::kSurveyName1]); }

    // A drag event as the window gets it; QApplication routes drops only
    // for a drag its own drag manager runs.
    void Deliver(QEvent* event) { static_cast<QObject*>(frame_.get())->event(event); }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        qputenv("VOSK_DRIVES", Path("drives").toUtf8());
        qputenv("XDG_CONFIG_HOME", Path("config").toUtf8());
    }

    void init() {
        Settings() = SettingsStore{};
        doc_ = std::make_unique<CVoskDoc>();
        doc_->SetFileDialogs(&dialogs_);
        dialogs_ = ScriptedDialogs{};
        frame_ = std::make_unique<CMainFrame>(doc_.get());
        frame_->View()->OnInitialUpdate();
        doc_->OnNewDocument();
    }

    void cleanup() {
        frame_.reset();
        doc_.reset();
    }

    void menusCarryEveryCaptionInOrder() {
        QStringList titles;
        for (QAction* a : frame_->menuBar()->actions()) titles << a->text();
        QCOMPARE(titles, (QStringList{"ﾌｧｲﾙ(&F)", "編集(&E)", "データ(&A)", "表示(&V)", "設定(&S)", "ﾍﾙﾌﾟ(&H)"}));
        QMenu* file = frame_->MenuAt(menu::kFile);
        QStringList items;
        for (QAction* a : file->actions()) items << (a->isSeparator() ? QString("-") : a->text());
        QCOMPARE(items, (QStringList{"新規作成(&N)", "開く(&O)...", "上書き保存(&S)", "名前を付けて保存(&A)...", "-",
                                     "CSV の取り込み(&I)...", "CSV の書き出し(&E)...", "-",
                                     "印刷(&P)...", "印刷ﾌﾟﾚﾋﾞｭｰ(&V)", "ﾌﾟﾘﾝﾀの設定(&R)...", "-", "断面図(&D)...", "-",
                                     "最近使ったﾌｧｲﾙ", "-",
                                     "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"}));
        QCOMPARE(frame_->Action(command::kOpen)->shortcut(), QKeySequence("Ctrl+O"));
        QCOMPARE(frame_->Action(command::kPrint)->shortcut(), QKeySequence("Ctrl+P"));
        QCOMPARE(frame_->Action(command::kSave)->statusTip(), QString("作業中のﾌｧｲﾙを上書きして保存"));
        QCOMPARE(frame_->Action(command::kNextPage)->toolTip(), QString("次頁"));
        QCOMPARE(frame_->Action(command::kPreviousPage)->toolTip(), QString("前頁"));
        QCOMPARE(frame_->windowTitle(), QString("無題 - Vosk"));
        QCOMPARE(frame_->statusBar()->currentMessage(), QString::fromUtf8(kIdlePrompt.data()));
    }

    void commandsWithoutTheirDialogsAreGreyed() {
        frame_->UpdateCommandUi();
        for (int id : {command::kJacicSoilName})
            QVERIFY2(!frame_->Action(id)->isEnabled(), qPrintable(QString::number(id)));
        for (int id : {command::kNew, command::kOpen, command::kSave, command::kSaveAs, command::kPrint, command::kHeading, command::kPageFooter, command::kBlowData,
                       command::kSoilName, command::kAbout, command::kExit})
            QVERIFY(frame_->Action(id)->isEnabled());
    }

    void soilNameCommandFollowsHeadingField51() {
        QAction* soilName = frame_->Action(command::kSoilName);
        QCOMPARE(soilName->text(), QString("土質名(&D)"));
        const std::string saved = doc_->Survey().heading[heading::kJacicSoilNames];
        // Field 51 read as an integer: only 1 chooses the JACIC dialog.
        for (auto [field, enabled] : {std::pair{"", true}, {"0", true}, {"2", true}, {"abc", true}, {"1", false},
                                      {" 1", false}, {"01", false}, {"1.5", false}}) {
            doc_->Survey().heading[heading::kJacicSoilNames] = field;
            frame_->UpdateCommandUi();
            QVERIFY2(soilName->isEnabled() == enabled, field);
            QVERIFY2(frame_->Action(command::kJacicSoilName)->isEnabled() == !enabled, field);
        }
        doc_->Survey().heading[heading::kJacicSoilNames] = saved;
        frame_->UpdateCommandUi();
    }

    void editMenuUndoesAndRedoesEveryChangeByItsName() {
        const QString path = Path("steps.vkr");
        Write(path, Sheet(2));
        QVERIFY(doc_->OpenDocumentFile(path));
        QMenu* edit = frame_->MenuAt(menu::kEdit);
        QStringList items;
        for (QAction* a : edit->actions()) items << a->text();
        QCOMPARE(items, (QStringList{"元に戻す", "やり直し"}));
        QAction* undo = frame_->Action(command::kUndo);
        QAction* redo = frame_->Action(command::kRedo);
        QCOMPARE(edit->actions(), (QList<QAction*>{undo, redo}));
        QCOMPARE(undo->shortcut(), QKeySequence("Ctrl+Z"));
        QCOMPARE(redo->shortcut(), QKeySequence("Ctrl+Y"));
        QVERIFY(!undo->isEnabled());
        QVERIFY(!redo->isEnabled());

        TypeSurveyName("山田台地");
        QCOMPARE(undo->text(), QString("元に戻す: 見出し"));
        QCOMPARE(frame_->windowTitle(), QString("steps.vkr* - Vosk"));
        RunDialog<CBlowDataDlg>(command::kBlowData, [](CBlowDataDlg& d) {
            QGuiApplication::clipboard()->setText("4\t35\n");
            d.Grid()->setFocus();
            QTest::keyClick(d.Grid(), Qt::Key_V, Qt::ControlModifier);
            d.OkButton()->click();
        });
        QCOMPARE(CountBlowRows(doc_->Survey()), 3);
        QCOMPARE(undo->text(), QString("元に戻す: 測定データ"));
        // A dialog that changes nothing is no step.
        RunDialog<CHeadingDlg>(command::kHeading, [](CHeadingDlg& d) { d.accept(); });
        QCOMPARE(doc_->UndoStack().count(), 2);

        // Undo from the menu: one dialog's change at a time.
        edit->actions()[0]->trigger();
        QCOMPARE(CountBlowRows(doc_->Survey()), 2);
        QCOMPARE(SurveyName(), std::string("山田台地"));
        QCOMPARE(undo->text(), QString("元に戻す: 見出し"));
        QCOMPARE(redo->text(), QString("やり直し: 測定データ"));
        QVERIFY(redo->isEnabled());
        edit->actions()[0]->trigger();
        QCOMPARE(SurveyName(), std::string("name"));
        // Back at the file as opened: no unsaved mark.
        QCOMPARE(frame_->windowTitle(), QString("steps.vkr - Vosk"));
        QVERIFY(!undo->isEnabled());
        QCOMPARE(undo->text(), QString("元に戻す"));
        edit->actions()[1]->trigger();
        edit->actions()[1]->trigger();
        QCOMPARE(SurveyName(), std::string("山田台地"));
        QCOMPARE(CountBlowRows(doc_->Survey()), 3);
        QVERIFY(!redo->isEnabled());

        // Save keeps the steps; the mark follows them from the step saved.
        frame_->Action(command::kSave)->trigger();
        QCOMPARE(frame_->windowTitle(), QString("steps.vkr - Vosk"));
        QCOMPARE(undo->text(), QString("元に戻す: 測定データ"));
        edit->actions()[0]->trigger();
        QCOMPARE(frame_->windowTitle(), QString("steps.vkr* - Vosk"));
        QCOMPARE(CountBlowRows(doc_->Survey()), 2);
        edit->actions()[1]->trigger();
        QCOMPARE(frame_->windowTitle(), QString("steps.vkr - Vosk"));

        // New and Open start without steps.
        frame_->Action(command::kNew)->trigger();
        QVERIFY(!undo->isEnabled());
        TypeSurveyName("x");
        QVERIFY(doc_->OpenDocumentFile(path));
        frame_->UpdateCommandUi();
        QVERIFY(!undo->isEnabled());
        QVERIFY(!redo->isEnabled());
    }

    void aHundredStepsAreKept() {
        for (int i = 1; i <= 101; ++i) {
            auto before = std::make_unique<SurveyData>(doc_->Survey());
            doc_->Survey().heading[heading::kSurveyName1] = std::to_string(i);
            doc_->RecordChange(QStringLiteral("見出し"), std::move(before));
        }
        frame_->UpdateCommandUi();
        int undone = 0;
        while (frame_->Action(command::kUndo)->isEnabled() && undone < 200) {
            frame_->Action(command::kUndo)->trigger();
            ++undone;
        }
        QCOMPARE(undone, 100);
        QCOMPARE(SurveyName(), std::string("1"));
    }

    void csvMenuImportsANewDocumentAndExportsAsTheToolDoes() {
        MessageRecorder messages;
        const QString sheet = Path("csv.vkr");
        Write(sheet, Sheet(1, "kept"));
        QVERIFY(doc_->OpenDocumentFile(sheet));

        // Refused: the line, the tool's message, and the document as it was.
        Write(Path("bad.csv"), "N,h\n5,10\n6,10\n");
        Write(Path("bytes.csv"), "5,10,\xFF\n");
        dialogs_.answers = {Path("bad.csv"), Path("bytes.csv"), Path("missing.csv")};
        for (int i = 0; i < 3; ++i) frame_->Action(command::kImportCsv)->trigger();
        QCOMPARE(messages.texts,
                 (std::vector<std::string>{FormatMessageText(4106, "3") + "\n" + FormatMessageText(908, "深度"),
                                           std::string(MessageText(4104)),
                                           FormatMessageText(32795, Path("missing.csv").toStdString())}));
        QVERIFY(dialogs_.lastFilter.startsWith("CSV ファイル(*.csv)|*.csv|"));
        QCOMPARE(doc_->PathName(), sheet);
        QCOMPARE(SurveyName(), std::string("kept"));

        // Taken: a new document, Δh and Nd derived as the tool derives them.
        messages.texts.clear();
        Write(Path("in.csv"), *Utf8ToCp932("打撃回数,深さ,記事\r\n3,25,自沈\r\n5,10,\r\n"));
        dialogs_.answers = {Path("in.csv")};
        frame_->Action(command::kImportCsv)->trigger();
        QVERIFY(messages.texts.empty());
        QCOMPARE(doc_->PathName(), QString());
        QCOMPARE(frame_->windowTitle(), QString("無題* - Vosk"));
        QCOMPARE(SurveyName(), std::string());
        QCOMPARE(CountBlowRows(doc_->Survey()), 2);
        QCOMPARE(frame_->Action(command::kUndo)->text(), QString("元に戻す: CSV の取り込み"));

        // Export: the tool's CSV, .csv added to a name without extension.
        dialogs_.answers = {Path("out")};
        frame_->Action(command::kExportCsv)->trigger();
        QCOMPARE(Bytes(Path("out.csv")), FormatBlowCsv(doc_->Survey()));
        QCOMPARE(Bytes(Path("out.csv")),
                 std::string("depth (m),N,h (cm),Δh (cm),Nd,remark\r\n0.10,5,10,10,5,\r\n0.25,3,25,15,2,自沈\r\n"));

        // The import is one step: undo gives the empty new document.
        frame_->Action(command::kUndo)->trigger();
        QCOMPARE(CountBlowRows(doc_->Survey()), 0);
        QCOMPARE(frame_->windowTitle(), QString("無題 - Vosk"));
    }

    void pageTurning() {
        CVoskView* view = frame_->View();
        // Empty table: one page, both page commands off, PageDown does nothing.
        QVERIFY(!frame_->Action(command::kNextPage)->isEnabled());
        QTest::keyClick(view, Qt::Key_PageDown);
        QCOMPARE(view->CurrentPage(), 1);

        Write(Path("fifty.vkr"), Sheet(50));  // 41 rows a page: two pages
        QVERIFY(doc_->OpenDocumentFile(Path("fifty.vkr")));
        QVERIFY(frame_->Action(command::kNextPage)->isEnabled());
        QCOMPARE(frame_->PageIndicator()->text(), QString("1 / 2 ページ"));
        QTest::keyClick(view, Qt::Key_Down);
        QCOMPARE(view->CurrentPage(), 2);
        QCOMPARE(frame_->PageIndicator()->text(), QString("2 / 2 ページ"));
        QTest::keyClick(view, Qt::Key_Down);  // the last page stays
        QCOMPARE(view->CurrentPage(), 2);
        QTest::keyClick(view, Qt::Key_PageUp);
        QCOMPARE(view->CurrentPage(), 1);
        frame_->Action(command::kNextPage)->trigger();
        QCOMPARE(view->CurrentPage(), 2);
        frame_->Action(command::kPreviousPage)->trigger();
        QCOMPARE(view->CurrentPage(), 1);

        // Rows gone while on page 3 of a longer sheet: the next count brings it back to 1.
        view->Pages().currentPage = 3;
        Write(Path("ten.vkr"), Sheet(10));
        QVERIFY(doc_->OpenDocumentFile(Path("ten.vkr")));
        frame_->Action(command::kNextPage)->trigger();
        QCOMPARE(view->CurrentPage(), 1);
    }

    // The site dialog starts with the sheet open in the window, when it has a file.
    void siteDialogOpensWithTheOpenSheet() {
        MessageRecorder shown;
        auto rowsShown = [this] {
            int rows = -1;
            QString file;
            QTimer::singleShot(0, [&] {
                auto* dialog = qobject_cast<CSiteSectionDlg*>(QApplication::activeModalWidget());
                test::ModalCloser closer{dialog};
                if (!dialog) return;
                rows = dialog->Table()->rowCount();
                if (rows > 0) file = dialog->Table()->item(0, CSiteSectionDlg::kFileColumn)->text();
            });
            frame_->Action(command::kSiteSection)->trigger();
            return std::make_pair(rows, file);
        };
        QCOMPARE(rowsShown(), std::make_pair(0, QString()));
        Write(Path("open.vkr"), Sheet(3));
        QVERIFY(doc_->OpenDocumentFile(Path("open.vkr")));
        QCOMPARE(rowsShown(), std::make_pair(1, QString("open.vkr")));
        QVERIFY(shown.texts.empty());  // no ground elevation: the note says so, no message
    }

    void saveOnANewDocumentRunsSaveAs() {
        dialogs_.answers = {Path("first")};
        frame_->Action(command::kSave)->trigger();
        QCOMPARE(dialogs_.asked, 1);
        QCOMPARE(doc_->PathName(), Path("first.vkr"));  // no extension: .vkr added
        QVERIFY(Bytes(Path("first.vkr")).starts_with("$$_VSKTARVO100\r\n"));
        QCOMPARE(frame_->windowTitle(), QString("first.vkr - Vosk"));
        // Save again writes the same file without a dialog.
        frame_->Action(command::kSave)->trigger();
        QCOMPARE(dialogs_.asked, 1);
        QCOMPARE(frame_->RecentFiles().first(), Path("first.vkr"));
    }

    void saveAsExtensionRules() {
        MessageRecorder messages;
        dialogs_.answers = {Path("dotted."), Path("other.txt"), Path("UPPER.VKR")};
        frame_->Action(command::kSaveAs)->trigger();
        QCOMPARE(doc_->PathName(), Path("dotted.vkr"));
        frame_->Action(command::kSaveAs)->trigger();
        QCOMPARE(messages.texts, std::vector<std::string>{"拡張子を vkr(VKR)にして下さい"});
        QVERIFY(!QFile::exists(Path("other.txt")));
        QCOMPARE(doc_->PathName(), Path("dotted.vkr"));
        frame_->Action(command::kSaveAs)->trigger();
        QCOMPARE(doc_->PathName(), Path("UPPER.VKR"));
        // Capitals count as the extension: Save writes without a dialog.
        const int asked = dialogs_.asked;
        QFile::remove(Path("UPPER.VKR"));
        frame_->Action(command::kSave)->trigger();
        QCOMPARE(dialogs_.asked, asked);
        QVERIFY(QFile::exists(Path("UPPER.VKR")));
        QVERIFY(dialogs_.lastFilter.startsWith("簡易動的コーン試験Ver.1(.vkr)|*.vkr;|"));
    }

    void failedSaveKeepsThePreviousFile() {
        MessageRecorder messages;
        Write(Path("keep.vkr"), Sheet(3, "old"));
        QVERIFY(doc_->OpenDocumentFile(Path("keep.vkr")));
        QDir().mkpath(Path("blocked.vkr/inside"));
        dialogs_.answers = {Path("blocked.vkr")};
        frame_->Action(command::kSaveAs)->trigger();
        QCOMPARE(messages.texts, std::vector<std::string>{std::string(MessageText(4005))});
        QCOMPARE(doc_->PathName(), Path("keep.vkr"));
        QCOMPARE(Bytes(Path("keep.vkr")), Sheet(3, "old"));
    }

    void openRemembersItsFolderAcrossRuns() {
        QDir().mkpath(Path("sheets"));
        Write(Path("sheets/a.vkr"), Sheet(2, "from a"));
        // The folder file keeps its second line.
        LoadSettings(Settings(), doc_->Survey(), false);
        WriteLastFolderFile(Settings(), LastFolderFile{"", "kept"});
        dialogs_.answers = {Path("sheets/a.vkr")};
        frame_->Action(command::kOpen)->trigger();
        QCOMPARE(QString::fromStdString(doc_->Survey().heading[heading::kSurveyName1]), QString("from a"));
        QCOMPARE(frame_->windowTitle(), QString("a.vkr - Vosk"));
        // A new run reads the folder back from the install folder.
        Settings() = SettingsStore{};
        LoadSettings(Settings(), doc_->Survey(), false);
        dialogs_.answers.clear();
        frame_->Action(command::kOpen)->trigger();
        QCOMPARE(dialogs_.lastStartFolder, Path("sheets"));
        QCOMPARE(ReadLastFolderFile(Settings()).secondLine, std::string("kept"));
        QVERIFY(dialogs_.lastFilter.startsWith("簡易動的コーン試験Ver.1(.vkr)|*.vkr|"));
    }

    void openingSomethingElseKeepsTheDocument() {
        Write(Path("good.vkr"), Sheet(2, "good"));
        QVERIFY(doc_->OpenDocumentFile(Path("good.vkr")));
        Write(Path("bad.vkr"), "just some text\r\n");
        MessageRecorder messages;
        dialogs_.answers = {Path("bad.vkr"), Path("missing.vkr")};
        frame_->Action(command::kOpen)->trigger();
        frame_->Action(command::kOpen)->trigger();
        QCOMPARE(messages.texts, (std::vector<std::string>{std::string(MessageText(32792)),
                                                           FormatMessageText(32795, Path("missing.vkr").toStdString())}));
        QCOMPARE(QString::fromStdString(doc_->Survey().heading[heading::kSurveyName1]), QString("good"));
        QCOMPARE(doc_->PathName(), Path("good.vkr"));
        // The framework's open refuses it too, and binds nothing.
        QVERIFY(!doc_->OpenDocumentFile(Path("bad.vkr")));
        QCOMPARE(doc_->PathName(), Path("good.vkr"));
    }

    // What a drag over the window carries decides whether it is taken.
    void dragsAreTakenOnlyForOneLocalDataSheet() {
        const auto urls = [](QList<QUrl> list) {
            auto* data = new QMimeData;
            data->setUrls(list);
            return data;
        };
        auto* text = new QMimeData;
        text->setText(Path("good.vkr"));
        struct Case {
            const char* name;
            QMimeData* data;
            bool taken;
        } cases[] = {
            {"vkr", urls({QUrl::fromLocalFile(Path("a.vkr"))}), true},
            {"upper case VKR", urls({QUrl::fromLocalFile(Path("A.VKR"))}), true},
            {"txt", urls({QUrl::fromLocalFile(Path("a.txt"))}), false},
            {"vkr inside the name", urls({QUrl::fromLocalFile(Path("a.vkr.bak"))}), false},
            {"no suffix", urls({QUrl::fromLocalFile(Path("vkr"))}), false},
            {"two data sheets", urls({QUrl::fromLocalFile(Path("a.vkr")), QUrl::fromLocalFile(Path("b.vkr"))}), false},
            {"remote", urls({QUrl("https://example.org/a.vkr")}), false},
            {"plain text", text, false},
        };
        QVERIFY(frame_->acceptDrops());
        const QPoint centre = frame_->rect().center();
        for (const Case& c : cases) {
            std::unique_ptr<QMimeData> owner(c.data);
            QDragEnterEvent enter(centre, Qt::CopyAction, c.data, Qt::LeftButton, Qt::NoModifier);
            Deliver(&enter);
            QVERIFY2(enter.isAccepted() == c.taken, c.name);
            QDragMoveEvent move(centre, Qt::CopyAction, c.data, Qt::LeftButton, Qt::NoModifier);
            Deliver(&move);
            QVERIFY2(move.isAccepted() == c.taken, c.name);
        }
    }

    void droppedDataSheetOpensAsTheCommandLineOpens() {
        const auto drop = [this](const QString& path) {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(path)});
            QDropEvent event(QPointF(frame_->rect().center()), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            Deliver(&event);
            return event.isAccepted();
        };
        Write(Path("dropped.vkr"), Sheet(50, "dropped"));
        QVERIFY(drop(Path("dropped.vkr")));
        QCOMPARE(QString::fromStdString(doc_->Survey().heading[heading::kSurveyName1]), QString("dropped"));
        QCOMPARE(doc_->PathName(), Path("dropped.vkr"));
        QCOMPARE(frame_->windowTitle(), QString("dropped.vkr - Vosk"));
        QVERIFY(frame_->Action(command::kNextPage)->isEnabled());

        // A data sheet under another name is not taken, nor read.
        Write(Path("sheet.txt"), Sheet(2, "text"));
        MessageRecorder messages;
        QVERIFY(!drop(Path("sheet.txt")));
        QCOMPARE(doc_->PathName(), Path("dropped.vkr"));
        QVERIFY(messages.texts.empty());

        // A refused file says so as the command line's open does, and the
        // survey and its name stay.
        Write(Path("bad.vkr"), "just some text\r\n");
        drop(Path("bad.vkr"));
        drop(Path("missing.vkr"));
        MessageRecorder framework;
        QVERIFY(!doc_->OpenDocumentFile(Path("bad.vkr")));
        QVERIFY(!doc_->OpenDocumentFile(Path("missing.vkr")));
        QCOMPARE(messages.texts, (std::vector<std::string>{std::string(MessageText(32792)),
                                                           FormatMessageText(32795, Path("missing.vkr").toStdString())}));
        QCOMPARE(messages.texts, framework.texts);
        QCOMPARE(QString::fromStdString(doc_->Survey().heading[heading::kSurveyName1]), QString("dropped"));
        QCOMPARE(doc_->PathName(), Path("dropped.vkr"));
        QCOMPARE(frame_->windowTitle(), QString("dropped.vkr - Vosk"));
    }

    void pathsThatAreNoDataSheetFileAreRefusedAndTheSurveyStays() {
        Write(Path("good.vkr"), Sheet(2, "good"));
        QVERIFY(doc_->OpenDocumentFile(Path("good.vkr")));
        for (const test::PathKindCase& c : test::UnreadablePathKinds()) {
            const QString path = Path(QStringLiteral("kinds/%1.vkr").arg(static_cast<int>(c.kind)));
            QVERIFY2(test::MakePathKind(c.kind, path.toStdString()), c.name);
            MessageRecorder messages;
            // The framework's open (command line, recent files) and Open alike.
            QVERIFY2(!doc_->OpenDocumentFile(path), c.name);
            dialogs_.answers = {path};
            frame_->Action(command::kOpen)->trigger();
            const std::string expected = c.tooLarge ? std::string(MessageText(32792))
                                                    : FormatMessageText(32795, path.toStdString());
            QCOMPARE(messages.texts, (std::vector<std::string>(2, expected)));
            QCOMPARE(QString::fromStdString(doc_->Survey().heading[heading::kSurveyName1]), QString("good"));
            QCOMPARE(doc_->PathName(), Path("good.vkr"));
        }
    }

    void dtdFileIsNeverOverwrittenBySave() {
        const std::string dtd =
            "\x8a\xc8\x88\xd5\x93\xae\x93\x49\x83\x52\x81\x5b\x83\x93\x8a\xd1\x93\xfc\x8e\x8e\x8c\xb1"
            "\x83\x66\x81\x5b\x83\x5e\x83\x56\x81\x5b\x83\x67\x8f\xee\x95\xf1\x20\x44\x54\x44_version=\"02\"\r\n";
        Write(Path("old.vkr"), dtd);
        QVERIFY(doc_->OpenDocumentFile(Path("old.vkr")));
        dialogs_.answers.clear();  // Save As is cancelled
        frame_->Action(command::kSave)->trigger();
        QCOMPARE(dialogs_.asked, 1);
        QCOMPARE(Bytes(Path("old.vkr")), dtd);
    }

    void printingLeavesTheViewOnTheLastPrintedPage() {
        Write(Path("long.vkr"), Sheet(100));  // 41 rows a page: three pages
        QVERIFY(doc_->OpenDocumentFile(Path("long.vkr")));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(Path("print.pdf"));
        QVERIFY(frame_->View()->PrintPages(printer, 2, 3));
        QCOMPARE(frame_->View()->CurrentPage(), 3);
        std::string pdf = Bytes(Path("print.pdf"));
        QVERIFY(pdf.starts_with("%PDF"));
        size_t pages = 0;
        for (size_t at = 0; (at = pdf.find("/Type /Page\n", at)) != std::string::npos; ++at) ++pages;
        for (size_t at = 0; (at = pdf.find("/Type /Page\r", at)) != std::string::npos; ++at) ++pages;
        for (size_t at = 0; (at = pdf.find("/Type /Page ", at)) != std::string::npos; ++at) ++pages;
        QCOMPARE(pages, size_t(2));
    }

    void printedRulesWeighTheSameAtAnyPrinterResolution() {
        if (QStandardPaths::findExecutable("pdftocairo").isEmpty()) QSKIP("pdftocairo (poppler-utils) missing");
        Write(Path("rules.vkr"), Sheet(30));
        QVERIFY(doc_->OpenDocumentFile(Path("rules.vkr")));
        CVoskView* view = frame_->View();
        // The tool's PDF of the same page is what every print must match.
        {
            PdfOutput pdf(Path("tool.pdf").toStdString(), kPaperDpi);
            Canvas* canvas = pdf.BeginPage();
            QVERIFY(canvas);
            view->OnDraw(*canvas);
            QVERIFY(pdf.Finish());
        }
        std::optional<Strokes> tool = PageStrokes(Path("tool.pdf"));
        QVERIFY(tool && tool->widths.size() > 100);
        for (int dpi : {150, 300, 600, 1200, 2400}) {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setPageSize(QPageSize(QPageSize::A4));
            printer.setResolution(dpi);
            const QString path = Path(QString("printed-%1.pdf").arg(dpi));
            printer.setOutputFileName(path);
            QVERIFY(view->PrintPages(printer, 1, 1));
            std::optional<Strokes> printed = PageStrokes(path);
            const QString label = QString("%1 dpi").arg(dpi);
            QVERIFY2(printed && printed->widths.size() == tool->widths.size(), qPrintable(label));
            for (size_t i = 0; i < tool->widths.size(); ++i)
                QVERIFY2(std::abs(printed->widths[i] - tool->widths[i]) < 0.005, qPrintable(label));
            // The same place on the paper, within a dot of the paper grid.
            const QRectF a = printed->bounds, b = tool->bounds;
            for (double delta : {a.left() - b.left(), a.top() - b.top(), a.right() - b.right(), a.bottom() - b.bottom()})
                QVERIFY2(std::abs(delta) < 72.0 / kPaperDpi, qPrintable(label + QString(": off by %1 pt").arg(delta)));
        }
    }

    void printPreviewShowsEveryTableRuleOfEveryPage() {
        Write(Path("fifty.vkr"), Sheet(50));  // 41 rows a page: two pages
        QVERIFY(doc_->OpenDocumentFile(Path("fifty.vkr")));
        CVoskView* view = frame_->View();
        const double left = Settings().sheet.leftMarginMm, top = Settings().sheet.topMarginMm;
        // Column 1 of the table left of its numbers, from below its header
        // (44 mm: the box line over the rows) to above the last row's rule:
        // the box line and 40 rules.
        auto rulesOf = [&](const QImage& image, QRect paper) {
            return RulesCrossed(image, paper, left + 3.5, top + 42, top + 242);
        };
        for (int printerDpi : {1200, 300}) {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setResolution(printerDpi);
            QPrintPreviewWidget preview(&printer);
            connect(&preview, &QPrintPreviewWidget::paintRequested, view,
                    [view](QPrinter* p) { view->PrintPages(*p, 1, 2); });
            preview.updatePreview();
            // The pages as the preview's view draws them, at several zooms.
            auto* shownPages = preview.findChild<QGraphicsView*>();
            QVERIFY(shownPages && shownPages->scene());
            QList<QGraphicsItem*> pages = shownPages->scene()->items();
            std::sort(pages.begin(), pages.end(), [](QGraphicsItem* a, QGraphicsItem* b) {
                return a->sceneBoundingRect().top() < b->sceneBoundingRect().top();
            });
            QCOMPARE(pages.size(), 2);
            for (int page = 1; page <= 2; ++page) {
                const QRectF area = pages[page - 1]->sceneBoundingRect();
                for (int width : {180, 400, 900}) {
                    QImage shown(width, static_cast<int>(width * area.height() / area.width()), QImage::Format_RGB32);
                    shown.fill(Qt::darkGray);
                    {
                        QPainter painter(&shown);
                        painter.setRenderHints(shownPages->renderHints());
                        shownPages->scene()->render(&painter, QRectF(shown.rect()), area);
                    }
                    const QRect paper = Paper(shown);
                    // The page drawn directly at the size the preview shows it.
                    QImage direct = RenderPageImage(static_cast<int>(std::lround(paper.width() * 25.4 / 210)),
                                                    [&](Canvas& canvas) {
                                                        DrawSheetPage(canvas, doc_->Survey(), Settings(), page);
                                                    });
                    const QString label = QString("%1 dpi, page %2, %3 px").arg(printerDpi).arg(page).arg(width);
                    QVERIFY2(rulesOf(direct, direct.rect()) == 41, qPrintable(label));
                    QVERIFY2(rulesOf(shown, paper) == 41,
                             qPrintable(label + QString(": %1 rules").arg(rulesOf(shown, paper))));
                }
            }
        }
    }

    void qtOwnTextsAreJapaneseWhateverTheLanguage() {
        // The test runs with LANG=C: only the loaded translations can make these Japanese.
        QDialogButtonBox english(QDialogButtonBox::Yes);
        QCOMPARE(english.button(QDialogButtonBox::Yes)->text(), QString("&Yes"));
        const QLocale locale;
        QList<QTranslator*> translators = InstallQtTranslations(*QCoreApplication::instance());
        QVERIFY(!translators.isEmpty());
        QDialogButtonBox buttons(QDialogButtonBox::Yes | QDialogButtonBox::No | QDialogButtonBox::Ok |
                                 QDialogButtonBox::Cancel);
        QStringList texts;
        for (auto b : {QDialogButtonBox::Yes, QDialogButtonBox::No, QDialogButtonBox::Ok, QDialogButtonBox::Cancel})
            texts << buttons.button(b)->text();
        // A text qtbase_ja lacks, the file list's type of a folder, and a date as the lists show it.
        const QString folderType = QAbstractFileIconProvider().type(QFileInfo(dir_.path()));
        const QString date = QLocale().toString(QDateTime(QDate(2024, 5, 20), QTime(9, 41)), QLocale::ShortFormat);
        for (QTranslator* t : translators) QCoreApplication::removeTranslator(t);
        qDeleteAll(translators);
        QLocale::setDefault(locale);
        QCOMPARE(texts, (QStringList{"はい(&Y)", "いいえ(&N)", "OK", "キャンセル"}));
#ifdef _WIN32
        QCOMPARE(folderType, QString("ファイル フォルダー"));
#else
        QCOMPARE(folderType, QString("フォルダー"));
#endif
        QCOMPARE(date, QString("2024/05/20 9:41"));
    }

    void fileDialogsNameTheirFiltersOnce() {
        frame_->Action(command::kOpen)->trigger();
        const QString openFilter = dialogs_.lastFilter;
        frame_->Action(command::kSaveAs)->trigger();
        const QString saveFilter = dialogs_.lastFilter;
        std::unique_ptr<QFileDialog> dialogs[] = {QtFileDialogs::MakeOpenDialog(openFilter, "vkr", dir_.path()),
                                                  QtFileDialogs::MakeSaveDialog(saveFilter, dir_.path())};
        for (auto& dialog : dialogs) {
            QVERIFY(dialog->testOption(QFileDialog::HideNameFilterDetails));
            // The patterns are still there and still filter...
            QCOMPARE(dialog->nameFilters(), (QStringList{"簡易動的コーン試験Ver.1(.vkr) (*.vkr)", "すべて(*.*) (*)"}));
            auto* model = dialog->findChild<QFileSystemModel*>();
            QVERIFY(model);
            QCOMPARE(model->nameFilters(), QStringList{"*.vkr"});
            // ...while the list of file types shows each name once.
            auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
            QVERIFY(types);
            QStringList shown;
            for (int i = 0; i < types->count(); ++i) shown << types->itemText(i);
            QCOMPARE(shown, (QStringList{"簡易動的コーン試験Ver.1(.vkr)", "すべて(*.*)"}));
        }
        // The list writes a file's time as the program's locale does, not as the desktop's (C here).
        const QLocale saved;
        auto restore = qScopeGuard([&] { QLocale::setDefault(saved); });
        QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
        Write(Path("dated.vkr"), Sheet(1));
        QFile dated(Path("dated.vkr"));
        QVERIFY(dated.open(QIODevice::ReadWrite));
        QVERIFY(dated.setFileTime(QDateTime(QDate(2024, 5, 20), QTime(9, 41)), QFileDevice::FileModificationTime));
        dated.close();
        auto& dialog = dialogs[0];
        auto* files = dialog->findChild<QFileSystemModel*>();
        QVERIFY(dialog->proxyModel());
        QModelIndex listed = dialog->proxyModel()->mapFromSource(files->index(Path("dated.vkr"), 3));
        QTRY_COMPARE(listed.data().toString(), QString("2024/05/20 9:41"));
    }

    void enterKeyFollowsItsSetting() {
        // A small dialog as the settings dialogs are built: two fields and OK.
        for (long mode : {0L, 1L, 2L}) {
            Settings().sheet.enterKeyMode = mode;
            QDialog dialog;
            auto* first = new QLineEdit(&dialog);
            auto* second = new QLineEdit(&dialog);
            auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
            auto* layout = new QVBoxLayout(&dialog);
            layout->addWidget(first);
            layout->addWidget(second);
            layout->addWidget(buttons);
            connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
            EnterKeyFilter::Install(&dialog, Settings().sheet.enterKeyMode);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            first->setFocus();
            QTest::keyClick(first, Qt::Key_Return);
            QCOMPARE(dialog.result() == QDialog::Accepted, mode == 0);
            QCOMPARE(dialog.isVisible(), mode != 0);
            if (mode != 0) QCOMPARE(QApplication::focusWidget() == second, mode == 1);
        }
    }

    void commandLineSwitches() {
        auto line = ParseCommandLine({"vosk", "/p", "/home/a.vkr"});
        QCOMPARE(line.action, CommandLine::Print);
        QCOMPARE(line.file, QString("/home/a.vkr"));
        line = ParseCommandLine({"vosk", "/pt", "a.vkr", "office"});
        QCOMPARE(line.action, CommandLine::PrintTo);
        QCOMPARE(line.printer, QString("office"));
        // Absolute paths are files, not switches.
        line = ParseCommandLine({"vosk", "/pdata/x.vkr"});
        QCOMPARE(line.action, CommandLine::Open);
        QCOMPARE(line.file, QString("/pdata/x.vkr"));
        QCOMPARE(ParseCommandLine({"vosk"}).action, CommandLine::New);
        QVERIFY(!ParseCommandLine({"vosk", "/p"}).valid);
    }
};

}  // namespace vosk

QTEST_MAIN(vosk::AppTest)
#include "app_test.moc"
