#pragma once
// "表示桁数 項目名": the decimals the data table shows for N, depth, Δh and
// Nd, and the item name of the Nd column. It edits a copy; the view stores
// it after OK.

#include <QDialog>

#include "settings/settings_rules.h"

class QComboBox;
class QLineEdit;

namespace vosk {

struct SettingsStore;

class CDigitsDlg : public QDialog {
    Q_OBJECT
public:
    CDigitsDlg(const DigitsForm& form, const SettingsStore& settings, QWidget* parent = nullptr);

    const DigitsForm& Form() const { return form_; }

    void accept() override;

private:
    void Show(const DigitsForm& form);

    DigitsForm form_;
    QComboBox* n_ = nullptr;          // 1056
    QComboBox* depth_ = nullptr;      // 1057
    QComboBox* increment_ = nullptr;  // 1058
    QComboBox* nd_ = nullptr;         // 1059
    QComboBox* ndItem_ = nullptr;     // 1019
    QLineEdit* style2N_ = nullptr;    // 1000
    QLineEdit* style2Nd_ = nullptr;   // 1003
};

}  // namespace vosk
