// The site section dialog driven through its widgets: adding sheets,
// refusals as messages naming the file, positions typed into the table,
// the threshold and by-depth, the preview, and saving a PDF.

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <memory>

#include "platform/file_io.h"
#include "platform/message_service.h"
#include "platform/string_table.h"
#include "settings/settings_store.h"
#include "ui/section/site_section_dlg.h"

namespace vosk {

class SiteSectionDlgTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    static QString Fixture(const char* name) {
        return QStringLiteral(VOSK_SOURCE_DIR "/tests/tool/section/") + QLatin1String(name);
    }
    QString Write(const QString& name, const std::string& bytes) {
        const QString path = dir_.filePath(name);
        std::ofstream(path.toStdString(), std::ios::binary) << bytes;
        return path;
    }
    // Types `text` into the table's cell as the user does: F2, the text, Enter.
    static void TypeInCell(QTableWidget* table, int row, int column, const QString& text) {
        table->setCurrentCell(row, column);
        table->setFocus();
        QTest::keyClick(table, Qt::Key_F2);
        QWidget* editor = QApplication::focusWidget();
        QVERIFY(editor && editor != table);
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();  // the delegate commits on a queued call
    }

private slots:
    void initTestCase() {
        qputenv("VOSK_DRIVES", dir_.filePath("drives").toUtf8());
        LoadSettings(Settings(), *std::make_unique<SurveyData>(), false);
    }

    void addsSheetsAndRefusesWithTheFileNamed() {
        MessageRecorder shown;
        CSiteSectionDlg d(Settings());
        d.show();
        QCOMPARE(d.Note()->text(), QString("データシートを追加してください"));
        const QString notSheet = Write("x.vkr", "hello\r\n");
        QVERIFY(d.AddFiles({Fixture("a.vkr"), notSheet, Fixture("c.vkr")}));
        // The bad file is refused with its message after its name; the others are taken.
        QCOMPARE(shown.texts.size(), size_t(1));
        QCOMPARE(QString::fromStdString(shown.texts[0]),
                 notSheet + ": " + QString::fromUtf8(MessageText(message::kNotADataSheet).data()));
        QTableWidget* t = d.Table();
        QCOMPARE(t->rowCount(), 2);
        QCOMPARE(t->item(0, 0)->text(), QString("0"));
        QCOMPARE(t->item(0, 1)->text(), QString("S-1"));
        QCOMPARE(t->item(0, 2)->text(), QString("10.00"));
        QCOMPARE(t->item(0, 3)->text(), QString("a.vkr"));
        QCOMPARE(t->item(1, 0)->text(), QString("10"));
        QCOMPARE(t->item(1, 1)->text(), QString("S-3"));
        QCOMPARE(d.Note()->text(), QString());
        QCOMPARE(t->currentRow(), 1);  // the last added

        // A sheet without ground elevation is refused by elevation...
        std::string flat = "$$_VSKTARVO100\r\n$$Z\r\n";
        for (int i = 1; i <= 70; ++i) flat += "\r\n";
        flat += "$$A\r\n$$C\r\n5,10,10,5,\r\n$$c\r\n";
        const QString flatPath = Write("flat.vkr", flat);
        QVERIFY(!d.AddFiles({flatPath}));
        QCOMPARE(QString::fromStdString(shown.texts.back()), flatPath + ": 地盤高 (見出し 13) がありません");
        QCOMPARE(t->rowCount(), 2);
        // ... and taken by depth, which cannot be turned off again while it is there.
        QTest::mouseClick(d.ByDepthBox(), Qt::LeftButton);
        QVERIFY(d.ByDepthBox()->isChecked());
        QVERIFY(d.AddFiles({flatPath}));
        QCOMPARE(t->rowCount(), 3);
        QCOMPARE(t->item(2, 1)->text(), QString("flat"));
        const size_t before = shown.texts.size();
        QTest::mouseClick(d.ByDepthBox(), Qt::LeftButton);
        QVERIFY(d.ByDepthBox()->isChecked());
        QCOMPARE(shown.texts.size(), before + 1);
        QCOMPARE(QString::fromStdString(shown.texts.back()), flatPath + ": 地盤高 (見出し 13) がありません");
    }

