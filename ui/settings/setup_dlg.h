#pragma once
// "セットアップ": shows the install location (drive and folder) and lets the
// user change it. The view checks and stores what OK hands back.

#include <QDialog>

class QLineEdit;

namespace vosk {

class CSetupDlg : public QDialog {
    Q_OBJECT
public:
    CSetupDlg(const QString& drive, const QString& folder, QWidget* parent = nullptr);

    QString Drive() const;
    QString Folder() const;

private:
    void OnLeaveFolder();

    QLineEdit* drive_ = nullptr;
    QLineEdit* folder_ = nullptr;
};

}  // namespace vosk
