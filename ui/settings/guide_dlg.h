#pragma once
// "操作案内": the guide text Help.txt of the install folder, line by line,
// and "開いて印刷", which opens it in an editor that can print.

#include <QDialog>

class QListWidget;

namespace vosk {

struct SettingsStore;
class SettingsServices;

class CGuideDlg : public QDialog {
    Q_OBJECT
public:
    CGuideDlg(const SettingsStore& store, SettingsServices& services, QWidget* parent = nullptr);

    QListWidget* List() const { return list_; }

private:
    void OnOpenAndPrint();

    QString guidePath_;    // real path of Help.txt
    QString folder_;       // real path of the install folder
    SettingsServices& services_;
    QListWidget* list_ = nullptr;
};

}  // namespace vosk
