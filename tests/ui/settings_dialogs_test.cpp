// The settings menu's dialogs and the guide, driven through their widgets
// under the offscreen platform, with scripted colour and font choosers and a
// scripted program start.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "app/command_table.h"
#include "app/main_frame.h"
#include "app/vosk_doc.h"
#include "app/vosk_view.h"
#include "platform/cp932.h"
#include "platform/editor_launch.h"
#include "platform/file_io.h"
#include "platform/message_service.h"
#include "platform/recording_canvas.h"
#include "platform/string_table.h"
#include "render/report_page.h"
#include "settings/font_rules.h"
#include "settings/guide_rules.h"
#include "settings/settings_store.h"
#include "settings/setup_rules.h"
#include "ui/settings/digits_dlg.h"
#include "ui/settings/enter_key_dlg.h"
#include "ui/settings/font_set_dlg.h"
#include "ui/settings/guide_dlg.h"
#include "ui/settings/layout_dlg.h"
#include "ui/settings/line_style_dlg.h"
#include "ui/settings/settings_services.h"
#include "ui/widgets/dialog_support.h"

namespace vosk {
namespace fs = std::filesystem;

// Answers the choosers from a script and remembers what they were offered.
class ScriptedServices : public SettingsServices {
public:
    std::optional<Colour> ChooseColour(Colour initial, QWidget*) override {
        coloursOffered.push_back(initial);
        return Next(colours);
    }
    std::optional<FontChoice> ChooseFont(const FontChoice& initial, int dpi, QWidget*) override {
        fontsOffered.push_back(initial);
        dpis.push_back(dpi);
        // OK without touching anything hands back what was offered.
        if (fonts.empty() && okUntouched) return initial;
        return Next(fonts);
    }
    bool StartProgram(const QString& program, const QStringList& arguments, const QString& folder) override {
        tried << program;
        if (startable.contains(program)) {
            started = arguments;
            startedIn = folder;
            return true;
        }
        return false;
    }
    template <typename T>
    static std::optional<T> Next(std::deque<std::optional<T>>& script) {
        if (script.empty()) return std::nullopt;
        auto next = script.front();
        script.pop_front();
        return next;
    }

    std::deque<std::optional<Colour>> colours;
    std::vector<Colour> coloursOffered;
    std::deque<std::optional<FontChoice>> fonts;
    std::vector<FontChoice> fontsOffered;
    std::vector<int> dpis;
    bool okUntouched = false;
    QStringList startable, tried, started;
    QString startedIn;
};

class SettingsDialogsTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::unique_ptr<CVoskDoc> doc_;
    std::unique_ptr<CMainFrame> frame_;
    ScriptedServices services_;

    fs::path Drives() const { return fs::path(dir_.filePath(QTest::currentTestFunction()).toStdString()); }
    fs::path Install() const { return Drives() / "C" / "Tarvogx" / "Vosk2"; }
    static void Put(const fs::path& p, const std::string& bytes) {
        fs::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << bytes;
    }
    static std::string Bytes(const fs::path& p) { return ReadFileBytes(p).value_or("<missing>"); }
    // Line `n` (from 1) of a file written with CR LF.
    static std::string Line(const fs::path& p, int n) {
        std::string bytes = Bytes(p);
        size_t at = 0;
        for (int i = 1; i < n; ++i) at = bytes.find("\r\n", at) + 2;
        return bytes.substr(at, bytes.find("\r\n", at) - at);
    }
    static std::string Text(int id) { return std::string(MessageText(id)); }

    template <typename T>
    static T* Find(QWidget* dialog, int id) {
        T* widget = dialog->findChild<T*>(ControlName(id));
        if (!widget) qFatal("no control %d", id);
        return widget;
    }
    static QLineEdit* Edit(QWidget* dialog, int id) { return Find<QLineEdit>(dialog, id); }
    static void Click(QWidget* dialog, int id) { QTest::mouseClick(Find<QAbstractButton>(dialog, id), Qt::LeftButton); }
    static void ClickOk(QDialog* dialog) {
        for (auto* b : dialog->findChildren<QPushButton*>())
            if (b->text() == "OK") return QTest::mouseClick(b, Qt::LeftButton);
        qFatal("no OK");
    }
    // Types `text` into a field and leaves it with Tab, as the user does.
    static void TypeAndLeave(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->setText(text);
        QTest::keyClick(edit, Qt::Key_Tab);
    }
    static void ShowActive(QDialog& dialog) {
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
    }

