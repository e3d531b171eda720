#pragma once
// "フォント": the six fonts the report sheet is drawn with. The dialog works
// on a copy of the fonts; OK commits it and writes Font1.ndx … Font6.ndx.

#include <QDialog>
#include <array>

#include "settings/settings_store.h"

class QLineEdit;

namespace vosk {

class SettingsServices;

class CFontSetDlg : public QDialog {
    Q_OBJECT
public:
    // `dpi`: the vertical resolution of the screen at 100 % (its logical
    // DPI), which turns sizes into the chooser's pixel heights and back; the
    // on-screen zoom has no part in it, so it never changes a setting.
    CFontSetDlg(SettingsStore& store, int dpi, SettingsServices& services, QWidget* parent = nullptr);

    // Font picks confirmed since the dialog opened.
    int Modified() const { return modified_; }
    const std::array<SheetFont, kSheetFontCount + 1>& Working() const { return working_; }

    void accept() override;
    void reject() override;

private:
    void Pick(int slot);
    void OnStandard();
    void Refresh();

    SettingsStore& store_;
    int dpi_;
    SettingsServices& services_;
    std::array<SheetFont, kSheetFontCount + 1> working_;
    int modified_ = 0;
    std::array<QLineEdit*, kSheetFontCount + 1> faces_{};
    std::array<QLineEdit*, kSheetFontCount + 1> sizes_{};
    std::array<QLineEdit*, kSheetFontCount + 1> colours_{};
};

}  // namespace vosk
