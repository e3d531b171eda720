#pragma once
// The settings menu's commands and the guide. Layout, line style, digits and
// Enter key store their copies and save Sys.ndx at once; the font, set-up
// and master list dialogs write their own files. The caller repaints the
// view afterwards, however the dialog ended.

class QWidget;

namespace vosk {

class CVoskDoc;
class SettingsServices;
struct SettingsStore;

class SettingsCommands {
public:
    SettingsCommands(CVoskDoc& doc, SettingsStore& settings, QWidget* parent);

    // The colour and font choosers and the editor start the dialogs use;
    // nullptr restores the system ones.
    void SetServices(SettingsServices* services) { services_ = services; }

    void OnEngineers();
    void OnRemarks();
    void OnLayout();
    void OnLineStyle();
    void OnDigits();
    // `dpiY`: the screen's resolution at 100 % (its logical DPI).
    void OnFontSet(int dpiY);
    void OnEnterKey();
    void OnSetup();
    void OnGuide();

private:
    SettingsServices& Services() const;
    void SaveSheetSettings() const;

    CVoskDoc& doc_;
    SettingsStore& settings_;
    QWidget* parent_;
    SettingsServices* services_ = nullptr;
};

}  // namespace vosk
