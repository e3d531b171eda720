// The blow-count data dialog and its editable grid, driven through the real
// widgets with keys and clicks under the offscreen platform.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <memory>

#include "app/command_table.h"
#include "app/main_frame.h"
#include "app/vosk_doc.h"
#include "app/vosk_view.h"
#include "entry/blow_rules.h"
#include "platform/cp932.h"
#include "platform/file_io.h"
#include "platform/message_service.h"
#include "platform/string_table.h"
#include "render/report_page.h"
#include "settings/settings_store.h"
#include "survey/data_sheet.h"
#include "tests/ui/modal_closer.h"
#include "tests/ui/test_survey.h"
#include "ui/entry/blow_data_dlg.h"

namespace vosk {
namespace {

using namespace blow_column;

struct Row {
    const char* n;
    const char* depth;
    const char* dh = "";
    const char* nd = "";
    const char* remark = "";
};

void SetRows(std::initializer_list<Row> rows) {
    ClearBlowRows(TestSurvey());
    int r = 0;
    for (const Row& row : rows) {
        BlowRow& b = TestSurvey().blow[++r];
        b[kN] = row.n;
        b[kDepth] = row.depth;
        b[kDeltaH] = row.dh;
        b[kNd] = row.nd;
        b[kRemark] = row.remark;
    }
}

// Rows 1 to `count` at depths 10, 20, …: N 3, Δh 10, Nd 3.
void SetEvenRows(int count) {
    ClearBlowRows(TestSurvey());
    for (int r = 1; r <= count; ++r) {
        BlowRow& b = TestSurvey().blow[r];
        b[kN] = "3";
        b[kDepth] = std::to_string(r * 10);
        b[kDeltaH] = "10";
        b[kNd] = "3";
    }
}

std::unique_ptr<CBlowDataDlg> Open() {
    auto dialog = std::make_unique<CBlowDataDlg>(TestSurvey(), TestAutoCalc(), Settings());
    dialog->show();
    dialog->activateWindow();
    // Focus moves only inside the active window.
    if (!QTest::qWaitForWindowActive(dialog.get())) qFatal("dialog not active");
    return dialog;
}

QStringList Line(const CBlowDataDlg& d, int line) {
    QStringList texts;
    for (int c = 1; c <= 5; ++c) texts << d.Grid()->item(line - 1, c - 1)->text();
    return texts;
}

QStringList Entry(const CBlowDataDlg& d) {
    QStringList texts;
    for (int c = kN; c <= kNd; ++c) texts << d.Field(c)->text();
    texts << d.RemarkBox()->currentText();
    return texts;
}

void Key(int key) { QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key)); }

QPoint CellCentre(EditableListGrid* grid, int line, int column) {
    return grid->visualRect(grid->model()->index(line - 1, column - 1)).center();
}

void Click(EditableListGrid* grid, int line, int column = 1) {
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellCentre(grid, line, column));
}

// What the window system delivers for a double click.
void DoubleClick(EditableListGrid* grid, int line, int column) {
    const QPoint at = CellCentre(grid, line, column);
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, at);
}

// Types into the focused cell editor, replacing its text.
void TypeInCell(CBlowDataDlg& d, const QString& text) {
    QLineEdit* editor = d.Grid()->CellEditor();
    QVERIFY(editor->isVisible());
    QCOMPARE(QApplication::focusWidget(), editor);
    editor->selectAll();
    editor->insert(text);
}

// Types into an entry field and leaves it with Tab.
void TypeInField(QWidget* field, QLineEdit* edit, const QString& text) {
    field->setFocus();
    edit->selectAll();
    // As an input method commits it: the whole text at once.
    edit->insert(text);
    QTest::keyClick(field, Qt::Key_Tab);
}
void TypeInField(CBlowDataDlg& d, int column, const QString& text) {
    if (column == kRemark)
        TypeInField(d.RemarkBox(), d.RemarkBox()->lineEdit(), text);
    else
        TypeInField(d.Field(column), d.Field(column), text);
}

// Answers as a message box does: its window takes the focus while it is up,
// and the dialog gets it back only after the answer.
class FocusTakingMessages : public MessageRecorder {
public:
    MessageAnswer Show(const std::string& text, MessageButtons buttons) override {
        QWidget* back = QApplication::activeWindow();
        QWidget box;
        box.show();
        box.activateWindow();
        if (!QTest::qWaitForWindowActive(&box)) qFatal("box not active");
        box.hide();
        if (back) back->activateWindow();
        return MessageRecorder::Show(text, buttons);
    }
};

void Paste(QWidget* into, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    into->setFocus();
    QTest::keyClick(into, Qt::Key_V, Qt::ControlModifier);
}

// Opens the list's context menu over `line` and picks `caption` in it.
void PickFromContextMenu(EditableListGrid* grid, int line, const QString& caption) {
    bool picked = false;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        for (QAction* action : menu->actions())
            if (action->text() == caption && action->isEnabled()) {
                action->trigger();
                picked = true;
            }
        menu->close();
    });
    const QPoint at = CellCentre(grid, line, 1);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, grid->viewport()->mapToGlobal(at));
    QApplication::sendEvent(grid->viewport(), &event);
    QVERIFY(picked);
}

