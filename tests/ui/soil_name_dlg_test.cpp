// The simple soil name dialog, driven through the real widgets with keys and
// clicks under the offscreen platform.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <memory>
#include <utility>

#include "app/command_table.h"
#include "app/main_frame.h"
#include "app/vosk_doc.h"
#include "app/vosk_view.h"
#include "platform/message_service.h"
#include "platform/string_table.h"
#include "settings/settings_store.h"
#include "tests/ui/test_survey.h"
#include "ui/soil/soil_name_dlg.h"

namespace vosk {
namespace {

using namespace soil_column;
using Texts = std::vector<std::string>;

// CP932 names.
const std::string kSand = "\x8d\xbb";           // 砂
const std::string kClay = "\x94\x53\x93\x79";   // 粘土

// Soil rows 1, 2, … from depth and name pairs, each with a JACIC
// description that names its layer ("<tag>3", "<tag>4", …).
void SetLayers(std::initializer_list<std::pair<std::string, std::string>> layers) {
    ClearSoilRows(TestSurvey());
    int r = 0;
    for (const auto& [depth, tag] : layers) {
        SoilRow& row = TestSurvey().soil[++r];
        row[1] = depth;
        row[2] = tag;
        for (int f = 3; f <= kSoilFieldCount; ++f) row[f] = tag + std::to_string(f);
        row[7] = "1";
    }
}

Texts Row(int r) {
    Texts fields;
    for (int f = 1; f <= kSoilFieldCount; ++f) fields.push_back(TestSurvey().soil[r][f]);
    return fields;
}

std::unique_ptr<CSoilNameDlg> Open() {
    auto dialog = std::make_unique<CSoilNameDlg>(TestSurvey(), Settings());
    dialog->show();
    dialog->activateWindow();
    // Focus moves only inside the active window.
    if (!QTest::qWaitForWindowActive(dialog.get())) qFatal("dialog not active");
    return dialog;
}

QStringList Line(const CSoilNameDlg& d, int line) {
    return {d.Grid()->item(line - 1, 0)->text(), d.Grid()->item(line - 1, 1)->text()};
}

QStringList Entry(const CSoilNameDlg& d) { return {d.Field(kDepth)->text(), d.Field(kName)->text()}; }

void Key(int key) { QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key)); }

QPoint CellCentre(EditableListGrid* grid, int line, int column) {
    return grid->visualRect(grid->model()->index(line - 1, column - 1)).center();
}

void Click(EditableListGrid* grid, int line) {
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellCentre(grid, line, 1));
}

void DoubleClick(EditableListGrid* grid, int line, int column) {
    const QPoint at = CellCentre(grid, line, column);
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, at);
}

// Types into an entry field, replacing its text, and leaves it with Tab.
void TypeInField(CSoilNameDlg& d, int column, const QString& text) {
    QLineEdit* edit = d.Field(column);
    edit->setFocus();
    edit->selectAll();
    // As an input method commits it: the whole text at once.
    edit->insert(text);
    QTest::keyClick(edit, Qt::Key_Tab);
}

// Leaves the current line, as Down in the list does, so the fields make a
// new layer.
void LeaveLine(CSoilNameDlg& d) {
    d.Grid()->setFocus();
    Key(Qt::Key_Down);
    QCOMPARE(d.Grid()->CurrentLine(), 0);
}

void PickName(CSoilNameDlg& d, const QString& name) {
    QList<QListWidgetItem*> found = d.NameList()->findItems(name, Qt::MatchExactly);
    QVERIFY(!found.isEmpty());
    QListWidget* list = d.NameList();
    list->scrollToItem(found[0]);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found[0]).center());
}

}  // namespace

class SoilNameDlgTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        qputenv("VOSK_DRIVES", dir_.filePath("drives").toUtf8());
        qputenv("XDG_CONFIG_HOME", dir_.filePath("config").toUtf8());
        // The install folder, filled with the bundled lists.
        LoadSettings(Settings(), *std::make_unique<SurveyData>(), false);
        QVERIFY(!Settings().simpleSoilPath.empty());
    }

    void init() {
        ClearSurvey(TestSurvey());
        Settings().sheet.enterKeyMode = 1;
    }

    void opensWithTheNumericLayersAndTheListFromPeatOn() {
        MessageRecorder messages;
        ClearSoilRows(TestSurvey());
        TestSurvey().soil[1][1] = "1.00";
        TestSurvey().soil[1][2] = kSand;
        TestSurvey().soil[2][1] = "abc";  // not a number: a blank line
        TestSurvey().soil[2][2] = "hidden";
        TestSurvey().soil[3][1] = "2.5";
        auto d = Open();
        EditableListGrid* grid = d->Grid();
        QCOMPARE(d->windowTitle(), QString("土質名 - - - 様式2で有効"));
        QCOMPARE(grid->rowCount(), 100);
        QCOMPARE(grid->columnCount(), 2);
        QCOMPARE((QStringList{grid->horizontalHeaderItem(0)->text(), grid->horizontalHeaderItem(1)->text()}),
                 (QStringList{"深度 m", "土質名"}));
        QCOMPARE((QList<int>{grid->columnWidth(0), grid->columnWidth(1)}), (QList<int>{60, 160}));
        QCOMPARE(Line(*d, 1), (QStringList{"1.00", "砂"}));
        QCOMPARE(Line(*d, 2), (QStringList{"", ""}));
        QCOMPARE(Line(*d, 3), (QStringList{"2.5", ""}));
        QCOMPARE(grid->CurrentLine(), 4);
        QCOMPARE(grid->SelectedLine(), 4);
        // The bundled Zbn.mst opens with two header lines before 泥炭.
        QVERIFY(d->NameList()->count() > 10);
        QCOMPARE(d->NameList()->item(0)->text(), QString("泥炭"));
        QCOMPARE(d->NameList()->item(1)->text(), QString("腐植土"));
        QVERIFY(d->NameList()->findItems("Vosk", Qt::MatchContains).isEmpty());
        QVERIFY(messages.texts.empty());
    }

    void aMissingListIsReportedAndTheDialogStillWorks() {
        const std::string saved = Settings().simpleSoilPath;
        Settings().simpleSoilPath = "C:\\Nowhere\\Zbn.mst";
        MessageRecorder messages;
        auto d = Open();
        QCOMPARE(messages.texts, Texts{FormatMessageText(4018, RealPath("C:\\Nowhere\\Zbn.mst").string())});
        QCOMPARE(messages.texts[0].substr(0, messages.texts[0].find('\n')), std::string("ファイルが見つかりません"));
        QCOMPARE(d->NameList()->count(), 0);
        LeaveLine(*d);
        TypeInField(*d, kDepth, "1");
        d->AddButton()->click();
        QCOMPARE(Line(*d, 1), (QStringList{"1.00", ""}));
        Settings().simpleSoilPath = saved;
    }

    void addWritesTwoDecimalsAndChecksTheRange() {
        MessageRecorder messages;
        auto d = Open();
        EditableListGrid* grid = d->Grid();
        LeaveLine(*d);
        TypeInField(*d, kDepth, "2");
        TypeInField(*d, kName, "砂");
        QVERIFY(d->AddButton()->isEnabled());
        d->AddButton()->click();
        QCOMPARE(Line(*d, 1), (QStringList{"2.00", "砂"}));
        QCOMPARE(Entry(*d), (QStringList{"", ""}));
        QCOMPARE(QApplication::focusWidget(), d->Field(kDepth));
        QVERIFY(messages.texts.empty());

        // Each typed depth in turn: refused with its message, or added.
        struct Case {
            const char* depth;
            int message;  // 0 added
            const char* shown;
        };
        int next = 2;
        for (const Case& c : {Case{"2.000", 908, ""}, Case{"3000", 0, "3000.00"}, Case{"3000.01", 4006, ""},
                              Case{"-1", 0, "-1.00"}, Case{"-1.5", 4006, ""}, Case{"x", 903, ""}}) {
            messages.texts.clear();
            TypeInField(*d, kDepth, c.depth);
            TypeInField(*d, kName, "n");
            d->AddButton()->click();
            if (c.message == 0) {
                QVERIFY2(messages.texts.empty(), c.depth);
                QCOMPARE(Line(*d, next++), (QStringList{c.shown, "n"}));
            } else {
                QCOMPARE(messages.texts,
                         Texts{c.message == 908 ? FormatMessageText(908, "深度") : std::string(MessageText(c.message))});
                // A refusal leaves the fields as typed and the grid as it was.
                QCOMPARE(Entry(*d), (QStringList{c.depth, "n"}));
                QCOMPARE(Line(*d, next), (QStringList{"", ""}));
            }
        }
        QCOMPARE(grid->UsedLength(), 3);
    }

    void aClickOnTheSelectedNamePicksItAgain() {
        auto d = Open();
        // Clay for two layers in a row: the second click is on the item the
        // first one selected.
        for (int layer = 1; layer <= 2; ++layer) {
            TypeInField(*d, kName, "x");
            PickName(*d, "粘土");
            QCOMPARE(d->Field(kName)->text(), QString("粘土"));
        }
        // A change of row by the keyboard picks as before, once.
        d->NameList()->setFocus();
        QTest::keyClick(d->NameList(), Qt::Key_Down);
        QCOMPARE(d->Field(kName)->text(), d->NameList()->currentItem()->text());
    }

    void typingWhileALineIsCurrentCorrectsIt() {
        MessageRecorder messages;
        auto d = Open();
        EditableListGrid* grid = d->Grid();
        // An empty table: line 1 is current and takes what is typed.
        QCOMPARE(grid->CurrentLine(), 1);
        TypeInField(*d, kDepth, "1.5");
        QVERIFY(!d->AddButton()->isEnabled());
        QCOMPARE(Line(*d, 1), (QStringList{"1.50", ""}));
        PickName(*d, "粘土");
        QCOMPARE(d->Field(kName)->text(), QString("粘土"));
        QCOMPARE(Line(*d, 1), (QStringList{"1.50", "粘土"}));
        QCOMPARE(grid->Cell(1, kName), kClay);
        // A different depth is a new layer: the line stays.
        TypeInField(*d, kDepth, "4");
        QCOMPARE(Line(*d, 1), (QStringList{"1.50", "粘土"}));
        QVERIFY(messages.texts.empty());

        // The change is one Cancel asks about.
        messages.answers = {MessageAnswer::No, MessageAnswer::Yes};
        d->CancelButton()->click();
        QVERIFY(d->isVisible());
        d->CancelButton()->click();
        QVERIFY(!d->isVisible());
        QCOMPARE(messages.texts, (Texts{std::string(MessageText(132)), std::string(MessageText(132))}));
        QCOMPARE(TestSurvey().soil[1][1], std::string());
    }

    void cancelWithoutChangesAsksNothing() {
        SetLayers({{"1", kSand}});
        MessageRecorder messages;
        auto d = Open();
        Click(d->Grid(), 1);
        d->CancelButton()->click();
        QVERIFY(!d->isVisible());
        QVERIFY(messages.texts.empty());
    }

    void overwriteCorrectsTheLayerOfThatDepth() {
        MessageRecorder messages;
        SetLayers({{"1.00", kSand}, {"2.00", kClay}});
        auto d = Open();
        EditableListGrid* grid = d->Grid();
        Click(grid, 2);
        QCOMPARE(Entry(*d), (QStringList{"2.00", "粘土"}));
        d->Field(kName)->setText("礫");
        d->OverwriteButton()->click();
        QCOMPARE(Line(*d, 2), (QStringList{"2.00", "礫"}));
        QCOMPARE(Entry(*d), (QStringList{"", ""}));
        QCOMPARE(grid->CurrentLine(), 0);
        QCOMPARE(QApplication::focusWidget(), d->Field(kDepth));
        // The depth is written as typed; a depth no line has is refused.
        TypeInField(*d, kDepth, "1");
        TypeInField(*d, kName, "a");
        d->OverwriteButton()->click();
        QCOMPARE(Line(*d, 1), (QStringList{"1", "a"}));
        TypeInField(*d, kDepth, "5");
        d->OverwriteButton()->click();
        QCOMPARE(messages.texts, Texts{FormatMessageText(907, "深度")});
        QCOMPARE(Entry(*d)[0], QString("5"));
    }

    void storeOrdersByDepthAndLayersKeepTheirDescription() {
        MessageRecorder messages;
        SetLayers({{"1.234", "A"}, {"9", "E"}, {"3", "B"}, {"1.2", "C"}, {"3.0", "D"}});
        auto d = Open();
        EditableListGrid* grid = d->Grid();
        // Layer E removed: the layers below move up with their descriptions,
        // and E's must not stay on any row.
        Click(grid, 2);
        d->DeleteButton()->click();
        QCOMPARE(grid->rowCount(), 100);
        QCOMPARE(grid->SelectedLine(), 0);
        // A cell typed in place: B becomes 2 m, under C in the order.
        DoubleClick(grid, 2, kDepth);
        QVERIFY(grid->CellEditor()->isVisible());
        grid->CellEditor()->selectAll();
        grid->CellEditor()->insert("2");
        Key(Qt::Key_Tab);
        QCOMPARE(Line(*d, 2), (QStringList{"2", "B"}));
        QTest::mouseClick(d.get(), Qt::LeftButton, {}, QPoint(2, 2));
        // A new layer has no description.
        LeaveLine(*d);
        TypeInField(*d, kDepth, "0.5");
        TypeInField(*d, kName, "N");
        d->AddButton()->click();
        QVERIFY(messages.texts.empty());

        d->OkButton()->click();
        QCOMPARE(d->result(), int(QDialog::Accepted));
        QCOMPARE(Row(1), (Texts{"0.50", "N", "", "", "", "", "247", "", "", "", ""}));
        QCOMPARE(Row(2), (Texts{"1.20", "C", "C3", "C4", "C5", "C6", "247", "C8", "C9", "C10", "C11"}));
        QCOMPARE(Row(3), (Texts{"1.234", "A", "A3", "A4", "A5", "A6", "247", "A8", "A9", "A10", "A11"}));
        QCOMPARE(Row(4), (Texts{"2.00", "B", "B3", "B4", "B5", "B6", "247", "B8", "B9", "B10", "B11"}));
        QCOMPARE(Row(5), (Texts{"3.00", "D", "D3", "D4", "D5", "D6", "247", "D8", "D9", "D10", "D11"}));
        QCOMPARE(Row(6), (Texts{"", "", "", "", "", "", "", "", "", "", ""}));
        QVERIFY(messages.texts.empty());
    }

    void equalDepthsAreReportedAndStoredAndTextWithoutDepthKeepsTheDialogOpen() {
        MessageRecorder messages;
        SetLayers({{"2", "A"}, {"2.0", "B"}});
        auto d = Open();
        // A name without depth typed into a line of its own.
        DoubleClick(d->Grid(), 4, kName);
        d->Grid()->CellEditor()->insert("x");
        Key(Qt::Key_Tab);
        QTest::mouseClick(d.get(), Qt::LeftButton, {}, QPoint(2, 2));
        d->OkButton()->click();
        QVERIFY(d->isVisible());
        QCOMPARE(messages.texts.size(), size_t(1));
        QVERIFY(messages.texts[0].find("行: 4\n") != std::string::npos);
        QCOMPARE(TestSurvey().soil[1][7], std::string("1"));

        Click(d->Grid(), 4);
        d->DeleteButton()->click();
        d->OkButton()->click();
        QVERIFY(!d->isVisible());
        QCOMPARE(messages.texts.back(), std::string("同じ深度があります\r\n 2.00 m \r\n"));
        QCOMPARE((Texts{TestSurvey().soil[1][1], TestSurvey().soil[2][1]}), (Texts{"2.00", "2.00"}));
        QCOMPARE((Texts{TestSurvey().soil[1][2], TestSurvey().soil[2][2]}), (Texts{"A", "B"}));
    }

    void refusedTextIsKeptWithWhatCannotBeHeldSelected() {
        SetLayers({{"1.00", kSand}});
        MessageRecorder messages;
        auto d = Open();
        struct Case {
            QString typed, selected;
        } cases[] = {{QString::fromUtf8("礫\xF0\x9F\x98\x80"), QString::fromUtf8("\xF0\x9F\x98\x80")},
                     {"a,b\"", "\""},
                     {"$$x", "$$"}};
        for (const Case& c : cases) {
            messages.texts.clear();
            TypeInField(*d, kName, c.typed);
            QCOMPARE(messages.texts.size(), size_t(1));
            QCOMPARE(d->Field(kName)->text(), c.typed);
            QTRY_COMPARE(d->Field(kName)->selectedText(), c.selected);
            QCOMPARE(QApplication::focusWidget(), d->Field(kName));
        }
        d->Field(kName)->setText(QString());
        // Into a cell: refused, the cell keeps its text, the editor the typed one.
        messages.texts.clear();
        DoubleClick(d->Grid(), 1, kName);
        d->Grid()->CellEditor()->selectAll();
        d->Grid()->CellEditor()->insert(QString::fromUtf8("\xF0\x9F\x98\x80"));
        Key(Qt::Key_Tab);
        QCOMPARE(messages.texts.size(), size_t(1));
        QCOMPARE(d->Grid()->Cell(1, kName), kSand);
        QVERIFY(d->Grid()->CellEditor()->isVisible());
        QCOMPARE(d->Grid()->CellEditor()->text(), QString::fromUtf8("\xF0\x9F\x98\x80"));
    }

    void layersPastedIntoTheGridAreNewLayers() {
        MessageRecorder messages;
        SetLayers({{"1.00", "A"}});
        auto d = Open();
        QGuiApplication::clipboard()->setText("下端深度\t土質名\r\n2.5\t砂\r\n4\t粘土\r\n");
        d->Grid()->setFocus();
        QTest::keyClick(d->Grid(), Qt::Key_V, Qt::ControlModifier);
        QVERIFY(messages.texts.empty());
        QCOMPARE(Line(*d, 2), (QStringList{"2.50", "砂"}));
        QCOMPARE(Line(*d, 3), (QStringList{"4.00", "粘土"}));
        // Several lines in an entry field go the same way; a refused one
        // keeps nothing of the paste.
        QGuiApplication::clipboard()->setText("5\tx\n4.0\ty\n");
        d->Field(kName)->setFocus();
        QTest::keyClick(d->Field(kName), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(messages.texts, std::vector<std::string>{FormatMessageText(4105, "2") + "\n" +
                                                          FormatMessageText(908, "深度")});
        QCOMPARE(d->Grid()->UsedLength(), 3);
        QCOMPARE(d->Field(kName)->text(), QString());
        d->OkButton()->click();
        QCOMPARE(d->result(), int(QDialog::Accepted));
        // New layers: no description of another layer comes with them.
        QCOMPARE(Row(2), (Texts{"2.50", kSand, "", "", "", "", "247", "", "", "", ""}));
        QCOMPARE(Row(3), (Texts{"4.00", kClay, "", "", "", "", "247", "", "", "", ""}));
    }

    void okAsksAboutALayerTypedButNotAdded() {
        SetLayers({{"1.00", "A"}});
        MessageRecorder messages;
        messages.answers = {MessageAnswer::Yes};
        auto d = Open();
        LeaveLine(*d);
        TypeInField(*d, kDepth, "2");
        TypeInField(*d, kName, "砂");
        d->OkButton()->click();
        QCOMPARE(messages.texts, std::vector<std::string>{std::string(MessageText(4107))});
        QCOMPARE(d->result(), int(QDialog::Accepted));
        QCOMPARE(Row(2), (Texts{"2.00", kSand, "", "", "", "", "247", "", "", "", ""}));
    }

    void menuCommandRunsTheDialogAndUpdatesTheViewHoweverItEnds() {
        MessageRecorder messages;
        CVoskDoc doc;
        UseDocumentSurvey use(doc.Survey());
        CMainFrame frame(&doc);
        frame.View()->OnInitialUpdate();
        QAction* soilName = frame.Action(command::kSoilName);
        for (bool confirm : {false, true}) {
            SetLayers({{"3", "A"}, {"1", "B"}});
            // The view's update normalises the depth scale again.
            TestSurvey().heading[heading::kDepthScale] = "1";
            frame.UpdateCommandUi();
            QVERIFY(soilName->isEnabled());
            bool driven = false;
            QTimer::singleShot(0, [&] {
                auto* d = qobject_cast<CSoilNameDlg*>(QApplication::activeModalWidget());
                QVERIFY(d);
                driven = true;
                (confirm ? d->OkButton() : d->CancelButton())->click();
            });
            soilName->trigger();
            QVERIFY(driven);
            QCOMPARE(TestSurvey().heading[heading::kDepthScale], std::string("20"));
            QCOMPARE(TestSurvey().soil[1][1], std::string(confirm ? "1.00" : "3"));
        }
        QVERIFY(messages.texts.empty());
        // The JACIC choice greys the command out.
        TestSurvey().heading[heading::kJacicSoilNames] = "1";
        frame.UpdateCommandUi();
        QVERIFY(!soilName->isEnabled());
    }
};

}  // namespace vosk

QTEST_MAIN(vosk::SoilNameDlgTest)
#include "soil_name_dlg_test.moc"
