#pragma once
// The master list dialogs of the 設定 menu: the engineer names offered by
// the heading dialog (M.mst) and the short remarks offered by the blow-count
// dialog (K.mst), each edited in place in a grid of 80 lines.

#include <QDialog>
#include <string>

#include "ui/widgets/grid_dialog.h"

class QLineEdit;
class QPushButton;

namespace vosk {

struct SettingsStore;

class CMasterListDlg : public GridDialog {
    Q_OBJECT
public:
    QPushButton* UpButton() const { return up_; }
    QPushButton* DownButton() const { return down_; }
    QLineEdit* PathDisplay() const { return path_; }

protected:
    // `windowsPath` is the list file's path in the settings.
    CMasterListDlg(const QString& caption, const QString& header, std::string windowsPath,
                   const SettingsStore& settings, QWidget* parent);

private:
    void LoadLineIntoEntry(int line, int column) override;
    void ClearEntryFields() override;
    void ConfirmDialog() override;
    void OnDelete() override;
    // A list asks whenever it was changed, even when emptied.
    bool CancelNeedsQuestion() const override;
    void Move(bool up);

    std::string windowsPath_;
    QLineEdit* entry_;  // mirrors the current line; never shown
    QLineEdit* path_;
    QPushButton* up_;
    QPushButton* down_;
};

class CEngineerMasterDlg : public CMasterListDlg {
    Q_OBJECT
public:
    explicit CEngineerMasterDlg(const SettingsStore& settings, QWidget* parent = nullptr);
};

class CRemarkMasterDlg : public CMasterListDlg {
    Q_OBJECT
public:
    explicit CRemarkMasterDlg(const SettingsStore& settings, QWidget* parent = nullptr);
};

}  // namespace vosk