QRect InDialog(QWidget* widget, QWidget* dialog) { return QRect(widget->mapTo(dialog, QPoint(0, 0)), widget->size()); }

}  // namespace

class BlowDataDlgTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    QString Path(const QString& name) const { return dir_.filePath(name); }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        qputenv("VOSK_DRIVES", Path("drives").toUtf8());
        qputenv("XDG_CONFIG_HOME", Path("config").toUtf8());
        // The install folder, filled with the bundled lists.
        LoadSettings(Settings(), *std::make_unique<SurveyData>(), false);
        QVERIFY(!Settings().remarksPath.empty());
    }

    void init() {
        ClearSurvey(TestSurvey());
        TestAutoCalc() = AutoCalcSwitches{};
        Settings().sheet.enterKeyMode = 1;
    }

    void opensWithTheStoredRowsAndTheNextLineCurrent() {
        MessageRecorder messages;
        // Row 3 holds only a remark: it opens blank. Row 4 has N without depth.
        // 砂 in CP932.
        SetRows({{"3", "10", "10", "3", "\x8d\xbb"}, {"5", "25", "15", "3.33333"}, {"", "", "", "", "memo"}, {"2", ""}});
        auto d = Open();
        EditableListGrid* grid = d->Grid();
        QCOMPARE(d->windowTitle(), QString("測定データ"));
        QCOMPARE(grid->rowCount(), 100);
        QStringList headers;
        QList<int> widths;
        for (int c = 0; c < 5; ++c) {
            headers << grid->horizontalHeaderItem(c)->text();
            widths << grid->columnWidth(c);
        }
        QCOMPARE(headers, (QStringList{"回数", "深さh cm", "貫入量 cm", "Nd", "記事"}));
        QCOMPARE(widths, (QList<int>{60, 70, 70, 70, 120}));
        QCOMPARE(Line(*d, 1), (QStringList{"3", "10", "10", "3", "砂"}));
        QCOMPARE(Line(*d, 3), (QStringList{"", "", "", "", ""}));
        QCOMPARE(Line(*d, 4), (QStringList{"2", "", "", "", ""}));
        QCOMPARE(grid->CurrentLine(), 5);
        QCOMPARE(grid->SelectedLine(), 5);
        QCOMPARE(d->ModeText()->text(), QString("dhNd自動計算"));
        QVERIFY(!d->Field(kDeltaH)->isEnabled());
        QVERIFY(!d->Field(kNd)->isEnabled());
        // The remark list is K.mst of the install folder, in file order.
        QVERIFY(d->RemarkBox()->count() > 3);
        QCOMPARE(d->RemarkBox()->itemText(0), QString("自沈"));
        QVERIFY(messages.texts.empty());
    }

    void remarkListReadsKmstByItsPieceRules() {
        const std::string saved = Settings().remarksPath;
        Settings().remarksPath = "C:\\Lists\\K.mst";
        {
            MessageRecorder messages;
            auto d = Open();
            QCOMPARE(d->RemarkBox()->count(), 0);
            QCOMPARE(messages.texts,
                     std::vector<std::string>{FormatMessageText(32795, RealPath("C:\\Lists\\K.mst").string())});
        }
        std::filesystem::create_directories(RealPath("C:\\Lists"));
        // "砂" in CP932, a 60-byte line, and a last line without line end.
        std::ofstream(RealPath("C:\\Lists\\K.mst"), std::ios::binary)
            << "\x8d\xbb\r\n" << std::string(60, 'x') << "\r\nlast";
        {
            MessageRecorder messages;
            auto d = Open();
            QStringList items;
            for (int i = 0; i < d->RemarkBox()->count(); ++i) items << d->RemarkBox()->itemText(i);
            QCOMPARE(items, (QStringList{"砂", QString(59, 'x'), "x", "last"}));
            QVERIFY(messages.texts.empty());
        }
        Settings().remarksPath = saved;
    }

    void cellEditorOpensOnDoubleClickAndEnterWalksTheStops() {
        SetEvenRows(3);
        auto d = Open();
        EditableListGrid* grid = d->Grid();
        QVERIFY(!grid->IsModified());
        DoubleClick(grid, 2, kDepth);
        QLineEdit* editor = grid->CellEditor();
        QVERIFY(grid->IsEditing());
        QVERIFY(editor->isVisible());
        QCOMPARE(editor->text(), QString("20"));
        QCOMPARE(grid->Context(), int(EditableListGrid::kEditorContext));
        QVERIFY(InDialog(grid, d.get()).contains(editor->geometry()));
        QVERIFY(EditableListGrid::PointerHidden());
        QVERIFY(grid->IsModified());

        // Both switches on: from the depth Enter jumps over Δh and Nd.
        TypeInCell(*d, "15");
        Key(Qt::Key_Return);
        QCOMPARE(Line(*d, 2), (QStringList{"3", "15", "5", "6", ""}));
        QCOMPARE(Entry(*d), (QStringList{"3", "15", "5", "6", ""}));
        QCOMPARE(grid->CurrentColumn(), kRemark);
        QVERIFY(editor->isVisible());
        QVERIFY(d->isVisible());
        // From the last column on to column 1 of the next line, which loads.
        TypeInCell(*d, "硬い");
        Key(Qt::Key_Enter);
        QCOMPARE(Line(*d, 2)[4], QString("硬い"));
        QCOMPARE(grid->CurrentLine(), 3);
        QCOMPARE(grid->CurrentColumn(), kN);
        QCOMPARE(editor->text(), QString("3"));
        // Loading the line derives its Δh from the new depth above it.
        QCOMPARE(Entry(*d), (QStringList{"3", "30", "15", "2", ""}));
        QCOMPARE(Line(*d, 3), (QStringList{"3", "30", "15", "2", ""}));
        QVERIFY(d->isVisible());

        // Esc commits too: the typed text stays, and the dialog's Cancel asks.
        MessageRecorder messages;
        messages.answers = {MessageAnswer::No};
        TypeInCell(*d, "7");
        Key(Qt::Key_Escape);
        QCOMPARE(Line(*d, 3)[0], QString("7"));
        QVERIFY(!editor->isVisible());
        QVERIFY(!EditableListGrid::PointerHidden());
        QCOMPARE(messages.texts, std::vector<std::string>{std::string(MessageText(132))});
        QVERIFY(d->isVisible());
    }

    void withBothSwitchesOffEnterStopsInEveryColumn() {
        SetEvenRows(2);
        TestAutoCalc() = AutoCalcSwitches{false, false};
        auto d = Open();
        QCOMPARE(d->ModeText()->text(), QString());
        QVERIFY(d->Field(kDeltaH)->isEnabled());
        DoubleClick(d->Grid(), 1, kDepth);
        TypeInCell(*d, "12");
        Key(Qt::Key_Return);
        QCOMPARE(d->Grid()->CurrentColumn(), kDeltaH);
        // Nothing is derived in mode 0.
        QCOMPARE(Line(*d, 1), (QStringList{"3", "12", "10", "3", ""}));
        Key(Qt::Key_Return);
        QCOMPARE(d->Grid()->CurrentColumn(), kNd);
    }

    void enterInTheLastColumnOfTheLastLineEndsTheEdit() {
        SetEvenRows(100);
        auto d = Open();
        EditableListGrid* grid = d->Grid();
        QCOMPARE(grid->CurrentLine(), 0);  // every line used
        grid->scrollToBottom();
        DoubleClick(grid, 100, kRemark);
        QVERIFY(grid->CellEditor()->isVisible());
        TypeInCell(*d, "end");
        Key(Qt::Key_Return);
        QCOMPARE(Line(*d, 100)[4], QString("end"));
        QVERIFY(!grid->IsEditing());
        QVERIFY(!grid->CellEditor()->isVisible());
        QVERIFY(d->isVisible());
    }

    void editorReachesOnlyOneLineBeyondTheVisibleLines() {
        SetEvenRows(60);
        auto d = Open();
        EditableListGrid* grid = d->Grid();
        // The grid opened with its current line 61 in view.
        QVERIFY(grid->TopLine() > 1);
        grid->scrollToTop();
        const int top = grid->TopLine(), visible = grid->VisibleLines();
        QCOMPARE(top, 1);
        QVERIFY(visible >= 5);
        // Two lines below the last visible one: nothing opens, nothing scrolls.
        QCOMPARE(grid->BeginCellEdit(top + visible + 1, kN), int(EditableListGrid::kNotReachable));
        QVERIFY(!grid->CellEditor()->isVisible());
        QCOMPARE(grid->TopLine(), top);
        for (auto [line, column] : {std::pair{0, 1}, {101, 1}, {1, 0}, {1, 6}})
            QCOMPARE(grid->BeginCellEdit(line, column), int(EditableListGrid::kOutOfRange));

        // The keys walk down from the last visible line: one line scrolls.
        DoubleClick(grid, top + visible - 1, kDepth);
        QVERIFY(grid->CellEditor()->isVisible());
        Key(Qt::Key_Down);
        QCOMPARE(grid->CurrentLine(), top + visible);
        QCOMPARE(grid->TopLine(), top + 1);
        QVERIFY(grid->CellEditor()->isVisible());
        QCOMPARE(grid->CellEditor()->text(), QString::number((top + visible) * 10));
        QVERIFY(grid->viewport()->rect().contains(
            grid->viewport()->mapFrom(d.get(), grid->CellEditor()->geometry().center())));
        QCOMPARE(d->Field(kDepth)->text(), QString::number((top + visible) * 10));
        Key(Qt::Key_Up);
        Key(Qt::Key_Up);
        QCOMPARE(grid->CurrentLine(), top + visible - 2);
        QCOMPARE(d->Field(kDepth)->text(), QString::number((top + visible - 2) * 10));
    }

    void upOnTheFirstLineEndsTheEdit() {
        SetEvenRows(3);
        auto d = Open();
        DoubleClick(d->Grid(), 1, kN);
        Key(Qt::Key_Up);
        QVERIFY(!d->Grid()->IsEditing());
        QVERIFY(!d->Grid()->CellEditor()->isVisible());
        QCOMPARE(d->Grid()->Context(), int(EditableListGrid::kDialogContext));
        // With no edit in progress, OK confirms.
        d->OkButton()->click();
        QCOMPARE(d->result(), int(QDialog::Accepted));
    }

    void aCellScrolledOffToTheRightIsCutOrRefused() {
        SetEvenRows(3);
        auto d = Open();
        EditableListGrid* grid = d->Grid();
        // Column 5 starts at 270: 3 pixels of it visible refuse the editor.
        const int around = grid->width() - grid->viewport()->width();
        grid->setFixedWidth(270 + 3 + around);
        QTest::qWait(0);
        QCOMPARE(grid->viewport()->width(), 273);
        QCOMPARE(grid->BeginCellEdit(1, kRemark), int(EditableListGrid::kTooNarrow));
        QVERIFY(!grid->CellEditor()->isVisible());
        grid->setFixedWidth(grid->width() + 40);
        QTest::qWait(0);
        QCOMPARE(grid->BeginCellEdit(1, kRemark), int(EditableListGrid::kPlaced));
        const QRect editor = grid->CellEditor()->geometry();
        const QRect visible(grid->viewport()->mapTo(d.get(), QPoint(0, 0)), grid->viewport()->size());
        QCOMPARE(editor.right(), visible.right());
        QVERIFY(editor.width() < 120);

        // A press on the dialog's own surface ends the edit.
        QTest::mouseClick(d.get(), Qt::LeftButton, {}, QPoint(2, 2));
        QVERIFY(!grid->IsEditing());
        QVERIFY(!grid->CellEditor()->isVisible());
        // Scrolled to the right, an edit of the remark leaves the view where
        // it is when the line is loaded.
        QScrollBar* sideways = grid->horizontalScrollBar();
        sideways->setValue(sideways->maximum());
        QVERIFY(sideways->value() > 0);
        DoubleClick(grid, 2, kRemark);
        TypeInCell(*d, "a");
        Key(Qt::Key_Tab);
        QCOMPARE(Line(*d, 2)[4], QString("a"));
        QCOMPARE(sideways->value(), sideways->maximum());
    }

    void singleClickLoadsALineForOverwriteAndDelete() {
        MessageRecorder messages;
        SetEvenRows(3);
        auto d = Open();
        EditableListGrid* grid = d->Grid();
        QVERIFY(d->AddButton()->isEnabled());
        Click(grid, 2);
        QCOMPARE(grid->CurrentLine(), 2);
        QCOMPARE(Entry(*d), (QStringList{"3", "20", "10", "3", ""}));
        QVERIFY(!d->AddButton()->isEnabled());

        // A new N for the same depth: Overwrite corrects the line.
        d->Field(kN)->setFocus();
        d->Field(kN)->setText("6");
        d->OverwriteButton()->click();
        QCOMPARE(Line(*d, 2), (QStringList{"6", "20", "10", "6", ""}));
        QCOMPARE(Entry(*d), (QStringList{"", "", "", "", ""}));
        QCOMPARE(grid->CurrentLine(), 0);
        QVERIFY(d->AddButton()->isEnabled());
        QVERIFY(messages.texts.empty());

        // A depth no line has cannot be overwritten.
        TypeInField(*d, kDepth, "45");
        d->OverwriteButton()->click();
        QCOMPARE(messages.texts, std::vector<std::string>{FormatMessageText(907, "深さh ")});
        QCOMPARE(d->Field(kDepth)->text(), QString("45"));

        // Delete keeps 100 lines, the last one blank, nothing selected.
        Click(grid, 1);
        d->DeleteButton()->click();
        QCOMPARE(grid->rowCount(), 100);
        QCOMPARE(Line(*d, 1), (QStringList{"6", "20", "10", "6", ""}));
        QCOMPARE(Line(*d, 3), (QStringList{"", "", "", "", ""}));
        QCOMPARE(grid->SelectedLine(), 0);
        QCOMPARE(grid->CurrentLine(), 0);
        QCOMPARE(Entry(*d), (QStringList{"", "", "", "", ""}));
        QVERIFY(d->AddButton()->isEnabled());
    }

    void emptyTableFillsLineOneAsTheFieldsAreLeft() {
        MessageRecorder messages;
        auto d = Open();
        EditableListGrid* grid = d->Grid();
        QCOMPARE(grid->CurrentLine(), 1);
        QCOMPARE(grid->SelectedLine(), 1);
        TypeInField(*d, kN, "5");
        QVERIFY(!d->AddButton()->isEnabled());
        TypeInField(*d, kDepth, "12.5");
        // Δh and Nd derived as the depth is left, and line 1 takes the row.
        QCOMPARE(Entry(*d), (QStringList{"5", "12.5", "12.5", "4", ""}));
        QCOMPARE(Line(*d, 1), (QStringList{"5", "12.5", "12.5", "4", ""}));
        // Typing a remark follows at once.
        d->RemarkBox()->setFocus();
        d->RemarkBox()->lineEdit()->insert("礫");
        QCOMPARE(Line(*d, 1)[4], QString("礫"));
        // A different depth leaves the line as it is.
        TypeInField(*d, kDepth, "30");
        QCOMPARE(Line(*d, 1), (QStringList{"5", "12.5", "12.5", "4", "礫"}));
        QCOMPARE(d->Field(kDeltaH)->text(), QString("17.5"));
        QVERIFY(messages.texts.empty());

        // The live update is a change: Cancel asks before dropping it.
        messages.answers = {MessageAnswer::No};
        d->CancelButton()->click();
        QCOMPARE(messages.texts, std::vector<std::string>{std::string(MessageText(132))});
        QVERIFY(d->isVisible());
    }

    void addPlacesNewRowsAfterTheLastUsedLine() {
        MessageRecorder messages;
        SetEvenRows(2);
        auto d = Open();
        // Line 3 is current; Down in the list leaves it, so Add applies.
        QCOMPARE(d->Grid()->CurrentLine(), 3);
        d->Grid()->setFocus();
        Key(Qt::Key_Down);
        QCOMPARE(d->Grid()->CurrentLine(), 0);
        TypeInField(*d, kN, "4");
        QVERIFY(d->AddButton()->isEnabled());
        TypeInField(*d, kDepth, "35");
        d->AddButton()->click();
        QCOMPARE(Line(*d, 3), (QStringList{"4", "35", "15", "2.66667", ""}));
        QCOMPARE(Entry(*d), (QStringList{"", "", "", "", ""}));
        QCOMPARE(QApplication::focusWidget(), d->Field(kN));
        // The same depth again is refused: correct it with Overwrite.
        TypeInField(*d, kN, "4");
        TypeInField(*d, kDepth, "35");
        d->AddButton()->click();
        QCOMPARE(messages.texts, std::vector<std::string>{FormatMessageText(908, "深度")});
        QCOMPARE(Entry(*d)[1], QString("35"));
        QCOMPARE(Line(*d, 4), (QStringList{"", "", "", "", ""}));
    }

    void fullTableRefusesAdd() {
        MessageRecorder messages;
        SetEvenRows(100);
        auto d = Open();
        QCOMPARE(d->Grid()->CurrentLine(), 0);
        QCOMPARE(d->Grid()->SelectedLine(), 0);
        TypeInField(*d, kN, "1");
        TypeInField(*d, kDepth, "2000");
        QVERIFY(d->AddButton()->isEnabled());
        d->AddButton()->click();
        QCOMPARE(messages.texts, std::vector<std::string>{std::string(MessageText(902))});
        QCOMPARE(Line(*d, 100), (QStringList{"3", "1000", "10", "3", ""}));
    }

    void enterKeySettingWhenNoCellIsEdited() {
        SetEvenRows(2);
        {
            Settings().sheet.enterKeyMode = 2;  // "確定のみ": nothing happens
            auto d = Open();
            d->Field(kN)->setFocus();
            Key(Qt::Key_Return);
            QVERIFY(d->isVisible());
            QCOMPARE(QApplication::focusWidget(), d->Field(kN));
        }
        {
            Settings().sheet.enterKeyMode = 1;  // "次に移動"
            auto d = Open();
            d->Field(kN)->setFocus();
            Key(Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), d->Field(kDepth));
            Key(Qt::Key_Return);  // Δh and Nd are derived: on to the remark
            QCOMPARE(QApplication::focusWidget(), d->RemarkBox());
            QVERIFY(d->isVisible());
        }
        for (bool fromRemark : {false, true}) {
            Settings().sheet.enterKeyMode = 0;  // "Windows標準": OK
            SetEvenRows(2);
            TestSurvey().blow[1][kDeltaH] = "";
            auto d = Open();
            (fromRemark ? static_cast<QWidget*>(d->RemarkBox()) : d->Field(kN))->setFocus();
            Key(Qt::Key_Return);
            QVERIFY(!d->isVisible());
            QCOMPARE(d->result(), int(QDialog::Accepted));
            QCOMPARE(TestSurvey().blow[1][kDeltaH], std::string("10"));  // stored with the table recomputed
        }
    }

    void cancelAsksOnlyAfterAChange() {
        SetEvenRows(2);
        {
            MessageRecorder messages;
            auto d = Open();
            d->CancelButton()->click();
            QVERIFY(!d->isVisible());
            QVERIFY(messages.texts.empty());
        }
        MessageRecorder messages;
        messages.answers = {MessageAnswer::No, MessageAnswer::Yes};
        auto d = Open();
        Click(d->Grid(), 1);
        d->DeleteButton()->click();
        d->CancelButton()->click();
        QVERIFY(d->isVisible());
        d->CancelButton()->click();
        QVERIFY(!d->isVisible());
        QCOMPARE(messages.texts.size(), size_t(2));
        QCOMPARE(TestSurvey().blow[1][kDepth], std::string("10"));  // the survey as it was
    }

    void autoSwitchesOutliveTheDialog() {
        {
            auto d = Open();
            d->DeltaHAuto()->click();
            QVERIFY(d->Field(kDeltaH)->isEnabled());
            QCOMPARE(d->ModeText()->text(), QString("Nd自動計算"));
            QVERIFY(d->Grid()->EnterStop(kDeltaH));
            QVERIFY(!d->Grid()->EnterStop(kNd));
            d->CancelButton()->click();
        }
        auto d = Open();
        QVERIFY(!d->DeltaHAuto()->isChecked());
        QVERIFY(d->NdAuto()->isChecked());
        QVERIFY(d->Field(kDeltaH)->isEnabled());
        QVERIFY(!TestAutoCalc().deltaH);
        // With Δh auto off, leaving the depth derives nothing.
        TypeInField(*d, kDepth, "40");
        QCOMPARE(d->Field(kDeltaH)->text(), QString());
    }

    void aNewNDerivesTheSameInTheEntryFieldsAsInTheGrid() {
        // Δh typed by hand, Nd derived: a new N gives Nd from it and the Δh
        // there, and the Δh stays, whether N is typed in its field or cell.
        TestAutoCalc() = AutoCalcSwitches{false, true};
        SetRows({{"4", "10", "10", "4"}, {"6", "30", "15", "4"}});
        auto d = Open();
        Click(d->Grid(), 2);
        QCOMPARE(Entry(*d), (QStringList{"6", "30", "15", "4", ""}));
        TypeInField(*d, kN, "9");
        QCOMPARE(Entry(*d), (QStringList{"9", "30", "15", "6", ""}));
        QCOMPARE(Line(*d, 2), (QStringList{"9", "30", "15", "6", ""}));
        DoubleClick(d->Grid(), 2, kN);
        TypeInCell(*d, "3");
        Key(Qt::Key_Return);
        QCOMPARE(Line(*d, 2), (QStringList{"3", "30", "15", "2", ""}));
    }

    void refusedTextIsKeptWithWhatCannotBeHeldSelected() {
        SetRows({{"3", "10", "10", "3", "\x8d\xbb"}});  // 砂
        MessageRecorder messages;
        auto d = Open();
        // An entry field keeps the typed text, the refused character selected.
        TypeInField(*d, kN, "5\"");
        QCOMPARE(messages.texts.size(), size_t(1));
        QCOMPARE(d->Field(kN)->text(), QString("5\""));
        QTRY_COMPARE(d->Field(kN)->selectedText(), QString("\""));
        QCOMPARE(QApplication::focusWidget(), d->Field(kN));
        TypeInField(*d, kRemark, "a$$b");
        QCOMPARE(messages.texts.size(), size_t(2));
        QCOMPARE(d->RemarkBox()->currentText(), QString("a$$b"));
        QTRY_COMPARE(d->RemarkBox()->lineEdit()->selectedText(), QString("$$"));
        // Add needs the text: told again, nothing added.
        d->AddButton()->click();
        QCOMPARE(messages.texts.size(), size_t(3));
        QCOMPARE(d->Grid()->UsedLength(), 1);

        // A cell editor keeps its text too, over its cell, until it is mended.
        DoubleClick(d->Grid(), 1, kRemark);
        TypeInCell(*d, QString::fromUtf8("礫\xF0\x9F\x98\x80"));
        Key(Qt::Key_Return);
        QCOMPARE(messages.texts.size(), size_t(4));
        QVERIFY(messages.texts.back().find("\xF0\x9F\x98\x80") != std::string::npos);
        QLineEdit* editor = d->Grid()->CellEditor();
        QVERIFY(editor->isVisible());
        QCOMPARE(QApplication::focusWidget(), editor);
        QCOMPARE(editor->text(), QString::fromUtf8("礫\xF0\x9F\x98\x80"));
        QCOMPARE(editor->selectedText(), QString::fromUtf8("\xF0\x9F\x98\x80"));
        QCOMPARE(d->Grid()->CurrentColumn(), kRemark);
        QCOMPARE(d->Grid()->Cell(1, kRemark), std::string("\x8d\xbb"));
        // Leaving it with a click on another line tells nothing new and
        // leaves the edit where it is.
        Click(d->Grid(), 2);
        QCOMPARE(messages.texts.size(), size_t(4));
        QVERIFY(editor->isVisible());
        QCOMPARE(d->Grid()->CurrentLine(), 1);
        // OK does not close over it: as after any cell edit, it ends the edit first.
        d->OkButton()->click();
        QVERIFY(d->isVisible());
        QVERIFY(editor->isVisible());
        editor->setFocus();
        editor->setSelection(1, 2);
        QTest::keyClick(editor, Qt::Key_Delete);
        Key(Qt::Key_Return);
        QCOMPARE(messages.texts.size(), size_t(4));
        QCOMPARE(Line(*d, 1)[4], QString("礫"));
        QCOMPARE(d->Grid()->Cell(1, kRemark), *Utf8ToCp932("礫"));
    }

    void theSelectionOutlivesAMessageBoxTakingTheFocus() {
        FocusTakingMessages messages;
        auto d = Open();
        TypeInField(*d, kRemark, "ab$$cd");
        QCOMPARE(messages.texts.size(), size_t(1));
        QVERIFY(QTest::qWaitForWindowActive(d.get()));
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d->RemarkBox()));
        QTRY_COMPARE(d->RemarkBox()->lineEdit()->selectedText(), QString("$$"));
    }

    void rowsPastedFromASpreadsheetAreEnteredAsAddEntersThem() {
        MessageRecorder messages;
        SetEvenRows(2);
        TestAutoCalc() = AutoCalcSwitches{true, false};  // the dialog's switches: Nd by hand
        auto d = Open();
        EditableListGrid* grid = d->Grid();
        // A spreadsheet's copy, its header row passed over; pasted over the
        // free line clicked (which disabled Add).
        Click(grid, 3);
        QVERIFY(!d->AddButton()->isEnabled());
        Paste(grid, "回数\t深さh cm\t記事\r\n4\t35\t\r\n2\t40\t自沈\r\n");
        QVERIFY(messages.texts.empty());
        QCOMPARE(Line(*d, 3), (QStringList{"4", "35", "15", "", ""}));
        QCOMPARE(Line(*d, 4), (QStringList{"2", "40", "5", "", "自沈"}));
        QCOMPARE(grid->CurrentLine(), 0);
        QVERIFY(d->AddButton()->isEnabled());
        QVERIFY(grid->IsModified());

        // The first refused line stops with its number and the dialog's own
        // message; nothing of that paste stays.
        Paste(grid, "6,50\n6,20\n");
        QCOMPARE(messages.texts, std::vector<std::string>{FormatMessageText(4105, "2") + "\n" +
                                                          FormatMessageText(908, "深度")});
        QCOMPARE(grid->UsedLength(), 4);

        // The list's context menu pastes the same way.
        messages.texts.clear();
        QGuiApplication::clipboard()->setText("1\t60\n");
        PickFromContextMenu(grid, 1, "貼り付け(&P)");
        QCOMPARE(Line(*d, 5), (QStringList{"1", "60", "20", "", ""}));
        QVERIFY(messages.texts.empty());
        d->OkButton()->click();
        QCOMPARE(d->result(), int(QDialog::Accepted));
        QCOMPARE(CountBlowRows(TestSurvey()), 5);
        QCOMPARE(TestSurvey().blow[4][kRemark], *Utf8ToCp932("自沈"));
    }

    void severalLinesPastedIntoAnEntryFieldGoToTheGrid() {
        MessageRecorder messages;
        SetEvenRows(1);
        auto d = Open();
        Paste(d->Field(kN), "4\t35\r\n5\t45\r\n");
        QCOMPARE(d->Field(kN)->text(), QString());
        QCOMPARE(Line(*d, 2), (QStringList{"4", "35", "25", "1.6", ""}));
        QCOMPARE(Line(*d, 3), (QStringList{"5", "45", "10", "5", ""}));
        // One line stays an ordinary paste, without the line end a
        // spreadsheet's cell comes with.
        Paste(d->RemarkBox()->lineEdit(), "礫混じり\r\n");
        QCOMPARE(d->RemarkBox()->currentText(), QString("礫混じり"));
        QCOMPARE(d->Grid()->UsedLength(), 3);
        QVERIFY(messages.texts.empty());
    }

    void ctrlCCopiesTheSelectedLineAndItPastesBack() {
        SetRows({{"3", "10", "10", "3", "\x8d\xbb"}, {"5", "25", "15", "3.33333"}});
        auto d = Open();
        EditableListGrid* grid = d->Grid();
        Click(grid, 1);
        QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("3\t10\t10\t3\t砂\n"));
        Click(grid, 2);
        PickFromContextMenu(grid, 2, "コピー(&C)");
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("5\t25\t15\t3.33333\t\n"));
        d->DeleteButton()->click();
        QCOMPARE(grid->UsedLength(), 1);
        Paste(grid, QGuiApplication::clipboard()->text());
        QCOMPARE(Line(*d, 2), (QStringList{"5", "25", "15", "3.33333", ""}));
    }

    void okAsksAboutALineTypedButNotAdded() {
        struct Case {
            MessageAnswer answer;
            bool closes;
            int rows;
        } cases[] = {{MessageAnswer::Cancel, false, 2}, {MessageAnswer::No, true, 2}, {MessageAnswer::Yes, true, 3}};
        for (const Case& c : cases) {
            SetEvenRows(2);
            MessageRecorder messages;
            messages.answers = {c.answer};
            auto d = Open();
            // Down in the list leaves the free line 3: the typed row is in no line.
            d->Grid()->setFocus();
            Key(Qt::Key_Down);
            TypeInField(*d, kN, "4");
            TypeInField(*d, kDepth, "35");
            d->OkButton()->click();
            QCOMPARE(messages.texts, std::vector<std::string>{std::string(MessageText(4107))});
            QCOMPARE(messages.buttons, std::vector<MessageButtons>{MessageButtons::YesNoCancel});
            QCOMPARE(d->isVisible(), !c.closes);
            QCOMPARE(Entry(*d)[1], c.answer == MessageAnswer::Yes ? QString() : QString("35"));
            if (!c.closes) continue;
            QCOMPARE(CountBlowRows(TestSurvey()), c.rows);
            QCOMPARE(TestSurvey().blow[3][kDepth], std::string(c.rows == 3 ? "35" : ""));
        }
        // A row the live update wrote into the current line is in the grid:
        // no question.
        SetEvenRows(2);
        MessageRecorder messages;
        auto d = Open();
        TypeInField(*d, kN, "4");
        TypeInField(*d, kDepth, "35");
        d->OkButton()->click();
        QVERIFY(messages.texts.empty());
        QCOMPARE(CountBlowRows(TestSurvey()), 3);
    }

    void bytesNobodyEditedSurviveTheDialog() {
        // A lone lead byte does not decode; passing through the cell editor
        // and the entry fields unchanged must not turn it into something else.
        SetRows({{"3", "10", "10", "3", "\x81x"}});
        MessageRecorder messages;
        auto d = Open();
        Click(d->Grid(), 1);
        DoubleClick(d->Grid(), 1, kRemark);
        Key(Qt::Key_Return);
        // A press on the dialog's own surface ends the edit.
        QTest::mouseClick(d.get(), Qt::LeftButton, {}, QPoint(2, 2));
        QVERIFY(!d->Grid()->IsEditing());
        Click(d->Grid(), 1);
        d->OverwriteButton()->click();
        d->OkButton()->click();
        QCOMPARE(d->result(), int(QDialog::Accepted));
        QCOMPARE(TestSurvey().blow[1][kRemark], std::string("\x81x"));
        QVERIFY(messages.texts.empty());
    }

    void wholeRoadFromTheMenuToTheSavedFile() {
        MessageRecorder messages;
        // A sheet of 41 rows fills one page; the dialog adds a 42nd.
        std::string sheet = "$$_VSKTARVO100\r\n$$Z\r\nname\r\n$$C\r\n";
        for (int r = 1; r <= 41; ++r) sheet += "3," + std::to_string(r * 5) + ",5,6,\r\n";
        const QString path = Path("road.vkr");
        std::ofstream(path.toStdString(), std::ios::binary) << sheet;

        CVoskDoc doc;
        UseDocumentSurvey use(doc.Survey());
        CMainFrame frame(&doc);
        frame.View()->OnInitialUpdate();
        QVERIFY(doc.OpenDocumentFile(path));
        QVERIFY(!frame.Action(command::kNextPage)->isEnabled());
        QAction* blowData = frame.Action(command::kBlowData);
        frame.UpdateCommandUi();
        QVERIFY(blowData->isEnabled());
        QCOMPARE(blowData->text(), QString("測定データ(&A)"));

        bool driven = false;
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<CBlowDataDlg*>(QApplication::activeModalWidget());
            QVERIFY(d);
            test::ModalCloser closer{d};
            QVERIFY(QTest::qWaitForWindowActive(d));
            // Depth 10 of line 2 was meant to be 8; the grid opened showing
            // the free line 42.
            d->Grid()->scrollToTop();
            DoubleClick(d->Grid(), 2, kDepth);
            TypeInCell(*d, "8");
            Key(Qt::Key_Return);
            // The pointer leaves the grid for the fields: the edit ends.
            QTest::mouseMove(d->Field(kN));
            QVERIFY(!d->Grid()->IsEditing());
            // Down in the list leaves the corrected line for a new row.
            d->Grid()->setFocus();
            Key(Qt::Key_Down);
            TypeInField(*d, kN, "4");
            TypeInField(*d, kDepth, "212");
            d->AddButton()->click();
            QTest::mouseMove(d->OkButton());
            d->OkButton()->click();
            driven = true;
        });
        blowData->trigger();
        QVERIFY(driven);
        QVERIFY(messages.texts.empty());
        // The view updated: the table now needs a second page.
        QVERIFY(frame.Action(command::kNextPage)->isEnabled());

        doc.OnSaveDataSheet();
        auto saved = ReadFileBytes(std::filesystem::path(path.toStdString()));
        QVERIFY(saved);
        SurveyData back;
        QCOMPARE(ReadDataSheet(back, *saved, ReadPath::Framework), 100);
        QCOMPARE(CountBlowRows(back), 42);
        auto fields = [&](int r) {
            return QStringList{QString::fromStdString(back.blow[r][1]), QString::fromStdString(back.blow[r][2]),
                               QString::fromStdString(back.blow[r][3]), QString::fromStdString(back.blow[r][4])};
        };
        QCOMPARE(fields(1), (QStringList{"3", "5", "5", "6"}));
        QCOMPARE(fields(2), (QStringList{"3", "8", "3", "10"}));
        QCOMPARE(fields(3), (QStringList{"3", "15", "7", "4.28571"}));
        QCOMPARE(fields(42), (QStringList{"4", "212", "7", "5.71429"}));
        QVERIFY(saved->find("$$C\r\n3,5,5,6,\r\n3,8,3,10,\r\n3,15,7,4.28571,\r\n") != std::string::npos);
    }
};

}  // namespace vosk

QTEST_MAIN(vosk::BlowDataDlgTest)
#include "blow_data_dlg_test.moc"
