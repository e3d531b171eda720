// The engineer-name and short-remark master list dialogs.

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <memory>

#include "platform/file_io.h"
#include "platform/message_service.h"
#include "platform/string_table.h"
#include "settings/master_list_rules.h"
#include "settings/settings_store.h"
#include "ui/settings/master_list_dlg.h"

namespace vosk {

class MasterListDlgTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::filesystem::path engineers_;

    void WriteList(const std::string& bytes) { std::ofstream(engineers_, std::ios::binary) << bytes; }
    std::string ReadList() { return ReadFileBytes(engineers_).value_or("<missing>"); }
    static void Show(QDialog& d) {
        d.show();
        d.activateWindow();
        if (!QTest::qWaitForWindowActive(&d)) qFatal("dialog not active");
    }
    // What the window system delivers for a double click.
    static void DoubleClick(EditableListGrid* grid, int line) {
        const QPoint at = grid->visualRect(grid->model()->index(line - 1, 0)).center();
        QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, at);
    }
    // Keys go where the user's would: to the focused widget.
    static void Type(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }
    static void Enter() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }
    // The editor stands over `line`, focused, and the line is current.
    static void EditorOn(CMasterListDlg& d, int line) {
        EditableListGrid* grid = d.Grid();
        QVERIFY(grid->IsEditing());
        QCOMPARE(grid->CurrentLine(), line);
        QVERIFY(grid->CellEditor()->isVisible());
        QCOMPARE(QApplication::focusWidget(), grid->CellEditor());
        const QRect cell = grid->visualRect(grid->model()->index(line - 1, 0));
        QVERIFY(grid->CellEditor()->geometry().contains(
            grid->viewport()->mapTo(&d, QPoint(cell.left() + 4, cell.center().y()))));
    }

