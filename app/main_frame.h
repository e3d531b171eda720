#pragma once
// The main window: menu bar, toolbar, status bar, the view, and the routing
// of every command to the document, the view, the data and settings
// commands or the window itself.

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QPrinter>
#include <memory>

#include "entry/blow_rules.h"

class QAction;
class QLabel;
class QMenu;
class QMimeData;

namespace vosk {

class CVoskDoc;
class CVoskView;
class DataCommands;
class RecoveryBar;
class SettingsCommands;
class SettingsServices;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(CVoskDoc* doc, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CVoskView* View() const { return view_; }
    // The bar above the sheet that offers a recovery copy.
    RecoveryBar* Recovery() const { return recoveryBar_; }
    // The action of a command number (menu or toolbar), or nullptr.
    QAction* Action(int id) const { return actions_.value(id); }
    // A menu of the menu bar by its place (menu::kFile …).
    QMenu* MenuAt(int place) const { return menus_.value(place); }
    QMenu* RecentFilesMenu() const { return recentMenu_; }
    // "page / pages ページ" in the status bar.
    QLabel* PageIndicator() const { return pageIndicator_; }
    // The printer the print commands and the printer setup share.
    QPrinter& Printer() { return printer_; }

    // Enables the commands as the document and view now allow; runs before a
    // menu shows and after every command.
    void UpdateCommandUi();

    // The recent-file list, newest first, at most four entries.
    QStringList RecentFiles() const;
    void AddRecentFile(const QString& path);

    void ShowAbout();

    // The colour and font choosers and the editor start the settings
    // dialogs use; nullptr restores the system ones.
    void SetSettingsServices(SettingsServices* services);

    // The data sheet a drag carries: one local file named *.vkr, or empty.
    static QString DroppedDataSheet(const QMimeData* data);

protected:
    void closeEvent(QCloseEvent* event) override;
    // A data sheet dropped on the window opens as one named on the command line.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateMenus();
    void CreateZoomActions();
    void CreateToolBar();
    void CreateStatusBar();
    void Dispatch(int id);
    // The data and settings menus' dialogs, then the repaint.
    void RunDialogCommand(int id);
    void RebuildRecentMenu();
    void UpdateCaption();

    CVoskDoc* doc_;
    CVoskView* view_;
    RecoveryBar* recoveryBar_;
    // The blow-count auto-calculation switches last for the run.
    AutoCalcSwitches autoCalc_;
    std::unique_ptr<DataCommands> data_;
    std::unique_ptr<SettingsCommands> settings_;
    QHash<int, QAction*> actions_;
    QList<QMenu*> menus_;
    QMenu* recentMenu_ = nullptr;
    QLabel* pageIndicator_ = nullptr;
    QPrinter printer_{QPrinter::HighResolution};
    bool captionFollowsDocument_ = false;
};

}  // namespace vosk
