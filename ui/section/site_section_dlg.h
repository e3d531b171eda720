#pragma once
// "断面図": several data sheets side by side on one elevation axis. The
// dialog picks the sheets (add, remove, move up and down), takes the
// positions along the section line and the threshold, shows the section as
// the tool draws it, and prints it or saves it as PDF, SVG or PNG. Sheets
// that cannot be used are refused with a message naming the file; the open
// survey is never touched. The list and its rules live in the core
// (Site); this is the shell of widgets around it.

#include <QDialog>
#include <QWidget>

#include "site/site.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QTableWidget;

namespace vosk {

struct SettingsStore;

// The page drawn to fit the widget, on white paper.
class SectionPreview : public QWidget {
    Q_OBJECT
public:
    SectionPreview(const SettingsStore& settings, QWidget* parent = nullptr);
    // Shows `section`, or nothing (a grey page) for none.
    void Show(const SiteSection* section);
    QSize sizeHint() const override { return QSize(594, 420); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const SettingsStore& settings_;
    SiteSection section_;
    bool shown_ = false;
};

class CSiteSectionDlg : public QDialog {
    Q_OBJECT
public:
    explicit CSiteSectionDlg(const SettingsStore& settings, QWidget* parent = nullptr);
    ~CSiteSectionDlg() override;

    // What the buttons do after their file dialogs: adds the files in order
    // (a refused file shows its message and the rest are still added),
    // saves by the file's suffix, prints. False when nothing was done.
    bool AddFiles(const QStringList& files);
    bool SaveTo(const QString& path);
    bool PrintTo(QPrinter& printer);

    const Site& List() const { return list_; }
    QTableWidget* Table() const { return table_; }
    QLineEdit* ThresholdEdit() const { return threshold_; }
    QCheckBox* ByDepthBox() const { return byDepth_; }
    // The datum warning, or why the section cannot be drawn now.
    QLabel* Note() const { return note_; }
    SectionPreview* Preview() const { return preview_; }

private:
    void OnAdd();
    void OnRemove();
    void OnMove(int step);
    void OnSave();
    void OnPrint();
    void FillTable(int current);
    // Rebuilds the section from the list and shows it; false when refused.
    bool Refresh();
    // The section for print and save; shows the refusal when there is none.
    bool SectionForOutput(SiteSection& section);

    const SettingsStore& settings_;
    Site list_;
    QTableWidget* table_ = nullptr;
    QLineEdit* threshold_ = nullptr;
    QCheckBox* byDepth_ = nullptr;
    QLabel* note_ = nullptr;
    SectionPreview* preview_ = nullptr;
    QPushButton* remove_ = nullptr;
    QPushButton* up_ = nullptr;
    QPushButton* down_ = nullptr;
    bool filling_ = false;
};

}  // namespace vosk
