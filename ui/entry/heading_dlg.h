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

class CHeadingDlg : public QDialog {
    Q_OBJECT
public:
    CHeadingDlg(const HeadingForm& form, QWidget* parent = nullptr);
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
