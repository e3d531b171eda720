#include "app/main_frame.h"

#include <QAction>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QUndoStack>
#include <QVBoxLayout>
#include <functional>

#include "app/command_table.h"
#include "app/data_commands.h"
#include "app/profile.h"
#include "app/recent_sites.h"
#include "app/recovery_bar.h"
#include "app/settings_commands.h"
#include "app/vosk_doc.h"
#include "app/vosk_view.h"
#include "app/window_placement.h"
#include "settings/settings_store.h"
#include "survey/numbers.h"
#include "survey/survey_data.h"
#include "ui/section/site_section_dlg.h"

namespace vosk {
namespace {

constexpr int kRecentFileCount = 4;

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// The heading chooses the soil name dialog: "1" the JACIC one.
bool JacicSoilNames(const SurveyData& survey) { return ParseInteger(survey.heading[heading::kJacicSoilNames]) == 1; }

// Only one of the two soil name dialogs is offered, as the heading chooses.
bool IsAvailable(int id, const SurveyData& survey) {
    using namespace command;
    switch (id) {
        case kSoilName:
            return !JacicSoilNames(survey);
        case kJacicSoilName:
            return JacicSoilNames(survey);
        default:
            return true;
    }
}

}  // namespace

CMainFrame::CMainFrame(CVoskDoc* doc, QWidget* parent)
    : QMainWindow(parent),
      doc_(doc),
      data_(std::make_unique<DataCommands>(*doc, Settings(), autoCalc_, this)),
      settings_(std::make_unique<SettingsCommands>(*doc, Settings(), this)) {
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    recoveryBar_ = new RecoveryBar(central);
    view_ = new CVoskView(*doc_, central);
    column->addWidget(recoveryBar_);
    column->addWidget(view_, 1);
    setCentralWidget(central);
    connect(recoveryBar_, &RecoveryBar::RestoreRequested, this, [this](const RecoveryCopy& copy) {
        doc_->RestoreRecovery(copy);
        UpdateCommandUi();
    });
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    resize(900, 1000);
    connect(doc_, &CVoskDoc::DocumentChanged, this, [this] {
        view_->OnUpdate();
        UpdateCommandUi();
    });
    connect(doc_, &CVoskDoc::PathChanged, this, [this](const QString& path) {
        if (!path.isEmpty()) AddRecentFile(path);
        captionFollowsDocument_ = true;
        UpdateCaption();
    });
    connect(doc_, &CVoskDoc::UnsavedChanged, this, [this] {
        captionFollowsDocument_ = true;
        UpdateCaption();
    });
    connect(view_, &CVoskView::PageChanged, this, &CMainFrame::UpdateCommandUi);
    // The undo captions name the step they would take.
    QUndoStack& steps = doc_->UndoStack();
    for (auto changed : {&QUndoStack::undoTextChanged, &QUndoStack::redoTextChanged})
        connect(&steps, changed, this, &CMainFrame::UpdateCommandUi);
    setWindowTitle(Q(kMainCaption));
    setAcceptDrops(true);
}

CMainFrame::~CMainFrame() = default;

QString CMainFrame::DroppedDataSheet(const QMimeData* data) {
    if (!data || !data->hasUrls()) return {};
    const QList<QUrl> urls = data->urls();
    // One survey at a time: several files are refused rather than guessed at.
    if (urls.size() != 1 || !urls.front().isLocalFile()) return {};
    const QString path = urls.front().toLocalFile();
    if (QFileInfo(path).suffix().compare(QStringLiteral("vkr"), Qt::CaseInsensitive) != 0) return {};
    return path;
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) { dragMoveEvent(event); }

void CMainFrame::dragMoveEvent(QDragMoveEvent* event) {
    if (!DroppedDataSheet(event->mimeData()).isEmpty()) event->acceptProposedAction();
    else event->ignore();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QString path = DroppedDataSheet(event->mimeData());
    if (path.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // The open refuses with its own messages and keeps the survey on failure.
    doc_->OpenDocumentFile(path);
}

void CMainFrame::SetSettingsServices(SettingsServices* services) { settings_->SetServices(services); }

void CMainFrame::UpdateCaption() {
    // An asterisk after the name while changes are unsaved.
    const QString mark = doc_->HasUnsavedChanges() ? QStringLiteral("*") : QString();
    if (captionFollowsDocument_) setWindowTitle(doc_->Title() + mark + QStringLiteral(" - Vosk"));
}

void CMainFrame::CreateMenus() {
    int count = 0;
    const Menu* menus = MenuBar(&count);
    for (int m = 0; m < count; ++m) {
        QMenu* menu = menuBar()->addMenu(Q(menus[m].title));
        menus_.append(menu);
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUi);
        for (int i = 0; i < menus[m].count; ++i) {
            const MenuItem& item = menus[m].items[i];
            if (item.id == 0) {
                menu->addSeparator();
                continue;
            }
            if (item.id == command::kRecentFile) {
                recentMenu_ = menu->addMenu(Q(item.caption));
                recentMenu_->menuAction()->setStatusTip(Q(item.prompt));
                RebuildRecentMenu();
                continue;
            }
            QAction* action = menu->addAction(Q(item.caption));
            if (!item.shortcut.empty()) action->setShortcut(QKeySequence(Q(item.shortcut)));
            QString prompt = Q(item.prompt);
            action->setStatusTip(prompt.section(QLatin1Char('\n'), 0, 0));
            if (prompt.contains(QLatin1Char('\n'))) action->setToolTip(prompt.section(QLatin1Char('\n'), 1));
            actions_.insert(item.id, action);
            const int id = item.id;
            connect(action, &QAction::triggered, this, [this, id] { Dispatch(id); });
        }
    }
    for (int id : {command::kPreviousPage, command::kNextPage}) {
        QString prompt = Q(CommandPrompt(id));
        auto* action = new QAction(prompt.section(QLatin1Char('\n'), 0, 0), this);
        action->setStatusTip(prompt.section(QLatin1Char('\n'), 0, 0));
        action->setToolTip(prompt.section(QLatin1Char('\n'), 1));
        actions_.insert(id, action);
        connect(action, &QAction::triggered, this, [this, id] { Dispatch(id); });
    }
    for (int id : {command::kToolBar, command::kStatusBar}) actions_[id]->setCheckable(true);
    CreateZoomActions();
    UpdateCommandUi();
}

void CMainFrame::CreateZoomActions() {
    // Zoom of the on-screen page only; printing never follows it.
    QMenu* viewMenu = MenuAt(menu::kView);
    viewMenu->addSeparator();
    struct Zoom {
        const char* caption;
        QKeySequence key;
        std::function<void()> act;
    };
    const Zoom zooms[] = {
        {"拡大(&I)", QKeySequence::ZoomIn, [this] { view_->SetZoom(view_->Zoom() * 5 / 4); }},
        {"縮小(&O)", QKeySequence::ZoomOut, [this] { view_->SetZoom(view_->Zoom() * 4 / 5); }},
        {"実寸(&R)", QKeySequence(Qt::CTRL | Qt::Key_0), [this] { view_->SetZoom(100); }},
        {"幅に合わせる(&W)", QKeySequence(Qt::CTRL | Qt::Key_9), [this] { view_->ZoomToFitWidth(); }},
    };
    for (const Zoom& z : zooms) {
        QAction* action = viewMenu->addAction(QString::fromUtf8(z.caption));
        action->setShortcut(z.key);
        action->setStatusTip(QStringLiteral("画面上の用紙の表示倍率 (印刷には影響しません)"));
        connect(action, &QAction::triggered, this, z.act);
    }
}

void CMainFrame::CreateToolBar() {
    QToolBar* bar = addToolBar(QStringLiteral("Standard"));
    bar->setObjectName(QStringLiteral("toolbar"));
    bar->setIconSize(QSize(16, 15));
    auto icon = [this](QStyle::StandardPixmap standard, const char* theme) {
        return QIcon::fromTheme(QLatin1String(theme), style()->standardIcon(standard));
    };
    using namespace command;
    struct Button {
        int id;
        QIcon icon;
    };
    const Button buttons[] = {
        {kNew, icon(QStyle::SP_FileIcon, "document-new")},
        {kOpen, icon(QStyle::SP_DialogOpenButton, "document-open")},
        {kSave, icon(QStyle::SP_DialogSaveButton, "document-save")},
        {0, {}},
        {kPrint, icon(QStyle::SP_FileDialogDetailedView, "document-print")},
        {kAbout, icon(QStyle::SP_MessageBoxInformation, "help-about")},
        {0, {}},
        {kPreviousPage, icon(QStyle::SP_ArrowBack, "go-previous")},
        {kNextPage, icon(QStyle::SP_ArrowForward, "go-next")},
    };
    for (const Button& b : buttons) {
        if (b.id == 0) {
            bar->addSeparator();
            continue;
        }
        actions_[b.id]->setIcon(b.icon);
        bar->addAction(actions_[b.id]);
    }
    actions_[kToolBar]->setChecked(true);
    connect(actions_[kToolBar], &QAction::toggled, bar, &QToolBar::setVisible);
}

void CMainFrame::CreateStatusBar() {
    pageIndicator_ = new QLabel;
    statusBar()->addPermanentWidget(pageIndicator_);
    for (const char* indicator : {"カナ", "CAP", "NUM", "SCRL"}) {
        auto* label = new QLabel(QString::fromUtf8(indicator));
        label->setEnabled(false);  // the lock states are not known here
        statusBar()->addPermanentWidget(label);
    }
    statusBar()->showMessage(Q(kIdlePrompt));
    connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& text) {
        if (text.isEmpty()) statusBar()->showMessage(Q(kIdlePrompt));
    });
    actions_[command::kStatusBar]->setChecked(true);
    connect(actions_[command::kStatusBar], &QAction::toggled, statusBar(), &QStatusBar::setVisible);
}

