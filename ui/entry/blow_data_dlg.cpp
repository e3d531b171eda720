#include "ui/entry/blow_data_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>
#include <limits>

#include "entry/blow_rules.h"
#include "entry/blow_table_text.h"
#include "platform/cp932.h"
#include "platform/drive_map.h"
#include "platform/message_service.h"
#include "platform/string_table.h"
#include "settings/master_list.h"
#include "settings/settings_store.h"
#include "survey/field_check.h"

namespace vosk {
namespace {

using namespace blow_column;

// K.mst has always been read in pieces of at most this many bytes.
constexpr size_t kRemarkPieceBytes = 59;
// Lines of the grid shown at once.
constexpr int kVisibleGridLines = 20;

QString Q(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

std::vector<GridColumn> BlowColumns() {
    return {
        {QStringLiteral("回数"), 60, true},
        {QStringLiteral("深さh cm"), 70, true},
        {QStringLiteral("貫入量 cm"), 70, true},
        {QStringLiteral("Nd"), 70, true},
        {QStringLiteral("記事"), 120, true},
    };
}

CellGrid BlowTable(const SurveyData& survey) {
    CellGrid table(kBlowRowCount, kBlowFieldCount);
    for (int r = 1; r <= kBlowRowCount; ++r)
        for (int f = 1; f <= kBlowFieldCount; ++f) table.SetCell(r, f, survey.blow[r][f]);
    return table;
}

// The rows the dialog shows: N or depth a number; anything else opens blank.
bool BlowRowHoldsData(const CellGrid& table, int line) {
    return IsNumericText(table.Cell(line, kDepth)) == 1 || IsNumericText(table.Cell(line, kN)) == 1;
}

}  // namespace

CBlowDataDlg::CBlowDataDlg(SurveyData& survey, AutoCalcSwitches& autoCalc, const SettingsStore& settings,
                           QWidget* parent)
    : GridDialog(parent), survey_(survey), autoCalc_(autoCalc), settings_(settings) {
    setWindowTitle(QStringLiteral("測定データ"));
    BuildControls();
    grid_->FillGrid(BlowTable(survey_), BlowRowHoldsData);

    deltaHAuto_->setChecked(autoCalc_.deltaH);
    ndAuto_->setChecked(autoCalc_.nd);
    ApplyAutoSwitches();
    connect(deltaHAuto_, &QCheckBox::toggled, this, [this](bool on) {
        autoCalc_.deltaH = on;
        ApplyAutoSwitches();
    });
    connect(ndAuto_, &QCheckBox::toggled, this, [this](bool on) {
        autoCalc_.nd = on;
        ApplyAutoSwitches();
    });

    FillRemarks();
    Field(kN)->setFocus();
}

void CBlowDataDlg::BuildControls() {
    CreateGrid(kBlowRowCount, BlowColumns(), settings_.sheet.enterKeyMode, Editing::AddOverwriteDelete);
    grid_->FitToColumns(kVisibleGridLines);

    auto* entry = new QGridLayout;
    const char* labels[] = {"", "打撃回数", "貫入深さ h", "貫入量 dh", "Nd", "記事　"};
    for (int c = kN; c <= kRemark; ++c) entry->addWidget(new QLabel(QString::fromUtf8(labels[c])), 0, c - 1);
    for (int c = kN; c <= kNd; ++c) {
        auto* edit = new QLineEdit;
        edit->setFixedWidth(64);
        fields_[static_cast<size_t>(c)].edit = edit;
        entry->addWidget(edit, 1, c - 1);
    }
    remark_ = new QComboBox;
    remark_->setEditable(true);
    // A typed remark is the row's text, not a new item of the list, and is
    // never completed behind the user's back.
    remark_->setInsertPolicy(QComboBox::NoInsert);
    remark_->setCompleter(nullptr);
    remark_->setMinimumWidth(150);
    fields_[kRemark].edit = remark_->lineEdit();
    entry->addWidget(remark_, 1, kRemark - 1);
    entry->addWidget(new QLabel(QStringLiteral("cm")), 2, kDepth - 1);
    deltaHAuto_ = new QCheckBox(QStringLiteral("自動計算"));
    ndAuto_ = new QCheckBox(QStringLiteral("自動計算"));
    entry->addWidget(deltaHAuto_, 2, kDeltaH - 1);
    entry->addWidget(ndAuto_, 2, kNd - 1);

    modeText_ = new QLabel;

    auto* topRight = new QVBoxLayout;
    topRight->addWidget(ok_);
    topRight->addWidget(cancel_);
    topRight->addWidget(modeText_);
    topRight->addStretch();
    auto* bottomRight = new QVBoxLayout;
    bottomRight->addWidget(add_);
    bottomRight->addWidget(overwrite_);
    bottomRight->addWidget(delete_);

    auto* layout = new QGridLayout(this);
    layout->addWidget(grid_, 0, 0);
    layout->addLayout(topRight, 0, 1);
    layout->addLayout(entry, 1, 0);
    layout->addLayout(bottomRight, 1, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Typing a row goes from field to field and on to the buttons.
    QWidget* order[] = {Field(kN), Field(kDepth), Field(kDeltaH), Field(kNd), remark_, add_, overwrite_,
                        delete_,   deltaHAuto_,   ndAuto_,        ok_,        cancel_, grid_};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    for (int c = kN; c <= kNd; ++c) Field(c)->installEventFilter(this);
    remark_->installEventFilter(this);
    // Rows from a spreadsheet pasted into a field go to the grid.
    for (int c = kN; c <= kRemark; ++c) PasteLinesIntoGrid(Field(c));
    connect(remark_->lineEdit(), &QLineEdit::textEdited, this, [this] { LiveUpdate(); });
    connect(remark_, &QComboBox::activated, this, [this] { LiveUpdate(); });
}

void CBlowDataDlg::FillRemarks() {
    const std::string& path = settings_.remarksPath;
    bool found = false;
    std::vector<FieldText> remarks = ReadMasterList(path, kRemarkPieceBytes, std::numeric_limits<size_t>::max(), &found);
    if (!found) {
        ShowMessage(message::kFileNotFound, PathToUtf8(RealPath(path)));
        return;
    }
    for (const FieldText& remark : remarks) remark_->addItem(FieldToQString(remark));
    // The list offers remarks; the field starts empty.
    remark_->setCurrentIndex(-1);
    remark_->setEditText(QString());
}

void CBlowDataDlg::ApplyAutoSwitches() {
    const int mode = AutoCalcMode(autoCalc_);
    Field(kDeltaH)->setEnabled(BlowEntryFieldEnabled(mode, kDeltaH));
    Field(kNd)->setEnabled(BlowEntryFieldEnabled(mode, kNd));
    modeText_->setText(Q(AutoCalcModeText(mode)));
    // A derived column is no stop of the Enter navigation.
    grid_->SetEnterStop(kDeltaH, BlowColumnEditable(mode, kDeltaH));
    grid_->SetEnterStop(kNd, BlowColumnEditable(mode, kNd));
}

// ---- Entry fields -----------------------------------------------------------

void CBlowDataDlg::SetField(int column, const FieldText& bytes) { fields_.at(static_cast<size_t>(column)).Set(bytes); }

bool CBlowDataDlg::FieldBytes(int column, FieldText& out) const {
    return fields_.at(static_cast<size_t>(column)).Bytes(out, FieldKind::Table);
}

bool CBlowDataDlg::AcceptField(int column, RefusalNotice notice) {
    // A refused text shows its message and stays in the field to be mended.
    refusing_ = true;
    bool ok = fields_.at(static_cast<size_t>(column)).Accept(FieldKind::Table, notice);
    refusing_ = false;
    return ok;
}

bool CBlowDataDlg::GatherEntry(BlowRow& entry) {
    for (int c = kN; c <= kRemark; ++c)
        if (!AcceptField(c, RefusalNotice::Always) || !FieldBytes(c, entry[c])) return false;
    return true;
}

void CBlowDataDlg::OnLeaveField(int column) {
    if (!AcceptField(column, RefusalNotice::OncePerText)) return;
    // The same derivation as a grid edit of that column.
    BlowRow entry;
    for (int c : {kN, kDepth, kDeltaH, kNd}) FieldBytes(c, entry[c]);
    const BlowRow before = entry;
    DeriveForChange(entry, column, grid_->Cells(), autoCalc_);
    for (int c : {kDeltaH, kNd})
        if (entry[c] != before[c]) SetField(c, entry[c]);
    const bool onLine = grid_->CurrentLine() >= 1 && grid_->CurrentLine() <= kBlowRowCount &&
                        grid_->CurrentColumn() >= 1 && grid_->CurrentColumn() <= kBlowFieldCount;
    if (onLine) LiveUpdate();
    // While a line is current the fields correct it; Add is for new rows.
    if (column == kN) add_->setEnabled(!onLine);
}

void CBlowDataDlg::LiveUpdate() {
    const int line = grid_->CurrentLine();
    if (line < 1 || line > kBlowRowCount || grid_->CurrentColumn() < 1 || grid_->CurrentColumn() > kBlowFieldCount)
        return;
    BlowRow entry;
    // Text not yet accepted is checked when the field is left.
    for (int c = kN; c <= kRemark; ++c)
        if (!FieldBytes(c, entry[c])) return;
    const bool changed = grid_->ChangeCells([&](CellGrid& cells) {
        return ChangesLine(cells, line, [&](CellGrid& g) { return ApplyLiveUpdate(entry, line, g, autoCalc_); });
    });
    if (changed) grid_->SetModified();
}

bool CBlowDataDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && isVisible() && !refusing_) {
        if (watched == remark_) {
            OnLeaveField(kRemark);
        } else {
            for (int c = kN; c <= kNd; ++c)
                if (watched == Field(c)) OnLeaveField(c);
        }
    }
    return QDialog::eventFilter(watched, event);
}

// ---- Grid hooks ---------------------------------------------------------------

void CBlowDataDlg::LoadLineIntoEntry(int line, int column) {
    if (line < 1 || line > kBlowRowCount) return;
    BlowRow entry =
        grid_->ChangeCells([&](CellGrid& cells) { return LoadBlowLine(cells, line, column, autoCalc_); });
    for (int c = kN; c <= kRemark; ++c) SetField(c, entry[c]);
    grid_->SelectLine(line);
    // A loaded line is corrected with Overwrite or removed with Delete.
    add_->setEnabled(false);
}

void CBlowDataDlg::ClearEntryFields() {
    for (int c = kN; c <= kRemark; ++c) SetField(c, {});
}

bool CBlowDataDlg::StoreInto(SurveyData& survey) const {
    CellGrid cells = grid_->Cells();
    return StoreBlowTable(cells, survey, autoCalc_);
}

void CBlowDataDlg::ConfirmDialog() {
    // Enter in a field confirms without leaving it: what leaving does comes first.
    for (int c = kN; c <= kRemark; ++c)
        if (Field(c)->hasFocus()) OnLeaveField(c);
    if (!SettleAwaitingEntry()) return;
    bool stored =
        grid_->ChangeCells([this](CellGrid& cells) { return StoreBlowTable(cells, survey_, autoCalc_); });
    if (stored) accept();
}

// ---- Buttons ------------------------------------------------------------------

void CBlowDataDlg::OnAdd() {
    grid_->EndEditing();
    BlowRow entry;
    if (GatherEntry(entry)) {
        const int line = Place([&](CellGrid& cells) { return PlaceAdd(entry, cells, autoCalc_); });
        if (line != 0) {
            ClearEntryFields();
            SetField(kN, {});
            grid_->SetModified();
        }
    }
    LeaveCurrentLine();
    Field(kN)->setFocus();
}

void CBlowDataDlg::OnOverwrite() {
    BlowRow entry;
    if (GatherEntry(entry)) {
        const int current = grid_->CurrentLine();
        const int line = Place([&](CellGrid& cells) {
            return PlaceOverwrite(entry, current, cells, autoCalc_, OverwriteMode::Button);
        });
        if (line != 0) {
            ClearEntryFields();
            grid_->SetModified();
        }
    }
    grid_->setFocus();
    LeaveCurrentLine();
    add_->setEnabled(true);
}

bool CBlowDataDlg::EntryAwaitingAdd() const {
    BlowRow entry;
    for (int c = kN; c <= kRemark; ++c)
        // A text the field cannot hold was typed and is in no line.
        if (!FieldBytes(c, entry[c])) return true;
    return BlowEntryOutsideGrid(entry, grid_->CurrentLine(), grid_->Cells(), autoCalc_);
}

bool CBlowDataDlg::AddAwaitingEntry() {
    grid_->EndEditing();
    BlowRow entry;
    if (!GatherEntry(entry)) return false;
    if (Place([&](CellGrid& cells) { return PlaceAdd(entry, cells, autoCalc_); }) == 0) {
        Field(kN)->setFocus();
        return false;
    }
    ClearEntryFields();
    grid_->SetModified();
    return true;
}

TableTextResult CBlowDataDlg::EnterPastedText(std::string_view text, char separator, CellGrid& cells) {
    return EnterBlowText(text, separator, cells, autoCalc_);
}

std::string CBlowDataDlg::CopiedText(const std::vector<int>& lines) const {
    return BlowLinesAsText(grid_->Cells(), lines);
}

void CBlowDataDlg::OnDelete() {
    if (grid_->DeleteSelectedLine()) {
        ClearEntryFields();
        grid_->SetModified();
    }
    add_->setEnabled(true);
    Field(kN)->setFocus();
}

}  // namespace vosk
