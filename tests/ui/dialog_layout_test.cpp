// Every text of the settings and data dialogs shows whole on one line, at
// the default font and at 125 % scaling (the test runs at both).

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <functional>
#include <memory>

#include "entry/heading_form.h"
#include "platform/message_service.h"
#include "settings/digits_rules.h"
#include "settings/layout_rules.h"
#include "settings/line_style_rules.h"
#include "settings/settings_store.h"
#include "ui/entry/blow_check_dlg.h"
#include "ui/entry/heading_dlg.h"
#include "ui/entry/page_footer_dlg.h"
#include "ui/section/site_section_dlg.h"
#include "ui/settings/digits_dlg.h"
#include "ui/settings/enter_key_dlg.h"
#include "ui/settings/layout_dlg.h"
#include "ui/settings/line_style_dlg.h"
#include "ui/settings/settings_services.h"
#include "ui/settings/setup_dlg.h"

namespace vosk {

class DialogLayoutTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    // Labels and buttons: the text fits the width and takes one line.
    // Combo boxes: every item fits beside the arrow.
    static void CheckTextsWhole(QDialog& dialog) {
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        for (QLabel* label : dialog.findChildren<QLabel*>()) {
            const QString text = label->text();
            if (!label->isVisible() || text.isEmpty() || text.contains('\n')) continue;
            const QFontMetrics fm(label->font());
            QVERIFY2(label->contentsRect().width() >= fm.horizontalAdvance(text), qPrintable(text));
            if (label->wordWrap())
                QVERIFY2(label->heightForWidth(label->contentsRect().width()) < 2 * fm.lineSpacing(), qPrintable(text));
        }
        for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
            if (!button->isVisible() || button->text().isEmpty()) continue;
            QVERIFY2(button->width() >= button->minimumSizeHint().width(), qPrintable(button->text()));
        }
        for (QComboBox* combo : dialog.findChildren<QComboBox*>()) {
            if (!combo->isVisible() || combo->count() == 0) continue;
            // Its size hint makes room for the longest item beside the arrow,
            // and a typed text fits its field.
            QVERIFY2(combo->width() >= combo->sizeHint().width(), qPrintable(combo->objectName()));
            if (QLineEdit* edit = combo->lineEdit())
                QVERIFY2(edit->width() >= QFontMetrics(edit->font()).horizontalAdvance(combo->currentText() + "  "),
                         qPrintable(combo->objectName() + ": " + combo->currentText()));
        }
        dialog.reject();
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        qputenv("VOSK_DRIVES", dir_.filePath("drives").toUtf8());
        MessageRecorder quiet;
        SurveyData survey;
        LoadSettings(Settings(), survey, false);
    }

    void everyDialogShowsItsTextsWhole() {
        MessageRecorder quiet;
        HeadingFields heading;
        heading[heading::kFooterBefore] = " -";
        heading[heading::kFooterAfter] = " -";
        auto survey = std::make_unique<SurveyData>();
        const std::function<std::unique_ptr<QDialog>()> dialogs[] = {
            [&] { return std::make_unique<CHeadingDlg>(LoadHeadingForm(heading), Settings()); },
            [&] { return std::make_unique<CPageFooterDlg>(LoadFooterForm(heading), 210, 297, Settings()); },
            [] { return std::make_unique<CDigitsDlg>(LoadDigitsForm(Settings().sheet), Settings()); },
            [] { return std::make_unique<CLayoutDlg>(LoadLayoutForm(Settings().sheet), Settings()); },
            [] {
                return std::make_unique<CLineStyleDlg>(LoadLineStyleForm(Settings().sheet), Settings(),
                                                       DefaultSettingsServices());
            },
            [] { return std::make_unique<CEnterKeyDlg>(1); },
            [] { return std::make_unique<CSetupDlg>(QStringLiteral("C"), QStringLiteral("\\Tarvogx\\Vosk2")); },
            [&] { return std::make_unique<CBlowCheckDlg>(*survey, QStringLiteral("nd/1.5")); },
            [] { return std::make_unique<CSiteSectionDlg>(Settings()); },
        };
        for (const auto& make : dialogs) {
            std::unique_ptr<QDialog> dialog = make();
            CheckTextsWhole(*dialog);
            if (QTest::currentTestFailed()) {
                qWarning() << "in" << dialog->windowTitle();
                return;
            }
        }
    }

    // "貫入量" and its unit stand on one line, in both columns.
    void digitsDialogKeepsTheIncrementCaptionOnOneLine() {
        CDigitsDlg dialog(LoadDigitsForm(Settings().sheet), Settings());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        int captions = 0;
        for (QLabel* label : dialog.findChildren<QLabel*>()) {
            if (label->text() != QStringLiteral("貫入量")) continue;
            ++captions;
            bool unitBeside = false;
            for (QLabel* unit : dialog.findChildren<QLabel*>())
                if ((unit->text() == "mm" || unit->text() == "cm") &&
                    std::abs(unit->geometry().center().y() - label->geometry().center().y()) < 4 &&
                    unit->parentWidget() == label->parentWidget() && unit->x() > label->x())
                    unitBeside = true;
            QVERIFY(unitBeside);
        }
        QCOMPARE(captions, 2);
    }

    // The stray caption above the two columns is gone.
    void layoutDialogHasNoCaptionAboveItsColumns() {
        CLayoutDlg dialog(LoadLayoutForm(Settings().sheet), Settings());
        for (QLabel* label : dialog.findChildren<QLabel*>()) QVERIFY(label->text() != QStringLiteral("様式1　様式2"));
    }
};

}  // namespace vosk

QTEST_MAIN(vosk::DialogLayoutTest)
#include "dialog_layout_test.moc"
