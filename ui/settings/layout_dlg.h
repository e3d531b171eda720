#pragma once
// "表とグラフ  印刷時の配置・サイズ": positions, sizes and margins of the
// report sheet. It edits a copy; the view stores it after OK.

#include <QDialog>
#include <QHash>

#include "settings/layout_rules.h"

class QCheckBox;
class QLineEdit;

namespace vosk {

struct SettingsStore;

class CLayoutDlg : public QDialog {
    Q_OBJECT
public:
    CLayoutDlg(const LayoutForm& form, const SettingsStore& settings, QWidget* parent = nullptr);

    // The values taken at OK (the margins are integers then).
    const LayoutForm& Form() const { return form_; }

    void accept() override;

private:
    void Show(const LayoutForm& form);
    void OnStandardExample();
    void OnLeaveStartPosition(int id);
    void OnLeaveBottomLine();
    QLineEdit* Edit(int id) const { return edits_.value(id); }
    std::string Text(int id) const;

    LayoutForm form_;
    QHash<int, QLineEdit*> edits_;
    QCheckBox* hideMetre_ = nullptr;
};

}  // namespace vosk