    // Triggers menu command `id`, letting `act` work the modal dialog it opens.
    void RunCommand(int id, std::function<void(QDialog*)> act) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            seen = true;
            if (!QTest::qWaitForWindowActive(dialog)) qWarning("dialog not active");
            act(dialog);
            if (dialog->isVisible()) dialog->reject();  // never leave a test hanging
        });
        QVERIFY(frame_->Action(id)->isEnabled());
        frame_->Action(id)->trigger();
        QVERIFY(seen);
    }

    // A new run: the settings read again from the install folder.
    static void Restart() {
        MessageRecorder quiet;
        Settings() = SettingsStore{};
        SurveyData survey;
        LoadSettings(Settings(), survey, false);
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        qputenv("XDG_CONFIG_HOME", dir_.filePath("config").toUtf8());
    }

    void init() {
        // Every test has drives of its own, seeded from the bundled data.
        qputenv("VOSK_DRIVES", QByteArray::fromStdString(Drives().string()));
        services_ = ScriptedServices{};
        Restart();
        doc_ = std::make_unique<CVoskDoc>();
        frame_ = std::make_unique<CMainFrame>(doc_.get());
        frame_->SetSettingsServices(&services_);
        MessageRecorder quiet;
        frame_->View()->OnInitialUpdate();
        doc_->OnNewDocument();
    }

    void cleanup() {
        frame_.reset();
        doc_.reset();
    }

    void everySettingsAndHelpItemOpensItsDialog() {
        frame_->UpdateCommandUi();
        for (int id : {command::kLayout, command::kLineStyle, command::kDigits, command::kEngineers, command::kRemarks,
                       command::kFonts, command::kEnterKey, command::kSetup, command::kGuide})
            QVERIFY2(frame_->Action(id)->isEnabled(), qPrintable(QString::number(id)));
        const std::pair<int, const char*> captions[] = {
            {command::kLayout, "表とグラフ  印刷時の配置・サイズ"}, {command::kLineStyle, "線種 調査業者名"},
            {command::kDigits, "表示桁数 項目名"},                  {command::kFonts, "フォント"},
            {command::kEnterKey, "キーの動作"},                     {command::kSetup, "セットアップ"},
            {command::kGuide, "操作案内"}};
        for (auto [id, caption] : captions) {
            QString title;
            RunCommand(id, [&](QDialog* d) { title = d->windowTitle(); });
            QCOMPARE(title, QString::fromUtf8(caption));
        }
    }

    // ---- Layout -------------------------------------------------------------

    void layoutOpensWithTheStandardExampleWhenTheGraphWidthIsEmpty() {
        using namespace layout_control;
        SheetSettings s = Settings().sheet;
        s.style2GraphWidthMm.clear();
        s.topMarginMm = 3;
        s.hideMetreSign = 1;
        CLayoutDlg dialog(LoadLayoutForm(s), Settings());
        QCOMPARE(Edit(&dialog, kTopMargin)->text(), QString("14"));
        QCOMPARE(Edit(&dialog, kLeftMargin)->text(), QString("20"));
        QCOMPARE(Edit(&dialog, kStyle2GraphWidth)->text(), QString("80"));
        QCOMPARE(Edit(&dialog, kBottomLine)->text(), QString("259"));
        QVERIFY(!Find<QCheckBox>(&dialog, kHideMetreSign)->isChecked());
        // With a graph width the stored values show, until "標準の設定例".
        s.style2GraphWidthMm = "70";
        CLayoutDlg stored(LoadLayoutForm(s), Settings());
        QCOMPARE(Edit(&stored, kTopMargin)->text(), QString("3"));
        QVERIFY(Find<QCheckBox>(&stored, kHideMetreSign)->isChecked());
        Click(&stored, kStandardExample);
        QCOMPARE(Edit(&stored, kTopMargin)->text(), QString("14"));
        QCOMPARE(Edit(&stored, kStyle2GraphWidth)->text(), QString("80"));
    }

    void layoutWarnsOnLeavingFields() {
        using namespace layout_control;
        CLayoutDlg dialog(LoadLayoutForm(Settings().sheet), Settings());
        ShowActive(dialog);
        Edit(&dialog, kTopMargin)->setText("14");
        struct Case {
            int id;
            const char* text;
            int warning;
        };
        const Case cases[] = {{kPointNoStart, "19.9", message::kUnsuitableInput}, {kPointNoStart, "20", 0},
                              {kElevationStart, "29", message::kUnsuitableInput},  {kPointNoLabelWidth, "25", 0},
                              {kBottomLine, "231", message::kBottomGapTooSmall},   {kBottomLine, "232", 0},
                              {kBottomLine, "267", message::kBottomOffPaper}};
        for (const Case& c : cases) {
            MessageRecorder messages;
            TypeAndLeave(Edit(&dialog, c.id), c.text);
            std::vector<std::string> expected;
            if (c.warning) expected.push_back(Text(c.warning));
            QCOMPARE(messages.texts, expected);
            QCOMPARE(Edit(&dialog, c.id)->text(), QString(c.text));  // warnings keep the value
        }
        QVERIFY(dialog.isVisible());
    }

    void layoutOkWarnsWithoutBlockingButRefusesNonIntegerMargins() {
        using namespace layout_control;
        struct Case {
            const char* twoColumnTop;
            bool warns;
        };
        for (const Case& c : {Case{"110", true}, Case{"111", false}, Case{"", false}}) {
            CLayoutDlg dialog(LoadLayoutForm(Settings().sheet), Settings());
            ShowActive(dialog);
            Edit(&dialog, kStyle2BlockTopTwoColumn)->setText(c.twoColumnTop);
            MessageRecorder messages;
            ClickOk(&dialog);
            QCOMPARE(messages.texts, c.warns ? std::vector<std::string>{Text(message::kTwoColumnTopMarginSmall)}
                                             : std::vector<std::string>{});
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(dialog.Form().style2BlockTopTwoColumnMm, std::string(c.twoColumnTop));
        }
        CLayoutDlg dialog(LoadLayoutForm(Settings().sheet), Settings());
        ShowActive(dialog);
        Edit(&dialog, kBottomLine)->setText("200");  // sum too small: warned, not refused
        Edit(&dialog, kLeftMargin)->setText("2.5");
        MessageRecorder messages;
        ClickOk(&dialog);
        QCOMPARE(messages.texts,
                 (std::vector<std::string>{Text(message::kBottomGapTooSmall), Text(message::kWholeNumberNeeded)}));
        QVERIFY(dialog.isVisible());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Edit(&dialog, kLeftMargin)));
    }

    void layoutOkStoresSavesAtOnceAndSurvivesARestart() {
        using namespace layout_control;
        RunCommand(command::kLayout, [&](QDialog* d) {
            Edit(d, kTopMargin)->setText("9");
            Edit(d, kStyle2BlockTop)->setText("45");
            Find<QCheckBox>(d, kHideMetreSign)->setChecked(true);
            ClickOk(d);
        });
        QCOMPARE(Settings().sheet.topMarginMm, 9L);
        QCOMPARE(Line(Install() / "Sys.ndx", 11), std::string("9"));
        Restart();
        QCOMPARE(Settings().sheet.topMarginMm, 9L);
        QCOMPARE(Settings().sheet.style2BlockTopMm, std::string("45"));
        QCOMPARE(Settings().sheet.hideMetreSign, 1L);

        // Cancel keeps everything as it was.
        const std::string before = Bytes(Install() / "Sys.ndx");
        RunCommand(command::kLayout, [&](QDialog* d) {
            Edit(d, kTopMargin)->setText("30");
            d->reject();
        });
        QCOMPARE(Settings().sheet.topMarginMm, 9L);
        QCOMPARE(Bytes(Install() / "Sys.ndx"), before);
    }

    void failedSettingsSaveIsReportedWithItsPath() {
        fs::remove(Install() / "Sys.ndx");
        fs::create_directories(Install() / "Sys.ndx" / "inside");
        MessageRecorder messages;
        RunCommand(command::kLayout, [&](QDialog* d) { ClickOk(d); });
        QCOMPARE(messages.texts,
                 std::vector<std::string>{Text(message::kSaveFailed) + "\n( " + (Install() / "Sys.ndx").string() + " )"});
    }

    void enterKeyInALayoutFieldFollowsTheSetting() {
        using namespace layout_control;
        for (long mode : {0L, 1L, 2L}) {
            Settings().sheet.enterKeyMode = mode;
            CLayoutDlg dialog(LoadLayoutForm(Settings().sheet), Settings());
            ShowActive(dialog);
            MessageRecorder messages;
            Edit(&dialog, kPointNoStart)->setFocus();
            QTest::keyClick(Edit(&dialog, kPointNoStart), Qt::Key_Return);
            QCOMPARE(dialog.result() == QDialog::Accepted, mode == 0);
            QCOMPARE(dialog.isVisible(), mode != 0);
            if (mode == 1) QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Edit(&dialog, kElevationStart)));
            if (mode == 2) QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Edit(&dialog, kPointNoStart)));
        }
    }

    // ---- Line style ---------------------------------------------------------

    void lineStyleStandardSetsAndModes() {
        using namespace line_style_control;
        CLineStyleDlg dialog(LoadLineStyleForm(Settings().sheet), Settings(), services_);
        ShowActive(dialog);
        Find<QRadioButton>(&dialog, kMonochrome)->click();
        Edit(&dialog, kTableRuleGap)->setText("3");
        QVERIFY(Edit(&dialog, kTableRuleDash)->isEnabled() && Edit(&dialog, kTableRuleGap)->isEnabled());
        Click(&dialog, kColourStandard);
        QCOMPARE(Edit(&dialog, kTableRuleGap)->text(), QString("0"));
        QCOMPARE(Edit(&dialog, kTableRuleDash)->text(), QString("4"));
        QVERIFY(!Edit(&dialog, kTableRuleDash)->isEnabled() && !Edit(&dialog, kTableRuleGap)->isEnabled());
        QVERIFY(Edit(&dialog, kTableRuleColour)->isEnabled());
        QVERIFY(Find<QRadioButton>(&dialog, kColour)->isChecked());
        QCOMPARE(Edit(&dialog, kGrid2Width)->text(), QString("0"));
        Find<QRadioButton>(&dialog, kMonochrome)->click();  // black and white frees dash and gap
        QVERIFY(Edit(&dialog, kTableRuleDash)->isEnabled() && Edit(&dialog, kTableRuleGap)->isEnabled() &&
                Edit(&dialog, kTableRuleColour)->isEnabled());
        Click(&dialog, kColourFine);
        QCOMPARE(Edit(&dialog, kGrid2Width)->text(), QString("1"));
        QCOMPARE(Edit(&dialog, kGrid2Colour)->text(), QString("0xffff80"));
        QCOMPARE(Edit(&dialog, kGrid2Colour)->palette().color(QPalette::Text), QColor(0x80, 0xff, 0xff));
    }

    void colourEditsShowTheirColourAndTakeThePickersChoice() {
        using namespace line_style_control;
        SheetSettings s = Settings().sheet;
        s.tableRuleColour = "0x0000ff";  // red: the lowest byte
        s.grid1Colour = "255";           // decimal is read too
        s.grid2Colour = "grey";          // no number: black
        CLineStyleDlg dialog(LoadLineStyleForm(s), Settings(), services_);
        ShowActive(dialog);
        QCOMPARE(Edit(&dialog, kTableRuleColour)->palette().color(QPalette::Text), QColor(Qt::red));
        QCOMPARE(Edit(&dialog, kGrid1Colour)->palette().color(QPalette::Text), QColor(Qt::red));
        QCOMPARE(Edit(&dialog, kGrid2Colour)->palette().color(QPalette::Text), QColor(Qt::black));

        services_.colours = {Colour{0x00ff00}, std::nullopt};
        Click(&dialog, kGrid1ColourButton);
        QCOMPARE(services_.coloursOffered, std::vector<Colour>{0xff});
        QCOMPARE(Edit(&dialog, kGrid1Colour)->text(), QString("0x00ff00"));
        QCOMPARE(Edit(&dialog, kGrid1Colour)->palette().color(QPalette::Text), QColor(Qt::green));
        Click(&dialog, kTableRuleColourButton);  // cancelled: unchanged
        QCOMPARE(Edit(&dialog, kTableRuleColour)->text(), QString("0x0000ff"));
    }

    void lineStyleOkStoresColourModeGapAndSolidGrids() {
        using namespace line_style_control;
        Settings().sheet.monochrome = 0;
        Settings().sheet.tableRuleGapPx = 3;
        Settings().sheet.grid1Dash = 2;
        Settings().sheet.grid2Gap = 4;
        QString gapShown;
        RunCommand(command::kLineStyle, [&](QDialog* d) {
            gapShown = Edit(d, kTableRuleGap)->text();
            Edit(d, kCompanyName)->setText("測量株式会社");
            ClickOk(d);
        });
        QCOMPARE(gapShown, QString("0"));
        Restart();
        const SheetSettings& s = Settings().sheet;
        QCOMPARE(s.tableRuleGapPx, 0L);
        QCOMPARE(std::vector<long>({s.grid1Dash, s.grid1Gap, s.grid2Dash, s.grid2Gap}), std::vector<long>({5, 0, 5, 0}));
        QCOMPARE(s.companyName, Cp932Literal("測量株式会社"));

        // A width that is no integer refuses OK.
        CLineStyleDlg dialog(LoadLineStyleForm(Settings().sheet), Settings(), services_);
        ShowActive(dialog);
        Edit(&dialog, kPlotLineWidth)->setText("1.5");
        MessageRecorder messages;
        ClickOk(&dialog);
        QCOMPARE(messages.texts, std::vector<std::string>{Text(message::kWholeNumberNeeded)});
        QVERIFY(dialog.isVisible());
    }

    // ---- Digits -------------------------------------------------------------

    void digitsStandardExampleAndTypedText() {
        using namespace digits_control;
        Settings().sheet.digitsN.clear();
        Settings().sheet.digitsNd = "2";
        RunCommand(command::kDigits, [&](QDialog* d) {
            QCOMPARE(Find<QComboBox>(d, kN)->currentText(), QString("0"));
            QCOMPARE(Find<QComboBox>(d, kDepth)->currentText(), QString("自動"));
            QCOMPARE(Find<QComboBox>(d, kNdItemName)->currentText(), QString("Nd(回)"));
            QCOMPARE(Edit(d, kStyle2Nd)->text(), QString("0"));
            auto* nd = Find<QComboBox>(d, kNd);
            nd->setFocus();
            nd->lineEdit()->selectAll();
            QTest::keyClicks(nd->lineEdit(), "3");
            QTest::keyClick(nd, Qt::Key_Tab);
            QCOMPARE(Edit(d, kStyle2Nd)->text(), QString("3"));  // style 2 shows the same
            ClickOk(d);
        });
        Restart();
        QCOMPARE(Settings().sheet.digitsNd, std::string("3"));
        QCOMPARE(Settings().sheet.digitsDepth, Cp932Literal("自動"));
        QCOMPARE(Settings().sheet.digitsN, std::string("0"));
    }

    // ---- Fonts --------------------------------------------------------------

    void fontPickIsShownAndWrittenAtOk() {
        using namespace font_control;
        Settings().fonts[4].size = 9.0;
        CFontSetDlg dialog(Settings(), 96, services_);
        QCOMPARE(Edit(&dialog, kDataSize)->text(), QString("  9     (9.0)"));
        FontChoice pick;
        pick.face = "IPAGothic";
        pick.heightPx = -12;
        pick.colour = 0x0000ff;
        pick.underline = true;
        pick.bold = pick.italic = pick.strikeOut = true;
        services_.fonts = {pick};
        Click(&dialog, kTableItemButton);  // slot 3
        // The chooser started from the slot: its face, 8 pt as pixels at 96 dpi.
        QCOMPARE(services_.fontsOffered.at(0).face, QString::fromStdString(Cp932ToUtf8(Settings().fonts[3].face)));
        QCOMPARE(services_.fontsOffered.at(0).heightPx, int(96 * Settings().fonts[3].size / 72));
        QCOMPARE(Edit(&dialog, kTableItemFace)->text(), QString("IPAGothic"));
        QCOMPARE(Edit(&dialog, kTableItemSize)->text(), QString("  9     (9.0)"));
        QCOMPARE(Edit(&dialog, kTableItemColour)->palette().color(QPalette::Text), QColor(Qt::red));
        QCOMPARE(dialog.Modified(), 1);
        QVERIFY(Settings().fonts[3].face != "IPAGothic");  // committed only at OK
        dialog.accept();
        QCOMPARE(Settings().fonts[3].face, std::string("IPAGothic"));
        // Size, face, colour, underline: bold, italic and strike-out are not kept.
        QCOMPARE(Bytes(Install() / "Font3.ndx"), std::string("9.0\r\nIPAGothic\r\n255\r\n1\r\n"));
        Restart();
        QCOMPARE(Settings().fonts[3].size, 9.0);
    }

    // Sizes are those of the screen at 100 %: the zoom never changes a setting.
    void fontSizesDoNotFollowTheZoom() {
        using namespace font_control;
        CVoskView* view = frame_->View();
        const double titleSize = Settings().fonts[1].size;
        QCOMPARE(titleSize, 12.0);
        services_.okUntouched = true;
        for (int zoom : {80, 100, 125}) {
            view->SetZoom(zoom);
            view->viewport()->grab();  // drawn at the zoom
            services_.dpis.clear();
            services_.fontsOffered.clear();
            QString shown;
            RunCommand(command::kFonts, [&](QDialog* d) {
                Click(d, kTitleButton);
                shown = Edit(d, kTitleSize)->text();
                ClickOk(d);
            });
            const QString label = QString("%1 %").arg(zoom);
            QVERIFY2(services_.dpis == std::vector<int>{view->logicalDpiY()}, qPrintable(label));
            QVERIFY2(services_.fontsOffered.at(0).heightPx == int(view->logicalDpiY() * titleSize / 72), qPrintable(label));
            QVERIFY2(shown == QString(" 12     (12.0)"), qPrintable(label + ": " + shown));
            QVERIFY2(Line(Install() / "Font1.ndx", 1) == "12.0", qPrintable(label));
        }
        // 10 pt is 13 px at 96 dpi, which is 9.75 pt: an untouched 10 stays 10.
        RunCommand(command::kFonts, [&](QDialog* d) {
            Click(d, kHeadingButton);
            ClickOk(d);
        });
        QCOMPARE(Line(Install() / "Font2.ndx", 1), std::string("10.0"));
        // A pick is taken at the screen's resolution too: 12 px at 96 dpi is 9 pt.
        view->SetZoom(80);
        FontChoice pick;
        pick.face = "X";
        pick.heightPx = 12;
        services_.fonts = {pick};
        RunCommand(command::kFonts, [&](QDialog* d) {
            Click(d, kTitleButton);
            ClickOk(d);
        });
        QCOMPARE(Line(Install() / "Font1.ndx", 1), std::string("9.0"));
    }

    void fontCancelAsksOnlyAfterPicks() {
        using namespace font_control;
        const SheetFont before = Settings().fonts[2];
        const std::string file = Bytes(Install() / "Font2.ndx");
        {
            CFontSetDlg dialog(Settings(), 96, services_);
            ShowActive(dialog);
            Click(&dialog, kStandardExample);
            QCOMPARE(Edit(&dialog, kPageSize)->text(), QString(" 10     (10.0)"));
            MessageRecorder messages;
            dialog.reject();
            QVERIFY(messages.texts.empty());
            QVERIFY(!dialog.isVisible());
        }
        CFontSetDlg dialog(Settings(), 96, services_);
        ShowActive(dialog);
        FontChoice pick;
        pick.face = "Y";
        pick.heightPx = 20;
        services_.fonts = {pick};
        Click(&dialog, kHeadingButton);
        MessageRecorder messages;
        messages.answers = {MessageAnswer::No, MessageAnswer::Yes};
        dialog.reject();
        QVERIFY(dialog.isVisible());
        dialog.reject();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(messages.texts,
                 (std::vector<std::string>{Text(message::kDiscardChanges), Text(message::kDiscardChanges)}));
        QCOMPARE(Settings().fonts[2].face, before.face);
        QCOMPARE(Bytes(Install() / "Font2.ndx"), file);
    }

    void fontFileThatCannotBeWrittenIsReported() {
        fs::remove(Install() / "Font5.ndx");
        fs::create_directories(Install() / "Font5.ndx" / "inside");
        CFontSetDlg dialog(Settings(), 96, services_);
        MessageRecorder messages;
        dialog.accept();
        QCOMPARE(messages.texts,
                 std::vector<std::string>{Text(message::kSaveFailed) + "\n( " + (Install() / "Font5.ndx").string() +
                                          " )"});
        QVERIFY(fs::exists(Install() / "Font6.ndx"));
    }

    // ---- Set-up -------------------------------------------------------------

    void setupMovesTheInstallFolder() {
        using namespace setup_control;
        // The new folder holds its own settings and lists.
        fs::path other = Drives() / "D" / "Other";
        std::string sys = "100\r\n";
        for (int line = 2; line <= 10; ++line) sys += "\r\n";
        Put(other / "Sys.ndx", sys + "33\r\n");
        Put(other / "Font1.ndx", "20.0\r\nOther Face\r\n0\r\n0\r\n");
        MessageRecorder messages;
        RunCommand(command::kSetup, [&](QDialog* d) {
            QCOMPARE(Edit(d, kDrive)->text(), QString("C"));
            QCOMPARE(Edit(d, kFolder)->text(), QString("\\Tarvogx\\Vosk2"));
            Edit(d, kDrive)->setText("d");
            TypeAndLeave(Edit(d, kFolder), "Other");
            QCOMPARE(Edit(d, kFolder)->text(), QString("\\Other"));
            ClickOk(d);
        });
        QCOMPARE(Settings().installFolder, std::string("D:\\Other"));
        QCOMPARE(RealPath(Settings().engineersPath), other / "M.mst");
        QCOMPARE(Settings().sheet.topMarginMm, 33L);
        QCOMPARE(Settings().fonts[1].face, std::string("Other Face"));
        QCOMPARE(Bytes(Drives() / "C" / "Tarvogx" / "Rilwe2.whr"), std::string("D:\\Other\r\n"));
        Restart();
        QCOMPARE(Settings().installFolder, std::string("D:\\Other"));
    }

    void setupToAFolderThatIsNotThereNeitherMakesNorFillsIt() {
        using namespace setup_control;
        MessageRecorder messages;
        RunCommand(command::kSetup, [&](QDialog* d) {
            TypeAndLeave(Edit(d, kFolder), "Tarvogx\\Vosk3");
            ClickOk(d);
        });
        QCOMPARE(Settings().installFolder, std::string("C:\\Tarvogx\\Vosk3"));
        const fs::path typo = Drives() / "C" / "Tarvogx" / "Vosk3";
        QVERIFY(!fs::exists(typo));
        // Its files are missing, and say so.
        QVERIFY(!messages.texts.empty());
        QCOMPARE(messages.texts.front(), FormatMessageText(message::kFileNotFound, (typo / "Sys.ndx").string()));
    }

    void setupRefusesBadPathsAndWarnsOnShortFolders() {
        using namespace setup_control;
        MessageRecorder messages;
        RunCommand(command::kSetup, [&](QDialog* d) {
            TypeAndLeave(Edit(d, kFolder), "x");
            QCOMPARE(Edit(d, kFolder)->text(), QString("\\x"));
            Edit(d, kDrive)->clear();
            ClickOk(d);
        });
        QCOMPARE(messages.texts, (std::vector<std::string>{Text(message::kNoDataGiven), "パス名が異常です"}));
        QCOMPARE(Settings().installFolder, std::string("C:\\Tarvogx\\Vosk2"));
        QVERIFY(!fs::exists(Drives() / "C" / "Tarvogx" / "Rilwe2.whr"));

        // "標準の設定" brings back the Windows drive and the standard folder.
        RunCommand(command::kSetup, [&](QDialog* d) {
            Edit(d, kDrive)->setText("Q");
            Edit(d, kFolder)->setText("\\Elsewhere");
            Click(d, kStandard);
            QCOMPARE(Edit(d, kDrive)->text(), QString("C"));
            QCOMPARE(Edit(d, kFolder)->text(), QString("\\Tarvogx\\Vosk2"));
            d->reject();
        });
    }

    void longFolderKeepsItsLastCharacterWhenTheBackslashIsAdded() {
        using namespace setup_control;
        RunCommand(command::kSetup, [&](QDialog* d) {
            const QString thirty(30, QChar('f'));
            TypeAndLeave(Edit(d, kFolder), thirty);
            QCOMPARE(Edit(d, kFolder)->text(), "\\" + thirty);
            d->reject();
        });
    }

    // ---- Enter key ----------------------------------------------------------

    void enterKeyChoiceIsSavedAtOnce() {
        using namespace enter_key_control;
        Settings().sheet.enterKeyMode = 1;
        RunCommand(command::kEnterKey, [&](QDialog* d) {
            QVERIFY(Find<QRadioButton>(d, kNextField)->isChecked());
            Find<QRadioButton>(d, kConfirmOnly)->click();
            ClickOk(d);
        });
        QCOMPARE(Line(Install() / "Sys.ndx", 70), std::string("2"));
        RunCommand(command::kEnterKey, [&](QDialog* d) {
            Find<QRadioButton>(d, kWindowsStandard)->click();
            d->reject();
        });
        Restart();
        QCOMPARE(Settings().sheet.enterKeyMode, 2L);
    }

    // ---- Guide --------------------------------------------------------------

    void guideListsHelpTextAndOpensItInAnEditor() {
        using namespace guide_control;
        Put(Install() / "Help.txt", Cp932Literal("操作案内\r\n\r\n最後の行"));  // no final line end
        CGuideDlg dialog(Settings(), services_);
        QListWidget* list = dialog.List();
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->item(2)->text(), QString("最後の行"));

        ShowActive(dialog);
        // The system's second editor is there, its first is not.
        services_.startable = {PrintingEditors().at(1)};
        MessageRecorder messages;
        Click(&dialog, kOpenAndPrint);
        QCOMPARE(services_.tried, PrintingEditors().mid(0, 2));
        QCOMPARE(services_.started, QStringList{QString::fromStdString((Install() / "Help.txt").string())});
        QCOMPARE(services_.startedIn, QString::fromStdString(Install().string()));
        QVERIFY(messages.texts.empty());

        services_.startable.clear();
        Click(&dialog, kOpenAndPrint);
        QCOMPARE(messages.texts, std::vector<std::string>{Text(message::kCannotRun)});
        QVERIFY(dialog.isVisible());
    }

    void missingHelpTextIsNamed() {
        // A folder in its place reads as missing too.
        for (bool folder : {false, true}) {
            fs::remove(Install() / "Help.txt");
            if (folder) fs::create_directory(Install() / "Help.txt");
            MessageRecorder messages;
            CGuideDlg dialog(Settings(), services_);
            QCOMPARE(dialog.List()->count(), 0);
            QCOMPARE(messages.texts,
                     std::vector<std::string>{
                         FormatMessageText(message::kFileNotFound, (Install() / "Help.txt").string())});
        }
    }
};

}  // namespace vosk

QTEST_MAIN(vosk::SettingsDialogsTest)
#include "settings_dialogs_test.moc"