void CMainFrame::UpdateCommandUi() {
    const int count = view_->PageCount();
    const bool pages = count >= 2;
    if (pageIndicator_)
        pageIndicator_->setText(QStringLiteral("%1 / %2 ページ").arg(view_->CurrentPage()).arg(count));
    for (auto it = actions_.begin(); it != actions_.end(); ++it) it.value()->setEnabled(IsAvailable(it.key(), doc_->Survey()));
    actions_[command::kPreviousPage]->setEnabled(pages);
    actions_[command::kNextPage]->setEnabled(pages);
    const QUndoStack& steps = doc_->UndoStack();
    auto caption = [](std::string_view verb, const QString& step) {
        return step.isEmpty() ? Q(verb) : Q(verb) + QStringLiteral(": ") + step;
    };
    actions_[command::kUndo]->setEnabled(steps.canUndo());
    actions_[command::kUndo]->setText(caption(kUndoCaption, steps.canUndo() ? steps.undoText() : QString()));
    actions_[command::kRedo]->setEnabled(steps.canRedo());
    actions_[command::kRedo]->setText(caption(kRedoCaption, steps.canRedo() ? steps.redoText() : QString()));
}

void CMainFrame::Dispatch(int id) {
    using namespace command;
    switch (id) {
        case kNew: doc_->OnNewDocument(); break;
        case kOpen: doc_->OnOpenDataSheet(); break;
        case kSave: doc_->OnSaveDataSheet(); break;
        case kSaveAs: doc_->OnSaveDataSheetAs(); break;
        case kImportCsv: doc_->OnImportCsv(); break;
        case kExportCsv: doc_->OnExportCsv(); break;
        case kUndo: doc_->UndoStack().undo(); break;
        case kRedo: doc_->UndoStack().redo(); break;
        case kPrint: view_->OnFilePrint(printer_); break;
        case kPrintPreview: view_->OnFilePrintPreview(printer_); break;
        case kPrintSetup: {
            QPageSetupDialog dialog(&printer_, this);
            dialog.exec();
            break;
        }
        case kExit: close(); break;
        case kAbout: ShowAbout(); break;
        case kPreviousPage: view_->OnPreviousPage(); break;
        case kNextPage: view_->OnNextPage(); break;
        default: RunDialogCommand(id); break;
    }
    UpdateCommandUi();
}