private slots:
    void initTestCase() {
        qputenv("VOSK_DRIVES", dir_.filePath("drives").toUtf8());
        LoadSettings(Settings(), *std::make_unique<SurveyData>(), false);
        engineers_ = RealPath(Settings().engineersPath);
    }

    void opensAtMostEightyLinesAndSavesWithoutEmptyOnes() {
        std::string file;
        for (int i = 1; i <= 85; ++i) file += (i == 2 ? "" : "n" + std::to_string(i)) + "\r\n";
        WriteList(file);
        CEngineerMasterDlg d(Settings());
        Show(d);
        QCOMPARE(d.Grid()->Cell(80, 1), std::string("n80"));
        QCOMPARE(d.Grid()->CurrentLine(), 0);  // all 80 lines read: no current line
        QCOMPARE(d.PathDisplay()->text(), QString::fromStdString(engineers_.string()));
        d.OkButton()->click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        std::string expected;
        for (int i = 1; i <= 80; ++i)
            if (i != 2) expected += "n" + std::to_string(i) + "\r\n";
        QCOMPARE(ReadList(), expected);
    }

    void anEntryOf79BytesSavedReadsBackWhole() {
        const std::string longest(79, 'x');
        WriteList(longest + "\r\n" + std::string(80, 'y') + "\r\n");
        {
            CEngineerMasterDlg d(Settings());
            Show(d);
            QCOMPARE(d.Grid()->Cell(1, 1), longest);
            // Only a longer line arrives in pieces.
            QCOMPARE(d.Grid()->Cell(2, 1), std::string(79, 'y'));
            QCOMPARE(d.Grid()->Cell(3, 1), std::string("y"));
            d.OkButton()->click();
        }
        CEngineerMasterDlg again(Settings());
        QCOMPARE(again.Grid()->Cell(1, 1), longest);
        QCOMPARE(again.Grid()->UsedLength(), 3);
    }

    void lastLineWithoutLineEndAndRepeatedEntries() {
        WriteList("A\r\nB\r\nA\r\nC\r\nA");
        MessageRecorder messages;
        CEngineerMasterDlg d(Settings());
        Show(d);
        QCOMPARE(d.Grid()->Cell(5, 1), std::string("A"));
        QCOMPARE(d.Grid()->CurrentLine(), 6);
        d.OkButton()->click();
        QCOMPARE(ReadList(), std::string("A\r\nB\r\nA\r\nC\r\nA\r\n"));
        QCOMPARE(messages.texts.size(), size_t(1));
        QCOMPARE(QString::fromStdString(messages.texts[0]),
                 QString("同じデータがあります\r\n 3行目と 1行目 [A]　\r\n 5行目と 1行目 [A]　\r\n 5行目と 3行目 [A]　\r\n"));
    }

    void upAndDownStopAtTheEnds() {
        WriteList("a\r\nb\r\nc\r\n");
        CEngineerMasterDlg d(Settings());
        Show(d);
        d.Grid()->SelectLine(1);
        d.UpButton()->click();
        QCOMPARE(d.Grid()->Cell(1, 1), std::string("a"));
        d.Grid()->SelectLine(3);
        d.DownButton()->click();
        QCOMPARE(d.Grid()->Cell(3, 1), std::string("c"));
        QVERIFY(!d.Grid()->IsModified());
        d.DownButton()->setFocus();
        d.Grid()->SelectLine(2);
        d.UpButton()->click();
        QCOMPARE(d.Grid()->Cell(1, 1), std::string("b"));
        QCOMPARE(d.Grid()->SelectedLine(), 1);
        QVERIFY(d.Grid()->IsModified());
        // Cancel after a change asks; No keeps the dialog.
        MessageRecorder messages;
        messages.answers = {MessageAnswer::No};
        d.reject();
        QVERIFY(d.isVisible());
        QCOMPARE(messages.texts, std::vector<std::string>{std::string(MessageText(132))});
    }

    void enterMovesTheEditorToTheNextLine() {
        WriteList("a\r\nb\r\n");
        CEngineerMasterDlg d(Settings());
        Show(d);
        DoubleClick(d.Grid(), 1);
        EditorOn(d, 1);
        d.Grid()->CellEditor()->selectAll();
        Type("Sato");
        Enter();
        EditorOn(d, 2);
        QCOMPARE(d.Grid()->CellEditor()->text(), QString("b"));
        d.Grid()->CellEditor()->selectAll();
        Type("Kato");
        EditorOn(d, 2);
        Enter();
        EditorOn(d, 3);
        QCOMPARE(d.Grid()->Cell(1, 1), std::string("Sato"));
        QCOMPARE(d.Grid()->Cell(2, 1), std::string("Kato"));
        QVERIFY(d.isVisible());

        // On the last line Enter ends the edit and the dialog stays.
        d.Grid()->scrollToBottom();
        DoubleClick(d.Grid(), kMasterListLines);
        EditorOn(d, kMasterListLines);
        Type("end");
        Enter();
        QVERIFY(!d.Grid()->IsEditing());
        QVERIFY(!d.Grid()->CellEditor()->isVisible());
        QCOMPARE(d.Grid()->Cell(kMasterListLines, 1), std::string("end"));
        QVERIFY(d.isVisible());
        // With the edit over, OK saves the list.
        d.OkButton()->click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(ReadList(), std::string("Sato\r\nKato\r\nend\r\n"));
    }

    void folderInPlaceOfTheListOpensAsMissing() {
        std::filesystem::path remarks = RealPath(Settings().remarksPath);
        std::filesystem::remove(remarks);
        std::filesystem::create_directories(remarks);
        MessageRecorder messages;
        {
            CRemarkMasterDlg d(Settings());
            QCOMPARE(messages.texts, std::vector<std::string>{FormatMessageText(32795, remarks.string())});
            QCOMPARE(d.Grid()->Cell(1, 1), std::string());
            Show(d);
            // Saving cannot put a file in the folder's place: the dialog stays.
            d.OkButton()->click();
            QVERIFY(d.isVisible());
            QVERIFY(std::filesystem::is_directory(remarks));
        }
        std::filesystem::remove_all(remarks);
    }

    void failedSaveKeepsTheDialogOpen() {
        WriteList("keep\r\n");
        CRemarkMasterDlg d(Settings());
        Show(d);
        std::filesystem::path remarks = RealPath(Settings().remarksPath);
        std::filesystem::remove(remarks);
        std::filesystem::create_directories(remarks / "blocked");  // a folder where the file should be
        MessageRecorder messages;
        d.OkButton()->click();
        QVERIFY(d.isVisible());
        QCOMPARE(messages.texts, std::vector<std::string>{"マスタファイルは\n" + std::string(MessageText(4005))});
        std::filesystem::remove_all(remarks);
    }
};

}  // namespace vosk

QTEST_MAIN(vosk::MasterListDlgTest)
#include "master_list_dlg_test.moc"
