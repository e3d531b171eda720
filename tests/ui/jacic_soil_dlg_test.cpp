// The JACIC-compatible soil name dialog, driven through its widgets under
// the offscreen platform: opening, picks from the lists into visible and
// hidden controls, Add, Overwrite, write-back and the store at OK.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <initializer_list>
#include <memory>

#include "app/command_table.h"
#include "app/main_frame.h"
#include "app/vosk_doc.h"
#include "app/vosk_view.h"
#include "platform/cp932.h"
#include "platform/message_service.h"
#include "platform/recording_canvas.h"
#include "platform/string_table.h"
#include "settings/settings_store.h"
#include "survey/survey_data.h"
#include "survey/data_sheet.h"
#include "tests/ui/modal_closer.h"
#include "tests/ui/test_survey.h"
#include "ui/soil/jacic_soil_dlg.h"

namespace vosk {
namespace {

using namespace jacic_column;

// Soil row fields 1 to 11, UTF-8.
void SetSoilRows(std::initializer_list<std::initializer_list<const char*>> rows) {
    ClearSoilRows(TestSurvey());
    int r = 0;
    for (const auto& row : rows) {
        ++r;
        int f = 0;
        for (const char* text : row) TestSurvey().soil[static_cast<size_t>(r)][++f] = Cp932Literal(text);
    }
}

std::string Field(int row, int field) { return Cp932ToUtf8(TestSurvey().soil[static_cast<size_t>(row)][field]); }

std::vector<std::string> Column(int field, int rows) {
    std::vector<std::string> texts;
    for (int r = 1; r <= rows; ++r) texts.push_back(Field(r, field));
    return texts;
}

std::unique_ptr<CJacicSoilDlg> Open() {
    auto dialog = std::make_unique<CJacicSoilDlg>(TestSurvey(), Settings());
    dialog->show();
    dialog->activateWindow();
    if (!QTest::qWaitForWindowActive(dialog.get())) qFatal("dialog not active");
    return dialog;
}

QString Cell(const CJacicSoilDlg& d, int line, int column) { return d.Grid()->item(line - 1, column - 1)->text(); }

QPoint CellCentre(EditableListGrid* grid, int line, int column) {
    return grid->visualRect(grid->model()->index(line - 1, column - 1)).center();
}

// What the window system delivers for a double click.
void DoubleClick(EditableListGrid* grid, int line, int column) {
    const QPoint at = CellCentre(grid, line, column);
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, at);
}

void TypeInCell(EditableListGrid* grid, const QString& text) {
    QLineEdit* editor = grid->CellEditor();
    QVERIFY(editor->isVisible());
    editor->selectAll();
    editor->insert(text);
}

void Enter() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }

void Click(EditableListGrid* grid, int line) {
    const QPoint at = grid->visualRect(grid->model()->index(line - 1, 0)).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
}

// Types into a visible entry edit and leaves it with Tab.
void Type(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    edit->insert(text);
    QTest::keyClick(edit, Qt::Key_Tab);
}

// Types a layer into the controls: while a line is current it is written
// into that line at once.
void TypeLayer(CJacicSoilDlg& d, const QString& depth, const QString& name) {
    Type(d.DepthEdit(), depth);
    Type(d.TargetControls(1).name, name);
}

// A layer typed into the blank line `line`, as the user does after clicking it.
void EnterOnLine(CJacicSoilDlg& d, int line, const QString& depth, const QString& name) {
    Click(d.Grid(), line);
    TypeLayer(d, depth, name);
}

}  // namespace

class JacicSoilDlgTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        qputenv("VOSK_DRIVES", dir_.filePath("drives").toUtf8());
        qputenv("XDG_CONFIG_HOME", dir_.filePath("config").toUtf8());
        LoadSettings(Settings(), *std::make_unique<SurveyData>(), false);
        QVERIFY(!Settings().soilNames[1].entries.empty());
    }

    void init() {
        ClearSurvey(TestSurvey());
        SoilAlternation() = AlternationState{};
        Settings().sheet.enterKeyMode = 1;
    }

    void opensTheRowsWithTheNextLineCurrent() {
        MessageRecorder messages;
        SetSoilRows({{"1.00", "粘土", "", "灰", "10100", "", "215", "C"},
                     {"2.00", "砂", "", "", "", "", "73"},
                     {"3.5", "礫", "シルト", "", "", "", "", "", "", "", "?"}});
        auto d = Open();
        EditableListGrid* grid = d->Grid();
        QCOMPARE(d->windowTitle(), QString("土質名 (JACIC版互換土質地質名) - - - 様式2で有効"));
        QCOMPARE(grid->rowCount(), 100);
        QStringList headers;
        QList<int> widths;
        for (int c = 0; c < 17; ++c) {
            headers << grid->horizontalHeaderItem(c)->text();
            widths << grid->columnWidth(c);
        }
        QCOMPARE(headers, (QStringList{"深度 m", "", "地質名", "", "補助名", "", "色調", "", "ﾊﾟﾀｰﾝ1", "", "ﾊﾟﾀｰﾝ2",
                                       "", "記号", "%1", "%2", ":", "表示"}));
        QCOMPARE(widths, (QList<int>{52, 18, 140, 18, 90, 1, 40, 1, 40, 18, 40, 1, 50, 24, 24, 20, 36}));
        QCOMPARE(Cell(*d, 1, kName), QString("粘土"));
        QCOMPARE(Cell(*d, 1, kColour), QString("灰"));
        // 73 = display depth, underline auxiliary name, underline depth.
        QCOMPARE((QStringList{Cell(*d, 2, kDepthMark), Cell(*d, 2, kNameMark), Cell(*d, 2, kAuxNameMark)}),
                 (QStringList{"_", ".", "_"}));
        QCOMPARE(grid->CurrentLine(), 4);
        QCOMPARE(grid->SelectedLine(), 4);

        // The form: default flags, hidden controls present but not shown.
        for (int bit : {0, 1, 2, 4, 6, 7}) QVERIFY(d->FlagBox(bit)->isChecked());
        for (int bit : {3, 8}) QVERIFY(!d->FlagBox(bit)->isChecked());
        for (int bit : {0, 1, 2, 6, 7}) QVERIFY(d->FlagBox(bit)->isVisible());
        for (int bit : {3, 4, 8}) QVERIFY(!d->FlagBox(bit)->isVisible());
        QVERIFY(d->DepthEdit()->isVisible());
        QVERIFY(d->TargetControls(1).name->isVisible());
        QVERIFY(d->TargetControls(1).pattern->isVisible());
        const QList<QWidget*> hidden = {d->TargetControls(1).symbol,      d->TargetControls(1).percentage,
                                        d->TargetControls(1).alternation, d->TargetControls(2).name,
                                        d->TargetControls(2).pattern,     d->DelimiterBox(),
                                        d->TopsoilBox()};
        for (QWidget* w : hidden)
            QVERIFY(!w->isVisible());
        QVERIFY(!d->DelimiterBox()->isEnabled());
        QVERIFY(d->TargetControls(1).percentage->isReadOnly());
        QCOMPARE(d->AddButton()->text(), QString("データ追加"));
        QCOMPARE(d->DeleteButton()->text(), QString("行削除"));
        QVERIFY(d->List(SoilList::Whole)->count() > 0);
        QVERIFY(messages.texts.empty());

        // A line loads into visible and hidden controls; a delimiter that is
        // no item selects "･".
        Click(grid, 3);
        QCOMPARE(grid->CurrentLine(), 3);
        QVERIFY(!d->AddButton()->isEnabled());
        QCOMPARE(d->DepthEdit()->text(), QString("3.5"));
        QCOMPARE(d->TargetControls(2).name->text(), QString("シルト"));
        QVERIFY(d->DelimiterBox()->isEnabled());
        QCOMPARE(d->DelimiterBox()->currentText(), QString("･"));
        Click(grid, 2);
        QVERIFY(d->FlagBox(3)->isChecked());
        QVERIFY(!d->FlagBox(1)->isChecked());
    }

    void rowWithoutNumericDepthOpensBlankAndIsDroppedAtOk() {
        MessageRecorder messages;
        SetSoilRows({{"1.00", "粘土"}, {"abc", "砂"}, {"3.00", "礫"}});
        auto d = Open();
        QCOMPARE(Cell(*d, 2, kName), QString());
        QCOMPARE(d->Grid()->CurrentLine(), 4);
        d->OkButton()->click();
        QCOMPARE(d->result(), int(QDialog::Accepted));
        QCOMPARE(Column(1, 3), (std::vector<std::string>{"1.00", "3.00", ""}));
        QCOMPARE(Column(2, 3), (std::vector<std::string>{"粘土", "礫", ""}));
        QVERIFY(messages.texts.empty());
    }

    void sameDepthIsRefusedByAddAndReplacedByOverwrite() {
        MessageRecorder messages;
        SetSoilRows({{"1.50", "粘土", "", "灰"}, {"2.00", "砂"}});
        auto d = Open();
        // Deleting the blank current line leaves no line current: the
        // controls then describe a new layer for Add.
        d->DeleteButton()->click();
        QCOMPARE(d->Grid()->CurrentLine(), 0);
        TypeLayer(*d, "1.5", "礫");
        QVERIFY(d->AddButton()->isEnabled());
        d->AddButton()->click();
        QCOMPARE(messages.texts, std::vector<std::string>{FormatMessageText(908, "深度")});
        QCOMPARE(d->Grid()->UsedLength(), 2);
        // Overwrite finds the line by its depth although line 2 is current.
        Click(d->Grid(), 2);
        TypeLayer(*d, "1.5", "礫");
        QCOMPARE(Cell(*d, 2, kName), QString("砂"));
        d->OverwriteButton()->click();
        QCOMPARE(messages.texts.size(), size_t(1));
        QCOMPARE(Cell(*d, 1, kName), QString("礫"));
        QCOMPARE(Cell(*d, 1, kDepth), QString("1.50"));
        QCOMPARE(Cell(*d, 2, kName), QString("砂"));
        QCOMPARE(d->Grid()->CurrentLine(), 0);
        QVERIFY(d->AddButton()->isEnabled());
        QCOMPARE(d->DepthEdit()->text(), QString());
    }

    void storeOrdersByDepthAndReportsEqualDepthsOnce() {
        MessageRecorder messages;
        auto d = Open();
        QCOMPARE(d->Grid()->CurrentLine(), 1);
        TypeLayer(*d, "3", "粘土");
        // Written into the current line at once, so Add is not needed.
        QCOMPARE(Cell(*d, 1, kDepth), QString("3.00"));
        QVERIFY(!d->AddButton()->isEnabled());
        EnterOnLine(*d, 2, "1", "砂");
        EnterOnLine(*d, 3, "2.00", "礫");
        EnterOnLine(*d, 4, "0.999999999", "ローム");
        QCOMPARE(Cell(*d, 4, kDepth), QString("1.00"));
        QVERIFY(messages.texts.empty());
        d->OkButton()->click();
        QCOMPARE(d->result(), int(QDialog::Accepted));
        QCOMPARE(Column(1, 5), (std::vector<std::string>{"1.00", "1.00", "2.00", "3.00", ""}));
        QCOMPARE(Column(2, 4), (std::vector<std::string>{"砂", "ローム", "礫", "粘土"}));
        QCOMPARE(Column(7, 1), std::vector<std::string>{"215"});
        QCOMPARE(messages.texts, std::vector<std::string>{"同じ深度があります\r\n 1.00 m \r\n"});
    }

    void alternationWithoutShareStoresFifty() {
        MessageRecorder messages;
        SetSoilRows({{"1.00", "粘土・砂互層", "", "", "", "", "215", "", ""},
                     {"2.00", "砂", "シルト・砂互層", "", "", "", "215", "", "0", "30"}});
        auto d = Open();
        d->OkButton()->click();
        QCOMPARE(Column(9, 2), (std::vector<std::string>{"50", "0"}));
        QCOMPARE(Column(10, 2), (std::vector<std::string>{"", "30"}));
    }

    void controlsWriteBackIntoTheCurrentLine() {
        MessageRecorder messages;
        SetSoilRows({{"1.00", "粘土", "", "灰", "10100", "", "215", "C"}, {"2.00", "砂", "", "褐"}});
        auto d = Open();
        Click(d->Grid(), 1);
        // A flag click is written back at once, with the line's colour tone
        // emptied as every write from the controls does.
        d->FlagBox(1)->click();
        QCOMPARE(Cell(*d, 1, kNameMark), QString("."));
        QCOMPARE(Cell(*d, 1, kFlags), QString("213"));
        QCOMPARE(Cell(*d, 1, kColour), QString());
        // A pick from the whole names fills the name, the pattern and the
        // hidden symbol of the current line.
        QListWidget* whole = d->List(SoilList::Whole);
        QCOMPARE(whole->item(0)->text(), QString("表土"));
        whole->setCurrentRow(0);
        QCOMPARE(d->TargetControls(1).name->text(), QString("表土"));
        QCOMPARE(d->TargetControls(1).pattern->text(), QString("10100"));
        QCOMPARE(d->TargetControls(1).symbol->text(), QString("Ts"));
        QCOMPARE((QStringList{Cell(*d, 1, kName), Cell(*d, 1, kPattern1), Cell(*d, 1, kSymbol)}),
                 (QStringList{"表土", "10100", "Ts"}));
        // On line 2 a new depth waits: Overwrite finds no such depth, and
        // Add then writes a new line from the controls, without the colour
        // tone that line 2, never written, keeps.
        Click(d->Grid(), 2);
        Type(d->DepthEdit(), "4");
        QCOMPARE(Cell(*d, 2, kDepth), QString("2.00"));
        d->OverwriteButton()->click();
        QCOMPARE(messages.texts, std::vector<std::string>{FormatMessageText(907, "深度")});
        d->AddButton()->click();
        QCOMPARE((QStringList{Cell(*d, 3, kDepth), Cell(*d, 3, kName), Cell(*d, 3, kColour)}),
                 (QStringList{"4.00", "砂", ""}));
        QCOMPARE(Cell(*d, 2, kColour), QString("褐"));
        // Add cleared the controls and reset the flags.
        QCOMPARE(d->TargetControls(1).symbol->text(), QString());
        QVERIFY(d->FlagBox(1)->isChecked());
        d->OkButton()->click();
        QCOMPARE(Column(8, 3), (std::vector<std::string>{"Ts", "", ""}));
        QCOMPARE(Column(4, 3), (std::vector<std::string>{"", "褐", ""}));
        QCOMPARE(messages.texts.size(), size_t(1));
    }

    void cellEditsTakeTheFlagsAndTheLastStopWritesTheLineBack() {
        MessageRecorder messages;
        auto d = Open();
        EditableListGrid* grid = d->Grid();
        // The auxiliary name's cells send picks to group 2.
        DoubleClick(grid, 1, kAuxName);
        QVERIFY(grid->IsEditing());
        QTRY_COMPARE(d->TargetGroup(), 2);
        Enter();
        DoubleClick(grid, 1, kDepth);
        QTRY_COMPARE(d->TargetGroup(), 1);
        TypeInCell(grid, "1.5");
        Enter();
        // A layer begun in the grid takes the flags of the check boxes.
        QCOMPARE(Cell(*d, 1, kFlags), QString("215"));
        QCOMPARE(Cell(*d, 1, kDepth), QString("1.5"));
        QCOMPARE(d->DepthEdit()->text(), QString("1.5"));
        QCOMPARE(grid->CurrentColumn(), kName);
        TypeInCell(grid, "砂");
        // Enter walks the stops: pattern 1, pattern 2, symbol, %1, %2, ":".
        QList<int> stops;
        for (int i = 0; i < 6; ++i) {
            Enter();
            stops << grid->CurrentColumn();
        }
        QCOMPARE(stops, (QList<int>{kPattern1, kPattern2, kSymbol, kPercent1, kPercent2, kDelimiter}));
        QCOMPARE(Cell(*d, 1, kDepth), QString("1.5"));
        // Past the last stop the line is written back from the controls
        // ("%.2f", marks) before the editor moves to the next line.
        Enter();
        QCOMPARE(grid->CurrentLine(), 2);
        QCOMPARE(grid->CurrentColumn(), kDepth);
        QCOMPARE((QStringList{Cell(*d, 1, kDepth), Cell(*d, 1, kName), Cell(*d, 1, kDepthMark)}),
                 (QStringList{"1.50", "砂", "_"}));
        QVERIFY(messages.texts.empty());
    }

    void alternationLineRefusesWholeNames() {
        MessageRecorder messages;
        SetSoilRows({{"1.00", "粘土・砂互層", "", "", "95100.0", "", "215", "C/S", "40"}});
        auto d = Open();
        Click(d->Grid(), 1);
        const CJacicSoilDlg::Group& g1 = d->TargetControls(1);
        QVERIFY(g1.alternation->isChecked());
        QVERIFY(!g1.percentage->isReadOnly());
        d->List(SoilList::Whole)->setCurrentRow(0);
        QCOMPARE(messages.texts, std::vector<std::string>{FormatMessageText(4011)});
        QCOMPARE((QStringList{g1.name->text(), g1.pattern->text(), g1.symbol->text(), g1.percentage->text()}),
                 (QStringList{"", "", "", ""}));
        // Nothing else happens: the line keeps its alternation.
        QCOMPARE((QStringList{Cell(*d, 1, kName), Cell(*d, 1, kSymbol), Cell(*d, 1, kPercent1)}),
                 (QStringList{"粘土・砂互層", "C/S", "40"}));
    }

    void textWithoutDepthKeepsTheDialogOpen() {
        MessageRecorder messages;
        SetSoilRows({{"1.00", "粘土"}});
        auto d = Open();
        // A name typed into the grid of a line that has no depth.
        d->Grid()->SetCell(3, kName, Cp932Literal("砂"));
        d->OkButton()->click();
        QVERIFY(d->isVisible());
        QCOMPARE(messages.texts.size(), size_t(1));
        QVERIFY(QString::fromStdString(messages.texts[0]).contains("行: 3"));
        QCOMPARE(Field(1, 2), std::string("粘土"));
        Click(d->Grid(), 3);
        d->DeleteButton()->click();
        d->OkButton()->click();
        QCOMPARE(d->result(), int(QDialog::Accepted));
    }

    void layersPastedIntoTheGridTakeTheFlagsOfTheBoxes() {
        MessageRecorder messages;
        SetSoilRows({{"1.00", "粘土", "", "", "", "", "215"}});
        auto d = Open();
        QGuiApplication::clipboard()->setText("2.5\t砂\r\n3\t礫\r\n");
        d->Grid()->setFocus();
        QTest::keyClick(d->Grid(), Qt::Key_V, Qt::ControlModifier);
        QVERIFY(messages.texts.empty());
        QCOMPARE(Cell(*d, 2, kDepth), QString("2.50"));
        QCOMPARE(Cell(*d, 3, kName), QString("礫"));
        QCOMPARE(Cell(*d, 3, kFlags), QString::number(kDefaultSoilFlags));
        // A layer typed and not added: OK asks, and No stores without it.
        messages.answers = {MessageAnswer::No};
        d->Grid()->setFocus();
        QTest::keyClick(d->Grid(), Qt::Key_Down);
        TypeLayer(*d, "4", "粘土");
        d->OkButton()->click();
        QCOMPARE(messages.texts, std::vector<std::string>{std::string(MessageText(4107))});
        QCOMPARE(d->result(), int(QDialog::Accepted));
        QCOMPARE(Column(1, 4), (std::vector<std::string>{"1.00", "2.50", "3.00", ""}));
        QCOMPARE(Field(3, 2), std::string("礫"));
    }

    void aClickOnTheSelectedNamePicksItAgain() {
        auto d = Open();
        QListWidget* whole = d->List(SoilList::Whole);
        const QPoint first = whole->visualItemRect(whole->item(0)).center();
        QTest::mouseClick(whole->viewport(), Qt::LeftButton, {}, first);
        QCOMPARE(d->TargetControls(1).name->text(), whole->item(0)->text());
        d->TargetControls(1).name->setText("x");
        QTest::mouseClick(whole->viewport(), Qt::LeftButton, {}, first);
        QCOMPARE(d->TargetControls(1).name->text(), whole->item(0)->text());
    }

    void cancelAsksOnlyAfterChanges() {
        // The old "・" form of an empty second share shows empty in the grid;
        // a cancelled dialog leaves the survey byte for byte as it was.
        SetSoilRows({{"1.00", "粘土", "", "", "", "", "", "", "", "・"}});
        const std::string before = FormatDataSheet(TestSurvey(), "1");
        {
            MessageRecorder messages;
            auto d = Open();
            QCOMPARE(d->Grid()->Cell(1, kPercent2), std::string());
            d->CancelButton()->click();
            QVERIFY(messages.texts.empty());
            QCOMPARE(d->result(), int(QDialog::Rejected));
        }
        QCOMPARE(FormatDataSheet(TestSurvey(), "1"), before);
        MessageRecorder messages;
        messages.answers = {MessageAnswer::No, MessageAnswer::Yes};
        auto d = Open();
        TypeLayer(*d, "2", "砂");
        d->CancelButton()->click();
        QVERIFY(d->isVisible());
        d->CancelButton()->click();
        QVERIFY(!d->isVisible());
        QCOMPARE(messages.texts, (std::vector<std::string>(2, FormatMessageText(132))));
        QCOMPARE(Column(1, 2), (std::vector<std::string>{"1.00", ""}));
    }

    void dataMenuOpensItWhenTheHeadingChoosesJacicAndTheSheetShowsTheNames() {
        MessageRecorder messages;
        CVoskDoc doc;
        UseDocumentSurvey use(doc.Survey());
        CMainFrame frame(&doc);
        frame.View()->OnInitialUpdate();
        QAction* jacic = frame.Action(command::kJacicSoilName);
        QCOMPARE(jacic->text(), QString("JACIC土質名(&T) "));
        TestSurvey().heading[heading::kJacicSoilNames] = "0";
        frame.UpdateCommandUi();
        QVERIFY(!jacic->isEnabled());
        TestSurvey().heading[heading::kJacicSoilNames] = "1";
        TestSurvey().heading[heading::kSheetStyle] = "1";  // style 2 draws the soil column
        TestSurvey().heading[heading::kVerticalSoilNames] = "0";  // names written across
        frame.UpdateCommandUi();
        QVERIFY(jacic->isEnabled());

        bool driven = false;
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<CJacicSoilDlg*>(QApplication::activeModalWidget());
            QVERIFY(d);
            test::ModalCloser closer{d};
            QVERIFY(QTest::qWaitForWindowActive(d));
            Type(d->DepthEdit(), "2.5");
            d->TargetControls(1).name->setFocus();
            QCOMPARE(d->TargetGroup(), 1);
            d->List(SoilList::Whole)->setCurrentRow(0);
            d->OkButton()->click();
            driven = true;
        });
        jacic->trigger();
        QVERIFY(driven);
        QCOMPARE(Field(1, 1), std::string("2.50"));
        QCOMPARE(Field(1, 2), std::string("表土"));
        RecordingCanvas canvas(96, 96);
        frame.View()->OnDraw(canvas);
        bool drawn = false;
        for (const DrawOp& op : canvas.ops()) drawn = drawn || op.text == Cp932Literal("表土");
        QVERIFY(drawn);
        QVERIFY(messages.texts.empty());
    }
};

}  // namespace vosk

QTEST_MAIN(vosk::JacicSoilDlgTest)
#include "jacic_soil_dlg_test.moc"
