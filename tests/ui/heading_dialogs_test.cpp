// The heading and the page-footer dialogs, driven through their widgets.

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "platform/cp932.h"
#include "platform/message_service.h"
#include "platform/string_table.h"
#include "settings/settings_store.h"
#include "survey/field_check.h"
#include "ui/entry/heading_dlg.h"
#include "ui/entry/page_footer_dlg.h"
#include "ui/widgets/dialog_support.h"

namespace vosk {

class HeadingDialogsTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    HeadingFields heading_;

    template <typename T>
    static T* Child(QDialog& d, const QString& name) {
        T* w = d.findChild<T*>(name);
        if (!w) qFatal("no control %s", qPrintable(name));
        return w;
    }
    // Focus moves only inside the active window.
    static void Show(QDialog& d) {
        d.show();
        d.activateWindow();
        if (!QTest::qWaitForWindowActive(&d)) qFatal("dialog not active");
    }
    static void Ok(QDialog& d) { d.findChild<QDialogButtonBox*>()->buttons().first()->click(); }
    static void Type(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        // As an input method commits it: the whole text at once.
        edit->insert(text);
        QTest::keyClick(edit, Qt::Key_Tab);
    }
    HeadingFields RunHeading(const std::function<void(CHeadingDlg&)>& act, int* result = nullptr) {
        CHeadingDlg dialog(LoadHeadingForm(heading_), Settings());
        Show(dialog);
        act(dialog);
        HeadingFields h = heading_;
        if (dialog.result() == QDialog::Accepted) StoreHeadingForm(dialog.Form(), h);
        if (result) *result = dialog.isVisible() ? -1 : dialog.result();
        return h;
    }

private slots:
    void initTestCase() {
        qputenv("VOSK_DRIVES", dir_.filePath("drives").toUtf8());
        Settings().sheet.enterKeyMode = 0;
        LoadSettings(Settings(), *std::make_unique<SurveyData>(), false);
    }
    void init() { heading_ = HeadingFields{}; }

    void standardExampleSelectsStyle1() {
        heading_[heading::kSheetStyle] = "1";
        HeadingFields h = RunHeading([](CHeadingDlg& d) {
            QVERIFY(Child<QRadioButton>(d, "style1")->isChecked());
            Child<QPushButton>(d, "standard")->click();
            QCOMPARE(Child<QLineEdit>(d, HeadingFieldName(heading::kDepthScale))->text(), QString("20"));
            Ok(d);
        });
        QCOMPARE(h[heading::kSheetStyle], std::string("0"));
        QCOMPARE(h[heading::kDepthScale], std::string("20"));
        QCOMPARE(h[heading::kNdScale], std::string("10"));
        QCOMPARE(h[heading::kRowsPerPage], std::string("0"));  // empty field 38 opened on the first choice
    }

    void enterInAnEditableComboMovesOnAsInAPlainField() {
        Settings().sheet.enterKeyMode = 1;  // "次に移動"
        RunHeading([](CHeadingDlg& d) {
            for (int field : {heading::kTester, heading::kWeather}) {
                auto* combo = Child<QComboBox>(d, HeadingFieldName(field));
                combo->setFocus();
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                QWidget* now = QApplication::focusWidget();
                QVERIFY2(now != combo && !combo->isAncestorOf(now), qPrintable(HeadingFieldName(field)));
                QVERIFY(d.isVisible());
            }
            d.reject();
        });
        Settings().sheet.enterKeyMode = 0;
    }

    void depthScaleMustBeAWholeNumber() {
        for (const char* bad : {"abc", "", "12x", "1.5"}) {
            MessageRecorder messages;
            int result = 0;
            RunHeading([&](CHeadingDlg& d) {
                Child<QLineEdit>(d, HeadingFieldName(heading::kDepthScale))->setText(QString::fromUtf8(bad));
                Ok(d);
            }, &result);
            QCOMPARE(result, -1);  // still open
            QCOMPARE(messages.texts, std::vector<std::string>{std::string(MessageText(61712))});
        }
        HeadingFields h = RunHeading([](CHeadingDlg& d) {
            Child<QLineEdit>(d, HeadingFieldName(heading::kDepthScale))->setText(" 0020\t");
            Ok(d);
        });
        QCOMPARE(h[heading::kDepthScale], std::string("20"));
    }

