#include "app/settings_commands.h"

#include "app/vosk_doc.h"
#include "platform/drive_map.h"
#include "platform/message_service.h"
#include "settings/digits_rules.h"
#include "settings/layout_rules.h"
#include "settings/line_style_rules.h"
#include "settings/setup_rules.h"
#include "settings/settings_store.h"
#include "ui/settings/digits_dlg.h"
#include "ui/settings/enter_key_dlg.h"
#include "ui/settings/font_set_dlg.h"
#include "ui/settings/guide_dlg.h"
#include "ui/settings/layout_dlg.h"
#include "ui/settings/line_style_dlg.h"
#include "ui/settings/master_list_dlg.h"
#include "ui/settings/settings_services.h"
#include "ui/settings/setup_dlg.h"
#include "ui/widgets/field_guard.h"

namespace vosk {

SettingsCommands::SettingsCommands(CVoskDoc& doc, SettingsStore& settings, QWidget* parent)
    : doc_(doc), settings_(settings), parent_(parent) {}

SettingsServices& SettingsCommands::Services() const { return services_ ? *services_ : DefaultSettingsServices(); }

// Saves Sys.ndx, or says which file could not be written.
void SettingsCommands::SaveSheetSettings() const {
    if (!SaveSettings(settings_, settings_.sysPath))
        ShowMessage(SaveFailedText({PathToUtf8(RealPath(settings_.sysPath))}));
}

void SettingsCommands::OnEngineers() {
    CEngineerMasterDlg dialog(settings_, parent_);
    dialog.exec();
}

void SettingsCommands::OnRemarks() {
    CRemarkMasterDlg dialog(settings_, parent_);
    dialog.exec();
}

void SettingsCommands::OnLayout() {
    CLayoutDlg dialog(LoadLayoutForm(settings_.sheet), settings_, parent_);
    if (dialog.exec() == QDialog::Accepted && StoreLayoutForm(dialog.Form(), settings_.sheet) == 0) SaveSheetSettings();
}

void SettingsCommands::OnLineStyle() {
    CLineStyleDlg dialog(LoadLineStyleForm(settings_.sheet), settings_, Services(), parent_);
    if (dialog.exec() == QDialog::Accepted && StoreLineStyleForm(dialog.Form(), settings_.sheet) == 0)
        SaveSheetSettings();
}

void SettingsCommands::OnDigits() {
    CDigitsDlg dialog(LoadDigitsForm(settings_.sheet), settings_, parent_);
    if (dialog.exec() == QDialog::Accepted) {
        StoreDigitsForm(dialog.Form(), settings_.sheet);
        SaveSheetSettings();
    }
}

void SettingsCommands::OnFontSet(int dpiY) {
    CFontSetDlg dialog(settings_, dpiY, Services(), parent_);
    dialog.exec();
}

void SettingsCommands::OnEnterKey() {
    CEnterKeyDlg dialog(settings_.sheet.enterKeyMode, parent_);
    // With no choice selected (a setting outside the three) OK keeps it.
    if (dialog.exec() == QDialog::Accepted && dialog.Mode() >= 0) {
        settings_.sheet.enterKeyMode = dialog.Mode();
        SaveSheetSettings();
    }
}

void SettingsCommands::OnSetup() {
    CSetupDlg dialog(FieldToQString(settings_.installDrive), FieldToQString(settings_.installFolderPath), parent_);
    if (dialog.exec() != QDialog::Accepted) return;
    std::optional<InstallLocation> location;
    FieldText drive, folder;
    if (TakeFieldText(dialog.Drive(), FieldKind::Heading, nullptr, drive) &&
        TakeFieldText(dialog.Folder(), FieldKind::Heading, nullptr, folder)) {
        location = CheckInstallLocation(drive, folder);
        if (!location) ShowMessage(std::string(kBadPathText));
    }
    if (location && !ChangeInstallLocation(settings_, doc_.Survey(), *location))
        ShowMessage(SaveFailedText({PathToUtf8(RealPath(LocationFileWindowsPath()))}));
}

void SettingsCommands::OnGuide() {
    CGuideDlg dialog(settings_, Services(), parent_);
    dialog.exec();
}

}  // namespace vosk
