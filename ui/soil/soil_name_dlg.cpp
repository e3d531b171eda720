#include "ui/soil/soil_name_dlg.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>

#include "platform/drive_map.h"
#include "platform/message_service.h"
#include "platform/string_table.h"
#include "settings/master_list.h"
#include "settings/settings_store.h"
#include "soil/soil_table_text.h"
#include "ui/widgets/field_guard.h"
#include "ui/widgets/list_pick.h"

namespace vosk {
namespace {

using namespace soil_column;

// Lines of the grid shown at once.
constexpr int kVisibleGridLines = 20;

std::vector<GridColumn> SoilColumns() {
    return {
        {QStringLiteral("深度 m"), 60, true},
        {QStringLiteral("土質名"), 160, true},
    };
}

}  // namespace

CSoilNameDlg::CSoilNameDlg(SurveyData& survey, const SettingsStore& settings, QWidget* parent)
    : GridDialog(parent), survey_(survey), settings_(settings), origins_(SimpleSoilTable(survey)) {
    setWindowTitle(QStringLiteral("土質名 - - - 様式2で有効"));
    BuildControls();
    grid_->FillGrid(SimpleSoilTable(survey_), SoilLineHoldsData);
    FillNameList();
    Field(kDepth)->setFocus();
}

void CSoilNameDlg::BuildControls() {
    CreateGrid(kSoilRowCount, SoilColumns(), settings_.sheet.enterKeyMode, Editing::AddOverwriteDelete);
    grid_->FitToColumns(kVisibleGridLines);

    auto* depth = new QLineEdit;
    depth->setFixedWidth(70);
    auto* name = new QLineEdit;
    name->setMinimumWidth(160);
    fields_[kDepth].edit = depth;
    fields_[kName].edit = name;
    auto* entry = new QGridLayout;
    entry->addWidget(new QLabel(QStringLiteral("下端深度")), 0, 0);
    entry->addWidget(depth, 1, 0);
    entry->addWidget(new QLabel(QStringLiteral("m")), 1, 1);
    entry->addWidget(new QLabel(QStringLiteral("土質名称")), 0, 2);
    entry->addWidget(name, 1, 2);

    nameList_ = new QListWidget;
    nameList_->setSelectionMode(QAbstractItemView::SingleSelection);
    nameList_->setFixedWidth(150);


    auto* right = new QVBoxLayout;
    right->addWidget(ok_);
    right->addWidget(cancel_);
    right->addWidget(nameList_, 1);
    auto* bottomRight = new QHBoxLayout;
    bottomRight->addWidget(add_);
    bottomRight->addWidget(overwrite_);
    bottomRight->addWidget(delete_);

    auto* layout = new QGridLayout(this);
    layout->addWidget(grid_, 0, 0);
    layout->addLayout(right, 0, 1);
    layout->addLayout(entry, 1, 0);
    layout->addLayout(bottomRight, 1, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QWidget* order[] = {depth, name, add_, overwrite_, delete_, nameList_, ok_, cancel_, grid_};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    depth->installEventFilter(this);
    name->installEventFilter(this);
    // Layers from a spreadsheet pasted into a field go to the grid.
    PasteLinesIntoGrid(depth);
    PasteLinesIntoGrid(name);
    connect(nameList_, &QListWidget::currentRowChanged, this, &CSoilNameDlg::OnPickName);
    PickOnClickOfCurrentItem(nameList_, [this](int row) { OnPickName(row); });
}

void CSoilNameDlg::FillNameList() {
    const std::string& path = settings_.simpleSoilPath;
    bool found = false;
    std::vector<FieldText> entries = ReadMasterList(path, kSimpleSoilPieceBytes, kSimpleSoilMaxPieces, &found);
    if (!found) {
        ShowMessage(message::kListFileNotFound, PathToUtf8(RealPath(path)));
        return;
    }
    // Filling picks nothing.
    const QSignalBlocker quiet(nameList_);
    names_ = SimpleSoilNames(entries);
    for (const FieldText& name : names_) nameList_->addItem(FieldToQString(name));
}

// ---- Entry fields -----------------------------------------------------------

void CSoilNameDlg::SetField(int column, const FieldText& bytes) { fields_.at(static_cast<size_t>(column)).Set(bytes); }

bool CSoilNameDlg::FieldBytes(int column, FieldText& out) const {
    return fields_.at(static_cast<size_t>(column)).Bytes(out, FieldKind::Table);
}

bool CSoilNameDlg::AcceptField(int column, RefusalNotice notice) {
    // A refused text shows its message and stays in the field to be mended.
    refusing_ = true;
    bool ok = fields_.at(static_cast<size_t>(column)).Accept(FieldKind::Table, notice);
    refusing_ = false;
    return ok;
}

bool CSoilNameDlg::GatherEntry(SoilEntry& entry) {
    return AcceptField(kDepth, RefusalNotice::Always) && AcceptField(kName, RefusalNotice::Always) &&
           FieldBytes(kDepth, entry.depth) && FieldBytes(kName, entry.name);
}

bool CSoilNameDlg::OnLine() const {
    return grid_->CurrentLine() >= 1 && grid_->CurrentLine() <= kSoilRowCount && grid_->CurrentColumn() >= 1 &&
           grid_->CurrentColumn() <= kSimpleSoilColumns;
}

void CSoilNameDlg::OnLeaveField(int column) {
    if (!AcceptField(column, RefusalNotice::OncePerText)) return;
    if (OnLine()) LiveUpdate();
    // While a line is current the fields correct it; Add is for new layers.
    if (column == kDepth) add_->setEnabled(!OnLine());
}

void CSoilNameDlg::OnPickName(int row) {
    if (row < 0 || row >= static_cast<int>(names_.size())) return;
    SetField(kName, names_[static_cast<size_t>(row)]);
    if (OnLine()) LiveUpdate();
}

void CSoilNameDlg::LiveUpdate() {
    if (!OnLine()) return;
    const int line = grid_->CurrentLine();
    SoilEntry entry;
    // Text not yet accepted is checked when the field is left.
    if (!FieldBytes(kDepth, entry.depth) || !FieldBytes(kName, entry.name)) return;
    const FieldText depthBefore = grid_->Cell(line, kDepth), nameBefore = grid_->Cell(line, kName);
    bool written = grid_->ChangeCells([&](CellGrid& cells) { return ApplySoilLiveUpdate(entry, line, cells); });
    // A line the user changed this way is a change Cancel must ask about.
    if (written && (grid_->Cell(line, kDepth) != depthBefore || grid_->Cell(line, kName) != nameBefore))
        grid_->SetModified();
}

bool CSoilNameDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && isVisible() && !refusing_) {
        for (int c = kDepth; c <= kName; ++c)
            if (watched == Field(c)) OnLeaveField(c);
    }
    return QDialog::eventFilter(watched, event);
}

