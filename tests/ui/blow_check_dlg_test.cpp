// The check window: findings and converted N of the survey, the relation
// typed above the lists, and the way from a finding to its blow row.

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <memory>

#include "app/command_table.h"
#include "app/main_frame.h"
#include "app/vosk_doc.h"
#include "app/vosk_view.h"
#include "entry/converted_n.h"
#include "platform/message_service.h"
#include "settings/settings_store.h"
#include "tests/ui/modal_closer.h"
#include "ui/entry/blow_check_dlg.h"
#include "ui/entry/blow_data_dlg.h"

namespace vosk {
namespace {

void SetRows(SurveyData& survey, std::initializer_list<std::array<const char*, 4>> rows) {
    ClearBlowRows(survey);
    int r = 0;
    for (const auto& row : rows)
        for (int f = 1; f <= 4; ++f) survey.blow[r + 1][f] = row[f - 1], r += f == 4;
}

QStringList Column(QTableWidget* list, int column) {
    QStringList texts;
    for (int r = 0; r < list->rowCount(); ++r) texts << (list->item(r, column) ? list->item(r, column)->text() : "");
    return texts;
}

void DoubleClick(QTableWidget* list, int line, int column) {
    // What the window system delivers for a double click.
    const QPoint at = list->visualItemRect(list->item(line, column)).center();
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
}

void TypeRelation(CBlowCheckDlg& d, const QString& text) {
    d.RelationField()->setFocus();
    d.RelationField()->selectAll();
    d.RelationField()->insert(text);
    QTest::keyClick(d.RelationField(), Qt::Key_Return);
}

}  // namespace

class BlowCheckDlgTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        qputenv("VOSK_DRIVES", dir_.filePath("drives").toUtf8());
        qputenv("XDG_CONFIG_HOME", dir_.filePath("config").toUtf8());
        LoadSettings(Settings(), *std::make_unique<SurveyData>(), false);
    }

    void listsTheFindingsAndTheConvertedNOfEveryRow() {
        auto survey = std::make_unique<SurveyData>();
        SetRows(*survey,
                {{"5", "10", "10", "5"}, {"7", "20", "10", "8"}, {"0", "30", "10", "0"}, {"4", "760", "730", "0.0548"}});
        CBlowCheckDlg d(*survey, "nd/1.5");
        QCOMPARE(d.windowTitle(), QString("データのチェック (3 件)"));
        QCOMPARE(Column(d.Findings(), 0), (QStringList{"エラー", "情報", "警告"}));
        QCOMPARE(Column(d.Findings(), 1), (QStringList{"2", "3", "4"}));
        // Each finding says what it compared.
        QCOMPARE(Column(d.Findings(), 2), (QStringList{"Nd 8 は 10N/Δh = 7 と違います", "自沈 (貫入量 10 cm)",
                                                       "貫入量 730 cm が他の行 (中央値 10 cm) と大きく違います"}));
        QCOMPARE(Column(d.Rows(), 4), (QStringList{"5", "8", "0", "0.0548"}));
        QCOMPARE(Column(d.Rows(), 5), (QStringList{"3.33", "5.33", "0.00", "0.04"}));

        survey->blow[2][4] = "7";
        survey->blow[3][1] = "";  // the table ends at row 2
        d.Refresh();
        QCOMPARE(d.windowTitle(), QString("データのチェック (0 件)"));
        QCOMPARE(Column(d.Findings(), 2), QStringList{"問題はありません"});
        QCOMPARE(Column(d.Rows(), 5), (QStringList{"3.33", "4.67"}));
    }

    void aRelationThatDoesNotParseIsRefusedWhereItIsTyped() {
        auto survey = std::make_unique<SurveyData>();
        SetRows(*survey, {{"5", "10", "10", "5"}});
        // A remembered relation that no longer parses gives way to the default.
        QCOMPARE(CBlowCheckDlg(*survey, "nd*").Relation(), QString("nd/1.5"));

        CBlowCheckDlg d(*survey, "2+0.5*nd");
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        QSignalSpy accepted(&d, &CBlowCheckDlg::RelationAccepted);
        QCOMPARE(Column(d.Rows(), 5), QStringList{"4.50"});
        {
            MessageRecorder messages;
            TypeRelation(d, "nd*2");
            QCOMPARE(messages.texts, std::vector<std::string>{std::string(kBadRelationMessage)});
        }
        QCOMPARE(d.RelationField()->text(), QString("2+0.5*nd"));
        QCOMPARE(accepted.count(), 0);

        TypeRelation(d, "nd/2");
        QCOMPARE(accepted.count(), 1);
        QCOMPARE(accepted.at(0).at(0).toString(), QString("nd/2"));
        QCOMPARE(Column(d.Rows(), 5), QStringList{"2.50"});
        // Enter took the relation; the window stays.
        QVERIFY(d.isVisible());

        // Typed and closed without Enter: neither taken nor refused.
        MessageRecorder messages;
        d.RelationField()->setFocus();
        d.RelationField()->selectAll();
        d.RelationField()->insert("nd*");
        QTest::keyClick(d.RelationField(), Qt::Key_Escape);
        QVERIFY(!d.isVisible());
        QVERIFY(messages.texts.empty());
        QCOMPARE(accepted.count(), 1);
        QCOMPARE(d.Relation(), QString("nd/2"));
    }

    void theMenuCommandLeadsFromAFindingToItsRowAndRemembersTheRelation() {
        MessageRecorder messages;
        const QString path = dir_.filePath("check.vkr");
        std::ofstream(path.toStdString(), std::ios::binary)
            << "$$_VSKTARVO100\r\n$$C\r\n5,10,10,5,\r\n7,20,10,8,\r\n4,30,10,4,\r\n";
        CVoskDoc doc;
        CMainFrame frame(&doc);
        frame.View()->OnInitialUpdate();
        QVERIFY(doc.OpenDocumentFile(path));
        QAction* check = frame.Action(command::kCheckData);
        frame.UpdateCommandUi();
        QVERIFY(check->isEnabled());
        QCOMPARE(check->text(), QString("データのチェック(&C)"));

        bool drivenCheck = false, drivenBlow = false;
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<CBlowCheckDlg*>(QApplication::activeModalWidget());
            QVERIFY(d);
            test::ModalCloser closer{d};
            QVERIFY(QTest::qWaitForWindowActive(d));
            QCOMPARE(d->windowTitle(), QString("データのチェック (1 件)"));
            TypeRelation(*d, "nd/2");
            QTimer::singleShot(0, [&] {
                auto* b = qobject_cast<CBlowDataDlg*>(QApplication::activeModalWidget());
                QVERIFY(b);
                test::ModalCloser closer{b};
                QCOMPARE(b->Grid()->CurrentLine(), 2);
                QCOMPARE(b->Field(1)->text(), QString("7"));
                // Nd is derived on OK: the wrong 8 becomes 7.
                b->OkButton()->click();
                drivenBlow = true;
            });
            DoubleClick(d->Findings(), 0, 2);
            QVERIFY(drivenBlow);
            QCOMPARE(Column(d->Findings(), 2), QStringList{"問題はありません"});
            drivenCheck = true;
        });
        check->trigger();
        QVERIFY(drivenCheck);
        QCOMPARE(doc.Survey().blow[2][4], FieldText("7"));
        QVERIFY(messages.texts.empty());

        // The next opening starts from the relation typed last.
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<CBlowCheckDlg*>(QApplication::activeModalWidget());
            QVERIFY(d);
            QCOMPARE(d->RelationField()->text(), QString("nd/2"));
            d->reject();
        });
        check->trigger();
    }
};

}  // namespace vosk

QTEST_MAIN(vosk::BlowCheckDlgTest)
#include "blow_check_dlg_test.moc"
