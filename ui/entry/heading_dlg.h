#pragma once
// "見出し": the heading of the test point and the main sheet options, edited
// on a copy of the heading fields.

#include <QDialog>

#include "entry/heading_form.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;

namespace vosk {

struct SettingsStore;

class CHeadingDlg : public QDialog {
    Q_OBJECT
public:
    // The tester list comes from the engineer master list of `settings`.
    CHeadingDlg(const HeadingForm& form, const SettingsStore& settings, QWidget* parent = nullptr);
    // The values after OK.
    const HeadingForm& Form() const { return form_; }

    void done(int result) override;

private:
    void OnStandardExample();
    bool TakeValues();

    HeadingForm form_;
    struct TextControl {
        int field;
        QLineEdit* edit;
    };
    std::vector<TextControl> texts_;
    QComboBox* tester_;
    QComboBox* weather_;
    QLineEdit* depthScale_;
    QLineEdit* ndScale_;
    QComboBox* rows_;
    QCheckBox* jgsFrame_;
    QCheckBox* parentheses_;
    QCheckBox* twoColumns_;
    QCheckBox* verticalNames_;
    QCheckBox* jacic_;
    QButtonGroup* company_;
    QButtonGroup* style_;
};

}  // namespace vosk