void CMainFrame::RunDialogCommand(int id) {
    using namespace command;
    switch (id) {
        case kHeading: data_->OnHeading(); break;
        case kPageFooter: data_->OnPageFooter(); break;
        case kBlowData: data_->OnBlowData(); break;
        case kCheckData: data_->OnCheckData(); break;
        case kJacicSoilName: data_->OnJacicSoilName(); break;
        case kSoilName: data_->OnSoilName(); break;
        case kEngineers: settings_->OnEngineers(); break;
        case kRemarks: settings_->OnRemarks(); break;
        case kLayout: settings_->OnLayout(); break;
        case kLineStyle: settings_->OnLineStyle(); break;
        case kDigits: settings_->OnDigits(); break;
        case kFonts: settings_->OnFontSet(view_->logicalDpiY()); break;
        case kEnterKey: settings_->OnEnterKey(); break;
        case kSetup: settings_->OnSetup(); break;
        case kGuide: settings_->OnGuide(); break;
        case kSiteSection: {
            // Its own sheets: the open survey is not touched, nothing to repaint.
            // The sheet open in the window is in the list from the start.
            ProfileRecentSites recent;
            CSiteSectionDlg dialog(Settings(), this, &recent);
            if (!doc_->PathName().isEmpty()) dialog.AddOpenSheet(doc_->PathName());
            dialog.exec();
            return;
        }
        default: return;
    }
    // The sheet is repainted however the dialog ended.
    view_->OnUpdate();
}

