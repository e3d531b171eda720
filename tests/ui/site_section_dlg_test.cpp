// The site dialog driven through its widgets: adding sheets, refusals as
// messages naming the file, positions and locations typed into the table,
// the threshold and by-depth, the preview, saving a PDF; a site file
// opened, edited, saved and delivered; more points than a section draws.

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QSpinBox>
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

#include "platform/cp932.h"
#include "platform/file_io.h"
#include "platform/message_service.h"
#include "platform/string_table.h"
#include "settings/settings_store.h"
#include "ui/section/site_section_dlg.h"

namespace vosk {

struct MemoryRecentSites : RecentSites {
    QStringList files;
    QStringList Files() const override { return files; }
    void Add(const QString& file) override {
        files.removeAll(file);
        files.prepend(file);
    }
};

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
        QCOMPARE(t->item(0, CSiteSectionDlg::kFileColumn)->text(), QString("a.vkr"));
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

    void opensEditsSavesAndDeliversASite() {
        MessageRecorder shown;
        MemoryRecentSites recent;
        QDir(dir_.path()).mkdir("survey");
        for (const char* name : {"a.vkr", "c.vkr"})
            QVERIFY(QFile::copy(Fixture(name), dir_.filePath(QStringLiteral("survey/") + name)));
        const QString site = Write("survey/site.vks",
                                   "vosk-site 1\nclient=関東地方整備局\ndatum=01\nthreshold=10\nby-depth=0\n\n"
                                   "[point]\nsheet=a.vkr\nat=0\n\n[point]\nsheet=c.vkr\nat=10\n");
        CSiteSectionDlg d(Settings(), nullptr, &recent);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QVERIFY(d.OpenSite(site));
        QTableWidget* t = d.Table();
        QCOMPARE(t->rowCount(), 2);
        QCOMPARE(t->item(1, CSiteSectionDlg::kNameColumn)->text(), QString("S-3"));
        QCOMPARE(d.ClientEdit()->text(), QString("関東地方整備局"));
        QCOMPARE(d.DatumEdit()->text(), QString("01"));
        QCOMPARE(recent.files, QStringList{site});
        QVERIFY(!d.HasUnsavedChanges());

        // A latitude out of range is refused and the cell keeps the old value;
        // one typed with colons is taken in the tidy form.
        TypeInCell(t, 1, CSiteSectionDlg::kLatitudeColumn, "35 61 0");
        QCOMPARE(QString::fromStdString(shown.texts.back()), QString("緯度は 0 度から 90 度まで、分と秒は 60 未満です: 35 61 0"));
        QCOMPARE(t->item(1, CSiteSectionDlg::kLatitudeColumn)->text(), QString());
        TypeInCell(t, 1, CSiteSectionDlg::kLatitudeColumn, "35:40:12.3");
        QCOMPARE(t->item(1, CSiteSectionDlg::kLatitudeColumn)->text(), QString("35 40 12.3"));
        QCOMPARE(shown.texts.size(), size_t(1));
        QVERIFY(d.HasUnsavedChanges());

        // Closing with the change unsaved asks first; "No" keeps the dialog.
        shown.answers.push_back(MessageAnswer::No);
        QTest::keyClick(&d, Qt::Key_Escape);
        QVERIFY(d.isVisible());
        QCOMPARE(QString::fromStdString(shown.texts.back()),
                 QString("地点一覧の変更は保存されていません。保存しないで進めてよいですか？"));

        QVERIFY(d.SaveSite(site));
        QVERIFY(!d.HasUnsavedChanges());
        const std::string saved = ReadFileBytes(site.toStdString()).value_or("");
        QVERIFY(saved.find("sheet=c.vkr\r\nat=10\r\nlatitude=35 40 12.3\r\n") != std::string::npos);

        // Delivered from the button's path; a second time only when the user says so.
        const QString out = dir_.filePath("out");
        QVERIFY(d.DeliverTo(out));
        // The fixtures have no test date: the report says so after the folder.
        const QString report = QString::fromStdString(shown.texts.back());
        QVERIFY2(report.startsWith("電子納品を書きました: " + QDir::toNativeSeparators(out) + " (2 地点)\n" +
                                   QDir::toNativeSeparators(dir_.filePath("survey/a.vkr")) +
                                   ": 試験年月日 (見出し 6〜9) が日付になりません"),
                 qPrintable(report));
        const std::string xml = ReadFileBytes((out + "/BORING/TEST/SIT0002/TS000001.XML").toStdString()).value_or("");
        QVERIFY(xml.find(Cp932Literal("<緯度_秒>12.3</緯度_秒>")) != std::string::npos);
        QVERIFY(xml.find(Cp932Literal("<発注機関名称>関東地方整備局</発注機関名称>")) != std::string::npos);
        QVERIFY(ReadFileBytes((out + "/BORING/TEST/SIT0001/TS000001.PDF").toStdString()).value_or("").starts_with("%PDF"));
        d.FirstSiteBox()->setValue(3);
        shown.answers.push_back(MessageAnswer::No);
        QVERIFY(!d.DeliverTo(out));
        QCOMPARE(QString::fromStdString(shown.texts.back()), QDir::toNativeSeparators(out) + ": フォルダがもうあります\n置き換えますか？");
        QVERIFY(!QFile::exists(out + "/BORING/TEST/SIT0003"));
        shown.answers.push_back(MessageAnswer::Yes);
        QVERIFY(d.DeliverTo(out));
        QVERIFY(QFile::exists(out + "/BORING/TEST/SIT0004/TS000001.XML"));
        QVERIFY(!QFile::exists(out + "/BORING/TEST/SIT0001"));
    }

    void saysWhichPointsTheSectionDraws() {
        MessageRecorder shown;
        CSiteSectionDlg d(Settings());
        d.show();
        // The sheet open in the window comes in even without a ground elevation.
        std::string flat = "$$_VSKTARVO100\r\n$$Z\r\n";
        for (int i = 1; i <= 70; ++i) flat += "\r\n";
        flat += "$$A\r\n$$C\r\n5,10,10,5,\r\n$$c\r\n";
        const QString flatPath = Write("open.vkr", flat);
        QVERIFY(d.AddOpenSheet(flatPath));
        QCOMPARE(d.Note()->text(), flatPath + ": 地盤高 (見出し 13) がありません");
        QVERIFY(shown.texts.empty());
        QTest::mouseClick(d.ByDepthBox(), Qt::LeftButton);
        QVERIFY(d.ByDepthBox()->isChecked());
        QStringList many;
        for (int i = 0; i < 34; ++i) many << Fixture("a.vkr");
        QVERIFY(d.AddFiles(many));
        QCOMPARE(d.Table()->rowCount(), 35);
        QCOMPARE(d.DrawnNote()->text(), QString("断面図には 1〜30 地点目を描きます (全 35 地点、一度に 30 地点まで)"));
        QCOMPARE(d.Note()->text(), QString());
        QCOMPARE(d.FirstDrawnBox()->maximum(), 6);
        d.FirstDrawnBox()->setFocus();
        QTest::keyClick(d.FirstDrawnBox(), Qt::Key_PageUp);  // ten up, held at the last start
        QCOMPARE(d.DrawnNote()->text(), QString("断面図には 6〜35 地点目を描きます (全 35 地点、一度に 30 地点まで)"));
        // Closing a list never saved asks, "Yes" lets it go.
        shown.answers.push_back(MessageAnswer::Yes);
        d.reject();
        QVERIFY(!d.isVisible());
    }
};

}  // namespace vosk

QTEST_MAIN(vosk::SiteSectionDlgTest)
#include "site_section_dlg_test.moc"
