#pragma once
// "地点一覧・断面図": the points of one survey (a site) and what is made from
// them. The dialog picks the sheets (add, remove, move up and down), takes
// each point's position along the section line and its location (latitude,
// longitude, how they were obtained, their reading accuracy) and the
// survey's values (ordering body, datum code, threshold, by-depth); it opens
// and saves site files (the recent ones remembered), shows the section of
// at most 30 points as the tool draws it (saying which), prints it or saves
// it as PDF, SVG or PNG, and delivers the site electronically. Sheets that
// cannot be used are refused with a message naming the file; the open survey
// is never touched. The site and its rules live in the core (Site, the site
// file, the delivery); this is the shell of widgets around it.

#include <QDialog>
#include <QStringList>
#include <QWidget>

#include "site/site.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace vosk {

struct SettingsStore;

// The site files opened or saved last, newest first (the window keeps them
// in the profile; tests in memory).
class RecentSites {
public:
    virtual ~RecentSites() = default;
    virtual QStringList Files() const = 0;
    virtual void Add(const QString& file) = 0;
};

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
    // The list's columns.
    enum Column {
        kPositionColumn,
        kNameColumn,
        kElevationColumn,
        kLatitudeColumn,
        kLongitudeColumn,
        kMethodCodeColumn,
        kMethodColumn,
        kAccuracyColumn,
        kFileColumn,
        kColumnCount
    };

    explicit CSiteSectionDlg(const SettingsStore& settings, QWidget* parent = nullptr, RecentSites* recent = nullptr);
    ~CSiteSectionDlg() override;

    // What the buttons do after their file dialogs: adds the files in order
    // (a refused file shows its message and the rest are still added),
    // saves the section by the file's suffix, prints. False when nothing was done.
    bool AddFiles(const QStringList& files);
    // The sheet open in the window: taken even without a ground elevation
    // (the note under the list then says why the section is not drawn).
    bool AddOpenSheet(const QString& file);
    bool SaveTo(const QString& path);
    bool PrintTo(QPrinter& printer);
    // Opens a site file in place of the list, asking first when the list has
    // unsaved changes; saves the list as a site file.
    bool OpenSite(const QString& file);
    bool SaveSite(const QString& file);
    // Delivers the site into `dir` from SIT`firstSite` (the spin box's), asking
    // before an earlier delivery there is replaced.
    bool DeliverTo(const QString& dir);

    const Site& List() const { return list_; }
    bool HasUnsavedChanges() const { return modified_; }
    QTableWidget* Table() const { return table_; }
    QLineEdit* ThresholdEdit() const { return threshold_; }
    QLineEdit* ClientEdit() const { return client_; }
    QLineEdit* DatumEdit() const { return datum_; }
    QCheckBox* ByDepthBox() const { return byDepth_; }
    QSpinBox* FirstDrawnBox() const { return firstDrawn_; }
    QSpinBox* FirstSiteBox() const { return firstSite_; }
    // The datum warning, or why the section cannot be drawn now.
    QLabel* Note() const { return note_; }
    // Which points the section draws, when there are more than it holds.
    QLabel* DrawnNote() const { return drawnNote_; }
    SectionPreview* Preview() const { return preview_; }
    QPushButton* RecentButton() const { return recentButton_; }

    // Close: asks first when the list has unsaved changes.
    void reject() override;

private:
    void OnAdd();
    void OnRemove();
    void OnMove(int step);
    void OnSave();
    void OnPrint();
    void OnOpenSite();
    void OnSaveSite();
    void OnDeliver();
    void OnCellChanged(int row, int column, const QString& text);
    void FillTable(int current);
    void FillSurveyFields();
    void RebuildRecentMenu();
    void Changed();
    // True when nothing unsaved would be lost, or the user lets it go.
    bool MayDiscard();
    // Rebuilds the section from the list and shows it; false when refused.
    bool Refresh();
    // The section for print and save; shows the refusal when there is none.
    bool SectionForOutput(SiteSection& section);
    size_t FirstDrawn() const;

    const SettingsStore& settings_;
    RecentSites* recent_;
    Site list_;
    QString siteFile_;  // the site file the list was opened from or saved to
    bool modified_ = false;
    QTableWidget* table_ = nullptr;
    QLineEdit* threshold_ = nullptr;
    QLineEdit* client_ = nullptr;
    QLineEdit* datum_ = nullptr;
    QCheckBox* byDepth_ = nullptr;
    QSpinBox* firstDrawn_ = nullptr;
    QSpinBox* firstSite_ = nullptr;
    QLabel* note_ = nullptr;
    QLabel* drawnNote_ = nullptr;
    SectionPreview* preview_ = nullptr;
    QPushButton* remove_ = nullptr;
    QPushButton* up_ = nullptr;
    QPushButton* down_ = nullptr;
    QPushButton* recentButton_ = nullptr;
    bool filling_ = false;
};

}  // namespace vosk