QStringList CMainFrame::RecentFiles() const {
    QSettings profile = Profile();
    QStringList files;
    for (int i = 1; i <= kRecentFileCount; ++i) {
        QString f = profile.value(QStringLiteral("Recent File List/File%1").arg(i)).toString();
        if (!f.isEmpty()) files << f;
    }
    return files;
}

void CMainFrame::AddRecentFile(const QString& path) {
    QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList files = RecentFiles();
    files.removeAll(absolute);
    files.prepend(absolute);
    QSettings profile = Profile();
    for (int i = 1; i <= kRecentFileCount; ++i)
        profile.setValue(QStringLiteral("Recent File List/File%1").arg(i), i <= files.size() ? files[i - 1] : QString());
    RebuildRecentMenu();
}

void CMainFrame::RebuildRecentMenu() {
    recentMenu_->clear();
    const QStringList files = RecentFiles();
    int n = 0;
    for (const QString& f : files) {
        QAction* a = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(++n).arg(f));
        a->setStatusTip(Q(CommandPrompt(command::kRecentFile)));
        connect(a, &QAction::triggered, this, [this, f] {
            doc_->OpenDocumentFile(f);
            UpdateCommandUi();
        });
    }
    recentMenu_->setEnabled(!files.isEmpty());
}

void CMainFrame::ShowAbout() {
    QDialog box(this);
    box.setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    auto* layout = new QVBoxLayout(&box);
    auto* icon = new QLabel;
    icon->setPixmap(windowIcon().pixmap(32, 32));
    layout->addWidget(icon);
    for (const char* line : {"Vosk Version2  R000", "Vosk 開発チーム", "簡易動的コーン貫入試験データシート作成プログラム"})
        layout->addWidget(new QLabel(QString::fromUtf8(line)));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    layout->addWidget(buttons);
    box.exec();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // The document is never marked modified: closing asks nothing.
    SaveWindowPlacement(*this, view_->Zoom());
    event->accept();
}

}  // namespace vosk
