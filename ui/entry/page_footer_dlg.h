#pragma once
// "ページ・フッタ": how the page number is written in the footer and where the
// footer stands on the paper, edited on a copy of the heading fields.

#include <QDialog>

#include "entry/heading_form.h"

class QButtonGroup;
class QComboBox;
class QLineEdit;

namespace vosk {

struct SettingsStore;

class CPageFooterDlg : public QDialog {
    Q_OBJECT
public:
    // `paperW` and `paperH` are the default printer's paper in mm.
    CPageFooterDlg(const FooterForm& form, int paperW, int paperH, const SettingsStore& settings,
                   QWidget* parent = nullptr);
    const FooterForm& Form() const { return form_; }

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowForm();
    bool TakeTexts(FooterForm& f);
    void UpdateSample();
    void UpdateEnabling();
    void OnStandard();
    void OnLeaveBefore();

    FooterForm form_;
    int paperW_;
    int topLimit_;  // H − 16
    QComboBox* before_;
    QLineEdit* startPage_;
    QComboBox* after_;
    QLineEdit* sample_;
    QButtonGroup* vertical_;
    QLineEdit* topMm_;
    QLineEdit* belowLineMm_;
    QButtonGroup* horizontal_;
    QLineEdit* leftMm_;
    QLineEdit* centreMm_;
};

}  // namespace vosk