    void weatherTesterAndCancel() {
        heading_[heading::kWeather] = "\x90\xb0";  // 晴
        HeadingFields h = RunHeading([](CHeadingDlg& d) {
            auto* weather = Child<QComboBox>(d, HeadingFieldName(heading::kWeather));
            QCOMPARE(weather->currentText(), QString("晴"));
            weather->setCurrentIndex(weather->count() - 1);  // the empty item
            auto* tester = Child<QComboBox>(d, HeadingFieldName(heading::kTester));
            QVERIFY(tester->count() >= 2);                   // the master list and "　"
            QCOMPARE(tester->itemText(tester->count() - 1), QString("　"));
            Ok(d);
        });
        QCOMPARE(h[heading::kWeather], std::string());
        heading_[heading::kSurveyName1] = "old";
        h = RunHeading([](CHeadingDlg& d) {
            Child<QLineEdit>(d, HeadingFieldName(heading::kSurveyName1))->setText("new");
            d.reject();
        });
        QCOMPARE(h[heading::kSurveyName1], std::string("old"));
    }

    void untouchedFieldsKeepTheirBytes() {
        // A byte that does not decode, and a character CP932 holds twice.
        heading_[heading::kSurveyName1] = "a\x81";
        heading_[heading::kSurveyName2] = "\xed\x40";
        heading_[heading::kRemark1] = "\xfa\x40";
        MessageRecorder messages;
        int result = 0;
        HeadingFields h = RunHeading([](CHeadingDlg& d) {
            Child<QLineEdit>(d, HeadingFieldName(heading::kSurveyName1))->setFocus();
            Child<QLineEdit>(d, HeadingFieldName(heading::kSurveyName2))->setFocus();  // passing through does not change them
            Child<QLineEdit>(d, HeadingFieldName(heading::kPointNumber))->setText("P-1");
            Ok(d);
        }, &result);
        QCOMPARE(result, int(QDialog::Accepted));
        QVERIFY(messages.texts.empty());
        QCOMPARE(h[heading::kPointNumber], std::string("P-1"));
        QCOMPARE(h[heading::kSurveyName1], heading_[heading::kSurveyName1]);
        QCOMPARE(h[heading::kSurveyName2], heading_[heading::kSurveyName2]);
        QCOMPARE(h[heading::kRemark1], heading_[heading::kRemark1]);
    }

    void textTheSheetCannotCarryIsRefusedAndKeptToBeMended() {
        MessageRecorder messages;
        heading_[heading::kSurveyName1] = "survey";
        int result = 0;
        HeadingFields h = RunHeading([&](CHeadingDlg& d) {
            auto* name = Child<QLineEdit>(d, HeadingFieldName(heading::kSurveyName1));
            auto* name2 = Child<QLineEdit>(d, HeadingFieldName(heading::kSurveyName2));
            Type(name, "cost $$5");
            // Told once, the typed text kept with what cannot be held selected.
            QCOMPARE(messages.texts, std::vector<std::string>{CheckEnteredText("$$", FieldKind::Heading).refusal});
            QCOMPARE(name->text(), QString("cost $$5"));
            QCOMPARE(name->selectedText(), QString("$$"));
            QCOMPARE(QApplication::focusWidget(), name);
            // Going on without mending tells no more; OK does, and stays.
            Type(name2, "北の台地");
            QCOMPARE(messages.texts.size(), size_t(1));
            Ok(d);
            QCOMPARE(messages.texts.size(), size_t(2));
            QVERIFY(d.isVisible());
            QCOMPARE(name->selectedText(), QString("$$"));
            // One key mends it.
            QTest::keyClick(name, Qt::Key_Delete);
            QCOMPARE(name->text(), QString("cost 5"));
            // A character CP932 cannot hold is selected the same way.
            Type(name2, "北の한국台地");
            QCOMPARE(messages.texts.size(), size_t(3));
            QCOMPARE(name2->text(), QString("北の한국台地"));
            QCOMPARE(name2->selectedText(), QString("한"));
            name2->setText("北の台地");
            Ok(d);
        }, &result);
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(messages.texts.size(), size_t(3));
        QCOMPARE(h[heading::kSurveyName1], std::string("cost 5"));
        QCOMPARE(h[heading::kSurveyName2], *Utf8ToCp932("北の台地"));
    }