// ---- Grid hooks ---------------------------------------------------------------

void CSoilNameDlg::LoadLineIntoEntry(int line, int /*column*/) {
    if (line < 1 || line > kSoilRowCount) return;
    SetField(kDepth, grid_->Cell(line, kDepth));
    SetField(kName, grid_->Cell(line, kName));
    grid_->SelectLine(line);
}

void CSoilNameDlg::ClearEntryFields() {
    SetField(kDepth, {});
    SetField(kName, {});
}

bool CSoilNameDlg::StoreInto(SurveyData& survey) const { return StoreSoilTable(grid_->Cells(), origins_, survey); }

void CSoilNameDlg::ConfirmDialog() {
    // Enter in a field confirms without leaving it: what leaving does comes first.
    for (int c = kDepth; c <= kName; ++c)
        if (Field(c)->hasFocus()) OnLeaveField(c);
    if (!SettleAwaitingEntry()) return;
    if (StoreInto(survey_)) accept();
}

// ---- Buttons ------------------------------------------------------------------

void CSoilNameDlg::OnAdd() {
    grid_->EndEditing();
    SoilEntry entry;
    if (GatherEntry(entry)) {
        const int line = Place([&](CellGrid& cells) { return PlaceSoilAdd(entry, cells); });
        if (line != 0) {
            origins_.NewLayer(line);
            ClearEntryFields();
            grid_->SetModified();
        }
    }
    LeaveCurrentLine();
    Field(kDepth)->setFocus();
}

void CSoilNameDlg::OnOverwrite() {
    SoilEntry entry;
    if (GatherEntry(entry)) {
        const int current = grid_->CurrentLine();
        // The line found keeps its layer: Overwrite corrects, it adds nothing.
        const int line = Place([&](CellGrid& cells) { return PlaceSoilOverwrite(entry, current, cells); });
        if (line != 0) {
            ClearEntryFields();
            grid_->SetModified();
        }
    }
    LeaveCurrentLine();
    add_->setEnabled(true);
    Field(kDepth)->setFocus();
}

bool CSoilNameDlg::EntryAwaitingAdd() const {
    SoilEntry entry;
    // A text the field cannot hold was typed and is in no line.
    if (!FieldBytes(kDepth, entry.depth) || !FieldBytes(kName, entry.name)) return true;
    return SoilEntryOutsideGrid(entry, grid_->CurrentLine(), grid_->Cells());
}

bool CSoilNameDlg::AddAwaitingEntry() {
    grid_->EndEditing();
    SoilEntry entry;
    if (!GatherEntry(entry)) return false;
    const int line = Place([&](CellGrid& cells) { return PlaceSoilAdd(entry, cells); });
    if (line == 0) {
        Field(kDepth)->setFocus();
        return false;
    }
    origins_.NewLayer(line);
    ClearEntryFields();
    grid_->SetModified();
    return true;
}

TableTextResult CSoilNameDlg::EnterPastedText(std::string_view text, char separator, CellGrid& cells) {
    return EnterSimpleSoilText(text, separator, cells);
}

void CSoilNameDlg::Pasted(const TableTextResult& result) {
    for (int line : result.gridLines) origins_.NewLayer(line);
}

std::string CSoilNameDlg::CopiedText(const std::vector<int>& lines) const {
    return SimpleSoilLinesAsText(grid_->Cells(), lines);
}

void CSoilNameDlg::OnDelete() {
    const int selected = grid_->SelectedLine();
    if (grid_->DeleteSelectedLine()) {
        origins_.DeleteLine(selected);
        ClearEntryFields();
        grid_->SetModified();
    }
    add_->setEnabled(true);
    Field(kDepth)->setFocus();
}

}  // namespace vosk
