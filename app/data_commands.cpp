#include "app/data_commands.h"

#include <QString>
#include <memory>

#include "app/profile.h"
#include "app/vosk_doc.h"
#include "entry/blow_rules.h"
#include "entry/heading_form.h"
#include "platform/message_service.h"
#include "settings/settings_store.h"
#include "survey/data_sheet.h"
#include "ui/entry/blow_check_dlg.h"
#include "ui/entry/blow_data_dlg.h"
#include "ui/entry/heading_dlg.h"
#include "ui/entry/page_footer_dlg.h"
#include "ui/soil/jacic_soil_dlg.h"
#include "ui/soil/soil_name_dlg.h"
#include "ui/widgets/grid_dialog.h"

namespace vosk {

DataCommands::DataCommands(CVoskDoc& doc, SettingsStore& settings, AutoCalcSwitches& autoCalc, QWidget* parent)
    : doc_(doc), settings_(settings), autoCalc_(autoCalc), parent_(parent) {}

template <typename Run>
void DataCommands::Edit(const QString& name, Run run) {
    // What the survey would be saved as, to tell whether the dialog changed
    // it, and the survey itself for the step back.
    auto before = std::make_unique<SurveyData>(doc_.Survey());
    const std::string beforeText = FormatDataSheet(*before, {});
    keptInProgress_ = false;
    run();
    if (FormatDataSheet(doc_.Survey(), {}) != beforeText)
        doc_.RecordChange(name, std::move(before));
    else if (keptInProgress_)
        doc_.ResetRecovery();  // the copy goes back to the survey as it is
}

void DataCommands::OnHeading() {
    Edit(QStringLiteral("見出し"), [this] {
        SurveyData& survey = doc_.Survey();
        CHeadingDlg dialog(LoadHeadingForm(survey.heading), settings_, parent_);
        if (dialog.exec() == QDialog::Accepted) StoreHeadingForm(dialog.Form(), survey.heading);
    });
}

void DataCommands::OnPageFooter() {
    Edit(QStringLiteral("ページ"), [this] {
        SurveyData& survey = doc_.Survey();
        DetectPaperSize(settings_);
        CPageFooterDlg dialog(LoadFooterForm(survey.heading), settings_.paperWidthMm, settings_.paperHeightMm,
                              settings_, parent_);
        if (dialog.exec() == QDialog::Accepted) StoreFooterForm(dialog.Form(), survey.heading);
    });
}

void DataCommands::RunGridDialog(GridDialog& dialog) {
    // A table typed for an hour survives a crash before OK: every change
    // of the grid keeps what OK would store as the recovery copy.
    QObject::connect(&dialog, &GridDialog::TableEdited, &dialog, [this, &dialog] {
        auto inProgress = std::make_unique<SurveyData>(doc_.Survey());
        // A trial store: its reports are for the real OK.
        MessageRecorder silent;
        if (dialog.StoreInto(*inProgress)) {
            doc_.KeepRecoveryOf(*inProgress);
            keptInProgress_ = true;
        }
    });
    dialog.exec();
}

void DataCommands::OnBlowData(int line) {
    Edit(QStringLiteral("測定データ"), [this, line] {
        CBlowDataDlg dialog(doc_.Survey(), autoCalc_, settings_, parent_);
        dialog.Grid()->GoToLine(line);
        RunGridDialog(dialog);
    });
}

void DataCommands::OnCheckData() {
    const QString key = QStringLiteral("Check/ConvertedN");
    CBlowCheckDlg dialog(doc_.Survey(), Profile().value(key, QString::fromUtf8(kDefaultRelation.data(), kDefaultRelation.size())).toString(),
                         parent_);
    QObject::connect(&dialog, &CBlowCheckDlg::RelationAccepted, &dialog,
                     [key](const QString& relation) { Profile().setValue(key, relation); });
    QObject::connect(&dialog, &CBlowCheckDlg::BlowRowRequested, &dialog, [this, &dialog](int row) {
        OnBlowData(row);
        dialog.Refresh();
    });
    dialog.exec();
}

void DataCommands::OnJacicSoilName() {
    Edit(QStringLiteral("JACIC土質名"), [this] {
        CJacicSoilDlg dialog(doc_.Survey(), settings_, parent_);
        RunGridDialog(dialog);
    });
}

void DataCommands::OnSoilName() {
    Edit(QStringLiteral("土質名"), [this] {
        CSoilNameDlg dialog(doc_.Survey(), settings_, parent_);
        RunGridDialog(dialog);
    });
}

}  // namespace vosk
