#pragma once
// "キーの動作": what the Enter key does in the data-entry dialogs.

#include <QDialog>

class QButtonGroup;

namespace vosk {

class CEnterKeyDlg : public QDialog {
    Q_OBJECT
public:
    explicit CEnterKeyDlg(long mode, QWidget* parent = nullptr);

    // 0, 1 or 2; -1 when no choice is selected (a setting outside the three).
    long Mode() const;

private:
    QButtonGroup* choices_ = nullptr;
};

}  // namespace vosk
