#pragma once
// "線種 調査業者名": line widths, dashes and gaps, the colours of the table
// rules and the graph grids, colour or black-and-white rules, and the
// default company name. It edits a copy; the view stores it after OK.

#include <QDialog>
#include <QHash>

#include "settings/line_style_rules.h"

class QLineEdit;
class QRadioButton;

namespace vosk {

struct SettingsStore;

class SettingsServices;

class CLineStyleDlg : public QDialog {
    Q_OBJECT
public:
    CLineStyleDlg(const LineStyleForm& form, const SettingsStore& settings, SettingsServices& services,
                  QWidget* parent = nullptr);

    const LineStyleForm& Form() const { return form_; }

    void accept() override;

private:
    void Show(const LineStyleForm& form);
    void ApplyMode();
    void PaintColour(int id);
    void ChooseColour(int id);
    void OnStandard(bool fine);
    QLineEdit* Edit(int id) const { return edits_.value(id); }

    LineStyleForm form_;
    SettingsServices& services_;
    QHash<int, QLineEdit*> edits_;
    QRadioButton* colour_ = nullptr;
    QRadioButton* monochrome_ = nullptr;
};

}  // namespace vosk
