#pragma once
// "キーの動作": what the Enter key does in the data-entry dialogs.

#include <QDialog>

class QButtonGroup;

namespace vosk {

// The Enter key dialog's controls by number: the three choices.
namespace enter_key_control {
inline constexpr int kWindowsStandard = 1071;  // "Windows標準"
inline constexpr int kNextField = 1072;        // "次に移動"
inline constexpr int kConfirmOnly = 1073;      // "確定のみ"
}  // namespace enter_key_control

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