    void positionsThresholdAndOrder() {
        MessageRecorder shown;
        CSiteSectionDlg d(Settings());
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QVERIFY(d.AddFiles({Fixture("a.vkr"), Fixture("b.vkr"), Fixture("c.vkr")}));
        // b is on AP: a warning under the list, the section still drawn.
        QVERIFY(d.Note()->text().startsWith("地盤高の基準 (見出し 12) が地点によって異なります"));

        QTableWidget* t = d.Table();
        TypeInCell(t, 1, 0, "4");
        QCOMPARE(d.List().Rows()[1].position, std::string("4"));
        SiteSection s;
        QVERIFY(!d.List().Build(s));
        QCOMPARE(s.points[1].x, 4.0);
        TypeInCell(t, 2, 0, "3");
        QCOMPARE(d.Note()->text(), QString("位置は左から順に大きくしてください (4, 3)"));
        // Save now says why not, through the message service, and writes nothing.
        const QString pdf = dir_.filePath("refused.pdf");
        QVERIFY(!d.SaveTo(pdf));
        QCOMPARE(QString::fromStdString(shown.texts.back()), QString("位置は左から順に大きくしてください (4, 3)"));
        QVERIFY(!QFile::exists(pdf));
        TypeInCell(t, 2, 0, "30");

        // Moving a sheet keeps the positions in their rows.
        t->setCurrentCell(2, 1);
        QPushButton* up = d.findChild<QPushButton*>("up");
        QPushButton* down = d.findChild<QPushButton*>("down");
        QPushButton* remove = d.findChild<QPushButton*>("remove");
        QVERIFY(up && down && remove);
        QVERIFY(!down->isEnabled());
        QTest::mouseClick(up, Qt::LeftButton);
        QCOMPARE(t->currentRow(), 1);
        QCOMPARE(t->item(1, 1)->text(), QString("S-3"));
        QCOMPARE(t->item(1, 0)->text(), QString("4"));
        QCOMPARE(t->item(2, 1)->text(), QString("b"));
        QCOMPARE(t->item(2, 0)->text(), QString("30"));
        // Removing takes the row with its position.
        t->setCurrentCell(0, 1);
        QVERIFY(!up->isEnabled());
        QTest::mouseClick(remove, Qt::LeftButton);
        QCOMPARE(t->rowCount(), 2);
        QCOMPARE(t->item(0, 1)->text(), QString("S-3"));
        QCOMPARE(t->item(0, 0)->text(), QString("4"));
        QVERIFY(!d.List().Build(s));
        QCOMPARE(s.points.size(), size_t(2));
        QVERIFY(shown.texts.size() == 1);  // only the refused save spoke
        // Closed while a position is being typed: the editor's last commit
        // must not reach the list of a dialog being destroyed.
        t->setCurrentCell(1, 0);
        t->setFocus();
        QTest::keyClick(t, Qt::Key_F2);
        QTest::keyClicks(QApplication::focusWidget(), "77");
    }

    void savesAPdf() {
        MessageRecorder shown;
        CSiteSectionDlg d(Settings());
        d.show();
        QVERIFY(d.AddFiles({Fixture("a.vkr"), Fixture("c.vkr")}));
        d.ThresholdEdit()->clear();
        QTest::keyClicks(d.ThresholdEdit(), "abc");
        QCOMPARE(d.Note()->text(), QString("しきい値 Nd は正の数にしてください"));
        d.ThresholdEdit()->clear();
        QTest::keyClicks(d.ThresholdEdit(), "3");
        SiteSection s;
        QVERIFY(!d.List().Build(s));
        QCOMPARE(s.threshold, 3.0);
        QVERIFY(s.points[1].thresholdDepth.has_value());

        const QString pdf = dir_.filePath("section.pdf");
        QVERIFY(d.SaveTo(pdf));
        const std::string bytes = ReadFileBytes(pdf.toStdString()).value_or("");
        QVERIFY(bytes.starts_with("%PDF"));
        QVERIFY(bytes.find("/MediaBox [0 0 842.000000 595.000000]") != std::string::npos);
        const QString png = dir_.filePath("section.png");
        QVERIFY(d.SaveTo(png));
        QCOMPARE(QImage(png).size(), QSize(1123, 794));
        QVERIFY(shown.texts.empty());

        // The preview draws the page: ink on white paper.
        QImage shot = d.Preview()->grab().toImage();
        int dark = 0;
        for (int y = 0; y < shot.height(); y += 2)
            for (int x = 0; x < shot.width(); x += 2) dark += qGray(shot.pixel(x, y)) < 100;
        QVERIFY(dark > 100);
    }
};

}  // namespace vosk

QTEST_MAIN(vosk::SiteSectionDlgTest)
#include "site_section_dlg_test.moc"