    void footerOpensWithTheStandardSettings() {
        struct Case {
            int width;
            QString centre, left;
        } cases[] = {{210, "105", "105"}, {420, "210", "150"}};
        for (const Case& c : cases) {
            CPageFooterDlg d(LoadFooterForm(heading_), c.width, 297, Settings());
            QCOMPARE(Child<QLineEdit>(d, HeadingFieldName(heading::kFooterCentreMm))->text(), c.centre);
            QCOMPARE(Child<QLineEdit>(d, HeadingFieldName(heading::kFooterLeftMm))->text(), c.left);
            QCOMPARE(Child<QLineEdit>(d, HeadingFieldName(heading::kFooterTopMm))->text(), QString("281"));
            QCOMPARE(Child<QLineEdit>(d, HeadingFieldName(heading::kFooterBelowLineMm))->text(), QString("2.0"));
            QVERIFY(!Child<QLineEdit>(d, HeadingFieldName(heading::kFooterTopMm))->isEnabled());  // "下線から"
            QVERIFY(!Child<QLineEdit>(d, HeadingFieldName(heading::kFooterLeftMm))->isEnabled());  // "用紙左右中央"
        }
    }

    void footerTextsBeforeAndAfter() {
        heading_[heading::kFooterStartPage] = "1";
        heading_[heading::kFooterTopMm] = "10";
        CPageFooterDlg d(LoadFooterForm(heading_), 210, 297, Settings());
        Show(d);
        auto* before = Child<QComboBox>(d, HeadingFieldName(heading::kFooterBefore));
        auto* after = Child<QComboBox>(d, HeadingFieldName(heading::kFooterAfter));
        before->setCurrentIndex(0);  // "   <無し>"
        before->lineEdit()->setFocus();
        Child<QLineEdit>(d, HeadingFieldName(heading::kFooterStartPage))->setFocus();
        QCOMPARE(before->currentText(), QString());
        before->setEditText("(");
        before->lineEdit()->setFocus();
        Child<QLineEdit>(d, HeadingFieldName(heading::kFooterStartPage))->setFocus();
        QCOMPARE(after->currentText(), QString(")"));
        QCOMPARE(Child<QLineEdit>(d, "sample")->text(), QString("(1)"));
        after->setEditText("-");
        before->lineEdit()->setFocus();
        Child<QLineEdit>(d, HeadingFieldName(heading::kFooterStartPage))->setFocus();
        QCOMPARE(after->currentText(), QString("-"));
    }

    void footerOutsideThePaperOnlyWarns() {
        MessageRecorder messages;
        heading_[heading::kFooterFromBottomLine] = "0";
        heading_[heading::kFooterTopMm] = "281";
        heading_[heading::kFooterLeftMm] = "20";
        CPageFooterDlg d(LoadFooterForm(heading_), 210, 297, Settings());
        Show(d);
        QVERIFY(Child<QRadioButton>(d, "fromTop")->isChecked());
        Ok(d);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(messages.texts, std::vector<std::string>{FormatMessageText(133, "281")});
        HeadingFields h = heading_;
        StoreFooterForm(d.Form(), h);
        QCOMPARE(h[heading::kFooterTopMm], std::string("281"));
        QCOMPARE(h[heading::kFooterFromBottomLine], std::string("0"));
    }
};

}  // namespace vosk

QTEST_MAIN(vosk::HeadingDialogsTest)
#include "heading_dialogs_test.moc"
