#include "app/data_commands.h"

#include "app/vosk_doc.h"
#include "entry/blow_rules.h"
#include "entry/heading_form.h"
#include "settings/settings_store.h"
#include "ui/entry/blow_data_dlg.h"
#include "ui/entry/heading_dlg.h"
#include "ui/entry/page_footer_dlg.h"
#include "ui/soil/jacic_soil_dlg.h"
#include "ui/soil/soil_name_dlg.h"

namespace vosk {

DataCommands::DataCommands(CVoskDoc& doc, SettingsStore& settings, AutoCalcSwitches& autoCalc, QWidget* parent)
    : doc_(doc), settings_(settings), autoCalc_(autoCalc), parent_(parent) {}

void DataCommands::OnHeading() {
    SurveyData& survey = doc_.Survey();
    CHeadingDlg dialog(LoadHeadingForm(survey.heading), settings_, parent_);
    if (dialog.exec() == QDialog::Accepted) StoreHeadingForm(dialog.Form(), survey.heading);
}

void DataCommands::OnPageFooter() {
    SurveyData& survey = doc_.Survey();
    DetectPaperSize(settings_);
    CPageFooterDlg dialog(LoadFooterForm(survey.heading), settings_.paperWidthMm, settings_.paperHeightMm, settings_,
                          parent_);
    if (dialog.exec() == QDialog::Accepted) StoreFooterForm(dialog.Form(), survey.heading);
}

void DataCommands::OnBlowData() {
    CBlowDataDlg dialog(doc_.Survey(), autoCalc_, settings_, parent_);
    dialog.exec();
}

void DataCommands::OnJacicSoilName() {
    CJacicSoilDlg dialog(doc_.Survey(), settings_, parent_);
    dialog.exec();
}

void DataCommands::OnSoilName() {
    CSoilNameDlg dialog(doc_.Survey(), settings_, parent_);
    dialog.exec();
}

}  // namespace vosk
