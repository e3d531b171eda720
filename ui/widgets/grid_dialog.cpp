#include "ui/widgets/grid_dialog.h"

#include <QPushButton>

#include "platform/message_service.h"
#include "platform/string_table.h"

namespace vosk {

GridDialog::GridDialog(QWidget* parent) : QDialog(parent) {}

// The grid stops calling back first: the dialog's parts are gone by the
// time the base class hides the window.
GridDialog::~GridDialog() {
    if (grid_) grid_->Detach();
}

void GridDialog::CreateGrid(int lines, std::vector<GridColumn> columns, const long& enterKeyMode, Editing editing) {
    grid_ = new EditableListGrid(this, this, lines, std::move(columns), enterKeyMode);
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    cancel_ = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    ok_->setDefault(true);
    if (editing == Editing::AddOverwriteDelete) {
        add_ = new QPushButton(QStringLiteral("追加"), this);
        overwrite_ = new QPushButton(QStringLiteral("上書き"), this);
        connect(add_, &QPushButton::clicked, this, [this] { OnAdd(); });
        connect(overwrite_, &QPushButton::clicked, this, [this] { OnOverwrite(); });
    }
    delete_ = new QPushButton(QStringLiteral("削除"), this);
    connect(delete_, &QPushButton::clicked, this, [this] { OnDelete(); });
    connect(ok_, &QPushButton::clicked, grid_, &EditableListGrid::OnOk);
    connect(cancel_, &QPushButton::clicked, this, &GridDialog::reject);
    connect(grid_, &EditableListGrid::CellsChanged, this, &GridDialog::TableEdited);
}

bool GridDialog::StoreInto(SurveyData&) const { return false; }

bool GridDialog::CancelNeedsQuestion() const { return grid_->IsModified() && grid_->UsedLength() >= 1; }

void GridDialog::reject() {
    if (CancelNeedsQuestion() &&
        ShowMessage(message::kDiscardChanges, {}, MessageButtons::YesNo) != MessageAnswer::Yes)
        return;
    QDialog::reject();
}

void GridDialog::LeaveCurrentLine() {
    if (grid_->CurrentLine() >= 1) grid_->DeselectLine(grid_->CurrentLine());
    grid_->SetCurrentLine(0);
}

}  // namespace vosk
