#pragma once
// "表示桁数 項目名": the decimals the data table shows for N, depth, Δh and
// Nd, and the item name of the Nd column. It edits a copy; the view stores
// it after OK.

#include <QDialog>

#include "settings/digits_rules.h"

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
    QComboBox* n_ = nullptr;
    QComboBox* depth_ = nullptr;
    QComboBox* increment_ = nullptr;
    QComboBox* nd_ = nullptr;
    QComboBox* ndItem_ = nullptr;
    QLineEdit* style2N_ = nullptr;
    QLineEdit* style2Nd_ = nullptr;
};

}  // namespace vosk
