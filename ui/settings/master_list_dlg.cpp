#include "ui/settings/master_list_dlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/drive_map.h"
#include "platform/file_io.h"
#include "platform/message_service.h"
#include "platform/string_table.h"
#include "settings/master_list.h"
#include "settings/master_list_rules.h"
#include "settings/settings_store.h"
#include "ui/widgets/field_guard.h"

namespace vosk {

CMasterListDlg::CMasterListDlg(const QString& caption, const QString& header, std::string windowsPath,
                               const SettingsStore& settings, QWidget* parent)
    : GridDialog(parent), windowsPath_(std::move(windowsPath)) {
    setWindowTitle(caption);
    CreateGrid(kMasterListLines, {GridColumn{header, 200, true}}, settings.sheet.enterKeyMode, Editing::DeleteOnly);
    entry_ = new QLineEdit(this);
    entry_->setVisible(false);
    path_ = new QLineEdit(QString::fromStdString(PathToUtf8(RealPath(windowsPath_))), this);
    path_->setReadOnly(true);
    up_ = new QPushButton(QStringLiteral("↑"), this);
    down_ = new QPushButton(QStringLiteral("↓"), this);
    for (QPushButton* b : {up_, down_, delete_, cancel_}) b->setAutoDefault(false);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {ok_, cancel_, up_, down_, delete_}) buttons->addWidget(b);
    buttons->addStretch();
    auto* layout = new QGridLayout(this);
    layout->addWidget(grid_, 0, 0);
    layout->addLayout(buttons, 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("マスタファイル"), this), 1, 0);
    layout->addWidget(path_, 2, 0, 1, 2);

    connect(up_, &QPushButton::clicked, this, [this] { Move(true); });
    connect(down_, &QPushButton::clicked, this, [this] { Move(false); });

    bool found = false;
    std::vector<FieldText> lines = ReadMasterList(windowsPath_, kMasterListPieceBytes, kMasterListLines, &found);
    if (!found) ShowMessage(message::kFileNotFound, PathToUtf8(RealPath(windowsPath_)));
    CellGrid table(kMasterListLines, 1);
    for (size_t i = 0; i < lines.size(); ++i) table.SetCell(static_cast<int>(i) + 1, 1, lines[i]);
    const int read = static_cast<int>(lines.size());
    grid_->FillGrid(table, [read](const CellGrid&, int line) { return line <= read; });
}

void CMasterListDlg::LoadLineIntoEntry(int line, int) {
    entry_->setText(FieldToQString(grid_->Cell(line, 1)));
    // Selecting gives the line the list's focus mark; the keyboard focus
    // stays where it is, for the grid loads a line just after it has moved
    // the cell editor there (Enter, Up, Down).
    grid_->SelectLine(line);
}

void CMasterListDlg::ClearEntryFields() { entry_->clear(); }

void CMasterListDlg::Move(bool up) {
    const int line = grid_->SelectedLine();
    int moved = grid_->ChangeCells([&](CellGrid& cells) {
        return up ? MoveMasterLineUp(cells, line) : MoveMasterLineDown(cells, line);
    });
    if (moved == 0) return;
    grid_->SelectLine(moved);
    grid_->scrollToItem(grid_->item(moved - 1, 0));
    grid_->SetModified();
}

void CMasterListDlg::ConfirmDialog() {
    MasterListFile file = FormatMasterList(grid_->Cells());
    // A list that cannot be written keeps the dialog open: the user can try
    // again or cancel, and the edits are never thrown away by a failed save.
    if (!WriteFileAtomically(RealPath(windowsPath_), file.bytes)) {
        ShowMessage("マスタファイルは\n" + std::string(MessageText(message::kSaveFailed)));
        return;
    }
    if (!file.duplicates.empty()) ShowMessage(file.duplicates);
    accept();
}

void CMasterListDlg::OnDelete() {
    if (grid_->DeleteSelectedLine()) {
        ClearEntryFields();
        grid_->SetModified();
    }
}

bool CMasterListDlg::CancelNeedsQuestion() const { return grid_->IsModified(); }

CEngineerMasterDlg::CEngineerMasterDlg(const SettingsStore& settings, QWidget* parent)
    : CMasterListDlg(QStringLiteral("技術者名のマスタファイルへの登録 編集"), QStringLiteral("技術者(試験者)"),
                     settings.engineersPath, settings, parent) {}

CRemarkMasterDlg::CRemarkMasterDlg(const SettingsStore& settings, QWidget* parent)
    : CMasterListDlg(QStringLiteral("記事短文のマスタファイルへの登録 編集"), QStringLiteral("記事短文"),
                     settings.remarksPath, settings, parent) {}

}  // namespace vosk
