#include "ui/soil/jacic_soil_dlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "entry/grid_rules.h"
#include "platform/cp932.h"
#include "platform/message_service.h"
#include "settings/settings_store.h"
#include "soil/soil_table_text.h"
#include "survey/field_check.h"
#include "survey/field_text.h"
#include "survey/numbers.h"
#include "survey/survey_data.h"
#include "ui/widgets/field_guard.h"
#include "ui/widgets/list_pick.h"

namespace vosk {
namespace {

using namespace jacic_column;

// Lines of the grid shown at once.
constexpr int kVisibleGridLines = 16;
// The pass of the soil name table whose codes this dialog composes with.
constexpr int kJacicSoilNamePass = 1;

std::vector<GridColumn> JacicColumns() {
    // Mark columns carry the underline flags; width-1 columns are there for
    // their values only.
    return {
        {QStringLiteral("深度 m"), 52, true},  {QString(), 18, false},
        {QStringLiteral("地質名"), 140, true}, {QString(), 18, false},
        {QStringLiteral("補助名"), 90, false}, {QString(), 1, false},
        {QStringLiteral("色調"), 40, false},   {QString(), 1, false},
        {QStringLiteral("ﾊﾟﾀｰﾝ1"), 40, true},  {QString(), 18, false},
        {QStringLiteral("ﾊﾟﾀｰﾝ2"), 40, true},  {QString(), 1, false},
        {QStringLiteral("記号"), 50, true},    {QStringLiteral("%1"), 24, true},
        {QStringLiteral("%2"), 24, true},      {QStringLiteral(":"), 20, true},
        {QStringLiteral("表示"), 36, false},
    };
}

// The check box captions of flag bits 0 to 8; bit 5 has none.
constexpr const char* kFlagCaptions[kFlagBits] = {"下線", "下線", "下線", "下線", "下線", nullptr, "表示", "表示", "表示"};

QString Shown(const FieldText& bytes) { return FieldToQString(bytes); }

QLabel* GreyRule() {
    auto* rule = new QLabel(QStringLiteral("―――――――"));
    rule->setEnabled(false);
    return rule;
}

}  // namespace

CJacicSoilDlg::CJacicSoilDlg(SurveyData& survey, const SettingsStore& settings, QWidget* parent)
    : GridDialog(parent), survey_(survey), settings_(settings) {
    setWindowTitle(QStringLiteral("土質名 (JACIC版互換土質地質名) - - - 様式2で有効"));
    BuildControls();
    grid_->FillGrid(SoilRowsToGrid(survey_), SoilLineShown);
    ResetFlags();
    delimiter_->setEnabled(false);
    FillLists();
    // Watches the focus of the entry controls, and the cell editor's Enter
    // before the grid (whose filter came first) moves the editor on.
    qApp->installEventFilter(this);
    depth_->setFocus();
}

CJacicSoilDlg::~CJacicSoilDlg() { qApp->removeEventFilter(this); }

void CJacicSoilDlg::BuildControls() {
    CreateGrid(kJacicLines, JacicColumns(), settings_.sheet.enterKeyMode, Editing::AddOverwriteDelete);
    // Columns of one pixel are wanted, narrower than the style's minimum.
    grid_->horizontalHeader()->setMinimumSectionSize(1);
    const std::vector<GridColumn> columns = JacicColumns();
    for (int c = 0; c < grid_->columnCount(); ++c) grid_->setColumnWidth(c, columns[static_cast<size_t>(c)].width);
    grid_->FitToColumns(kVisibleGridLines);

    auto newEdit = [this](int width) {
        auto* edit = new QLineEdit(this);
        edit->setFixedWidth(width);
        GuardFieldText(edit, FieldKind::Table);
        // Layers from a spreadsheet pasted into a field go to the grid.
        PasteLinesIntoGrid(edit);
        return edit;
    };
    depth_ = newEdit(64);
    for (Group& g : groups_) {
        g.name = newEdit(200);
        g.pattern = newEdit(80);
        g.symbol = newEdit(60);
        g.percentage = newEdit(40);
        g.alternation = new QCheckBox(QStringLiteral("互層"), this);
    }
    for (int bit = 0; bit < kFlagBits; ++bit)
        if (kFlagCaptions[bit]) flags_[static_cast<size_t>(bit)] = new QCheckBox(QString::fromUtf8(kFlagCaptions[bit]), this);

    delimiter_ = new QComboBox(this);
    for (const FieldText& item : DelimiterItems()) delimiter_->addItem(Shown(item));
    delimiter_->setCurrentIndex(-1);

    for (QListWidget*& list : lists_) {
        list = new QListWidget(this);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setMinimumWidth(150);
    }

    topsoil_ = new QCheckBox(this);
    topsoilLabel_ = new QLabel(QStringLiteral("常に表土分割"), this);
    topsoilLabel_->setEnabled(false);

    add_->setText(QStringLiteral("データ追加"));
    delete_->setText(QStringLiteral("行削除"));

    // The visible form: depth, geology name and pattern with their flags.
    auto* entry = new QGridLayout;
    entry->addWidget(new QLabel(QStringLiteral("下端深度 m")), 0, 0);
    entry->addWidget(depth_, 1, 0);
    entry->addWidget(FlagBox(0), 2, 0);
    entry->addWidget(FlagBox(6), 3, 0);
    entry->addWidget(new QLabel(QStringLiteral("土質名称")), 0, 1);
    entry->addWidget(TargetControls(1).name, 1, 1);
    entry->addWidget(FlagBox(1), 2, 1);
    entry->addWidget(FlagBox(7), 3, 1);
    entry->addWidget(new QLabel(QStringLiteral("パターンNo.")), 0, 2);
    entry->addWidget(TargetControls(1).pattern, 1, 2);
    entry->addWidget(FlagBox(2), 2, 2);
    auto* note = new QVBoxLayout;
    note->addWidget(GreyRule());
    note->addWidget(new QLabel(QStringLiteral("補助名、色調")));
    note->addWidget(new QLabel(QStringLiteral("等は未使用")));
    note->addWidget(GreyRule());
    entry->addLayout(note, 0, 3, 4, 1);

    // Present but never shown: the symbol, the percentages, the auxiliary
    // name group, the delimiter and the topsoil option still carry values.
    auto* hidden = new QWidget(this);
    auto* hiddenLayout = new QHBoxLayout(hidden);
    const QString hiddenLabels[] = {QStringLiteral("記号"), QStringLiteral("%"), QStringLiteral("地質名と補助名"),
                                    QStringLiteral("の区切り文字")};
    for (const QString& text : hiddenLabels) hiddenLayout->addWidget(new QLabel(text));
    QWidget* hiddenControls[] = {TargetControls(1).alternation, TargetControls(1).symbol, TargetControls(1).percentage,
                                 TargetControls(2).name,        FlagBox(3),             FlagBox(8),
                                 TargetControls(2).alternation, TargetControls(2).percentage,
                                 TargetControls(2).symbol,      TargetControls(2).pattern,
                                 FlagBox(4),                    delimiter_,             topsoil_,
                                 topsoilLabel_};
    for (QWidget* w : hiddenControls) hiddenLayout->addWidget(w);
    hidden->setVisible(false);

    auto* lists = new QGridLayout;
    for (size_t i = 0; i < lists_.size(); ++i) lists->addWidget(lists_[i], static_cast<int>(i / 2), static_cast<int>(i % 2));

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    buttons->addStretch();
    buttons->addWidget(add_);
    buttons->addWidget(overwrite_);
    buttons->addWidget(delete_);

    auto* layout = new QGridLayout(this);
    layout->addWidget(grid_, 0, 0);
    layout->addLayout(buttons, 0, 1, 2, 1);
    layout->addLayout(entry, 1, 0);
    layout->addLayout(lists, 2, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QWidget* order[] = {depth_, TargetControls(1).name, TargetControls(1).pattern, add_, overwrite_, delete_, ok_,
                        cancel_, grid_};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    for (int bit = 0; bit < kFlagBits; ++bit)
        if (QCheckBox* box = FlagBox(bit))
            connect(box, &QCheckBox::clicked, this, [this, bit] {
                state_.FlagClicked(bit);
                if (bit == 8) delimiter_->setEnabled(true);
                WriteBack();
            });
    for (int group = 1; group <= 2; ++group)
        connect(TargetControls(group).alternation, &QCheckBox::clicked, this,
                [this, group](bool on) { SetAlternation(group, on); });
    connect(topsoil_, &QCheckBox::clicked, topsoilLabel_, [this] { topsoilLabel_->setEnabled(true); });
    for (int l = 0; l < 4; ++l) {
        connect(lists_[static_cast<size_t>(l)], &QListWidget::itemSelectionChanged, this,
                [this, l] { OnPick(static_cast<SoilList>(l)); });
        PickOnClickOfCurrentItem(lists_[static_cast<size_t>(l)], [this, l](int) { OnPick(static_cast<SoilList>(l)); });
    }

}

void CJacicSoilDlg::FillLists() {
    records_ = FillSoilNameLists(settings_.soilNames[kJacicSoilNamePass]);
    for (size_t l = 0; l < lists_.size(); ++l)
        for (const SoilListItem& item : records_.items[l]) lists_[l]->addItem(Shown(item.name));
}

// ---- Entry controls -----------------------------------------------------------

void CJacicSoilDlg::SetEdit(QLineEdit* edit, const FieldText& bytes) {
    const QString shown = Shown(bytes);
    loaded_[edit] = {shown, bytes};
    edit->setText(shown);
}

bool CJacicSoilDlg::EditBytes(QLineEdit* edit, FieldText& out) const {
    const QString text = edit->text();
    if (auto it = loaded_.find(edit); it != loaded_.end() && it->second.first == text) {
        out = it->second.second;
        return true;
    }
    // Text the field guard has not accepted yet is refused where it was
    // typed; until then it is not gathered.
    FieldCheck check = CheckEnteredText(text.toStdString(), FieldKind::Table);
    if (!check.ok()) return false;
    out = std::move(check.bytes);
    return true;
}

bool CJacicSoilDlg::GatherEntry(JacicLine& entry, bool tell) const {
    const Group& g1 = TargetControls(1);
    const Group& g2 = TargetControls(2);
    const std::pair<QLineEdit*, int> edits[] = {{depth_, kDepth},          {g1.name, kName},
                                                 {g2.name, kAuxName},       {g1.pattern, kPattern1},
                                                 {g2.pattern, kPattern2},   {g1.symbol, kSymbol},
                                                 {g1.percentage, kPercent1}, {g2.percentage, kPercent2}};
    entry = JacicLine{};
    for (const auto& [edit, column] : edits) {
        if (EditBytes(edit, entry[static_cast<size_t>(column)])) continue;
        if (tell) KeepRefusedText(edit, CheckEnteredText(edit->text().toStdString(), FieldKind::Table), RefusalNotice::Always);
        return false;
    }
    // No control holds the colour tone: every line written loses it.
    entry[kColour].clear();
    const int choice = delimiter_->currentIndex();
    if (choice >= 0) entry[kDelimiter] = DelimiterItems()[static_cast<size_t>(choice)];
    SetFlagColumns(entry, CheckedFlags());
    return true;
}

int CJacicSoilDlg::CheckedFlags() const {
    std::array<bool, kFlagBits> boxes{};
    for (int bit = 0; bit < kFlagBits; ++bit)
        if (QCheckBox* box = FlagBox(bit)) boxes[static_cast<size_t>(bit)] = box->isChecked();
    return EncodeSoilFlags(boxes);
}

void CJacicSoilDlg::SetFlags(int flags) {
    const std::array<bool, kFlagBits> boxes = DecodeSoilFlags(flags);
    for (int bit = 0; bit < kFlagBits; ++bit)
        if (QCheckBox* box = FlagBox(bit)) box->setChecked(boxes[static_cast<size_t>(bit)]);
}

void CJacicSoilDlg::ResetFlags() {
    SetFlags(kDefaultSoilFlags);
    state_.ClearAlternations();
    for (int group = 1; group <= 2; ++group) {
        TargetControls(group).alternation->setChecked(false);
        TargetControls(group).percentage->setReadOnly(true);
    }
}

void CJacicSoilDlg::SetAlternation(int group, bool on) {
    const Group& g = TargetControls(group);
    g.alternation->setChecked(on);
    if (state_.SetAlternation(group, on)) {
        SetEdit(g.name, {});
        SetEdit(g.symbol, {});
        SetEdit(g.pattern, {});
    }
    g.percentage->setReadOnly(!on);
}

bool CJacicSoilDlg::OnCurrentLine() const {
    return grid_->CurrentLine() >= 1 && grid_->CurrentLine() <= grid_->Lines() && grid_->CurrentColumn() >= 1 &&
           grid_->CurrentColumn() <= grid_->Columns();
}

void CJacicSoilDlg::WriteBack() {
    if (!OnCurrentLine()) return;
    JacicLine entry;
    if (!GatherEntry(entry)) return;
    const int line = grid_->CurrentLine();
    const bool changed = grid_->ChangeCells([&](CellGrid& cells) {
        return ChangesLine(cells, line, [&](CellGrid& g) { return ApplyJacicWriteBack(entry, line, g); });
    });
    if (changed) grid_->SetModified();
}

void CJacicSoilDlg::OnLeave(QWidget* control) {
    WriteBack();
    if (control == depth_) {
        // While a line is current the controls correct it; Add is for new layers.
        add_->setEnabled(!OnCurrentLine());
        state_.BackToFirstGroup();
    } else if (control == TargetControls(1).symbol) {
        state_.BackToFirstGroup();
    } else if (control == TargetControls(2).name) {
        FieldText aux;
        if (EditBytes(TargetControls(2).name, aux)) delimiter_->setEnabled(!aux.empty());
    }
}

void CJacicSoilDlg::OnPick(SoilList list) {
    const std::vector<SoilListItem>& items = records_.items[static_cast<size_t>(list)];
    const int row = List(list)->currentRow();
    const bool selected = row >= 0 && row < static_cast<int>(items.size()) && List(list)->currentItem()->isSelected();
    const SoilListItem* item = selected ? &items[static_cast<size_t>(row)] : nullptr;

    const int target = state_.TargetGroup();
    const Group& controls = TargetControls(target);
    SoilGroup group;
    group.alternation = state_.Alternation(target);
    if (!EditBytes(controls.name, group.name) || !EditBytes(controls.pattern, group.pattern) ||
        !EditBytes(controls.symbol, group.symbol) || !EditBytes(controls.percentage, group.percentage))
        return;
    PickOutcome outcome = PickSoilName(list, item, target, group, SoilAlternation());
    SetEdit(controls.name, group.name);
    SetEdit(controls.pattern, group.pattern);
    SetEdit(controls.symbol, group.symbol);
    SetEdit(controls.percentage, group.percentage);
    // A whole name refused in an alternation only empties the group.
    if (outcome.refusedInAlternation) return;
    if (outcome.resetFlags) ResetFlags();
    WriteBack();
}

bool CJacicSoilDlg::eventFilter(QObject* watched, QEvent* event) {
    if (!isVisible() || !watched->isWidgetType()) return QDialog::eventFilter(watched, event);
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != this) return QDialog::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::FocusIn:
            if (widget == TargetControls(1).name) {
                state_.NameFocused(1);
            } else if (widget == TargetControls(2).name) {
                state_.NameFocused(2);
            } else if (widget == grid_->CellEditor()) {
                // The grid sets the column once the editor stands over it.
                QMetaObject::invokeMethod(
                    this, [this] { state_.CellEditorAt(grid_->CurrentColumn()); }, Qt::QueuedConnection);
            }
            break;
        case QEvent::FocusOut:
            if (widget == depth_ || widget == delimiter_) {
                OnLeave(widget);
            } else {
                for (const Group& g : groups_)
                    if (widget == g.name || widget == g.pattern || widget == g.symbol || widget == g.percentage)
                        OnLeave(widget);
            }
            break;
        case QEvent::KeyPress: {
            // Enter past the last stop of a line writes the line back before
            // the grid moves the editor to the next line.
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (widget == grid_->CellEditor() && widget == QApplication::focusWidget() && grid_->IsEditing() &&
                (key == Qt::Key_Return || key == Qt::Key_Enter)) {
                std::vector<bool> stops;
                for (int c = 1; c <= grid_->Columns(); ++c) stops.push_back(grid_->EnterStop(c));
                if (NextEnterStop(stops, grid_->CurrentColumn()) == 0) {
                    // A refused text stays in the editor to be mended.
                    if (!grid_->CommitCellEdit()) return true;
                    WriteBack();
                    // The commit gave the focus back to the grid: the same
                    // Enter goes on from there.
                    QKeyEvent again(QEvent::KeyPress, key, static_cast<QKeyEvent*>(event)->modifiers());
                    QCoreApplication::sendEvent(grid_, &again);
                    return true;
                }
            }
            break;
        }
        default:
            break;
    }
    return QDialog::eventFilter(watched, event);
}

// ---- Grid hooks -----------------------------------------------------------------

void CJacicSoilDlg::LoadLineIntoEntry(int line, int column) {
    if (line < 1 || line > grid_->Lines()) return;
    const CellGrid& cells = grid_->Cells();
    auto concerned = [column](int c) { return column == 0 || column == c; };
    const Group& g1 = TargetControls(1);
    const Group& g2 = TargetControls(2);

    if (concerned(kDepth)) SetEdit(depth_, cells.Cell(line, kDepth));
    if (concerned(kName)) {
        SetEdit(g1.name, cells.Cell(line, kName));
        state_.NameLoaded(1, cells.Cell(line, kName));
    }
    if (concerned(kAuxName)) {
        SetEdit(g2.name, cells.Cell(line, kAuxName));
        state_.NameLoaded(2, cells.Cell(line, kAuxName));
        delimiter_->setEnabled(!cells.Cell(line, kAuxName).empty());
    }
    const std::pair<QLineEdit*, int> edits[] = {{g1.pattern, kPattern1},    {g2.pattern, kPattern2},
                                                 {g1.symbol, kSymbol},      {g1.percentage, kPercent1},
                                                 {g2.percentage, kPercent2}};
    for (const auto& [edit, c] : edits)
        if (concerned(c)) SetEdit(edit, cells.Cell(line, c));
    if (concerned(kDelimiter))
        if (int choice = DelimiterChoice(cells.Cell(line, kDelimiter)); choice >= 0) delimiter_->setCurrentIndex(choice);
    if (concerned(kFlags) && IsNumericText(cells.Cell(line, kFlags)) == 1) {
        SetFlags(static_cast<int>(ParseInteger(cells.Cell(line, kFlags))));
        for (int group = 1; group <= 2; ++group) {
            const bool on = state_.Alternation(group);
            TargetControls(group).alternation->setChecked(on);
            TargetControls(group).percentage->setReadOnly(!on);
        }
    }
    if (column == kDepth && cells.Cell(line, kFlags).empty()) {
        // A layer begun in the grid gets the flags the check boxes show.
        grid_->ChangeCells([&](CellGrid& grid) {
            JacicLine entry = ReadJacicLine(grid, line);
            SetFlagColumns(entry, CheckedFlags());
            WriteJacicLine(grid, line, entry);
        });
    }
    if (column == 0) {
        // A loaded line is corrected by the controls or Overwrite, not added.
        add_->setEnabled(false);
        if (line > grid_->UsedLength()) ResetFlags();
    }
    grid_->SelectLine(line);
}

void CJacicSoilDlg::ClearEntryFields() {
    SetEdit(depth_, {});
    for (const Group& g : groups_) {
        SetEdit(g.name, {});
        SetEdit(g.symbol, {});
        SetEdit(g.pattern, {});
        SetEdit(g.percentage, {});
    }
    ResetFlags();
}

bool CJacicSoilDlg::StoreInto(SurveyData& survey) const { return StoreJacicTable(grid_->Cells(), survey); }

void CJacicSoilDlg::ConfirmDialog() {
    // Enter in a control confirms without leaving it: what leaving does comes first.
    if (QWidget* focused = QApplication::focusWidget(); focused && focused->window() == this) OnLeave(focused);
    if (!SettleAwaitingEntry()) return;
    if (StoreInto(survey_)) accept();
}

bool CJacicSoilDlg::EntryAwaitingAdd() const {
    JacicLine entry;
    // A text a control cannot hold was typed and is in no line.
    if (!GatherEntry(entry)) return true;
    return JacicEntryOutsideGrid(entry, grid_->CurrentLine(), grid_->Cells());
}

bool CJacicSoilDlg::AddAwaitingEntry() {
    grid_->EndEditing();
    JacicLine entry;
    if (!GatherEntry(entry, true)) return false;
    const int line = Place([&](CellGrid& cells) { return PlaceJacicAdd(entry, cells); });
    if (line == 0) {
        depth_->setFocus();
        return false;
    }
    ScrollToLine(line);
    ClearEntryFields();
    grid_->SetModified();
    return true;
}

TableTextResult CJacicSoilDlg::EnterPastedText(std::string_view text, char separator, CellGrid& cells) {
    return EnterJacicSoilText(text, separator, cells, CheckedFlags());
}

std::string CJacicSoilDlg::CopiedText(const std::vector<int>& lines) const {
    return JacicSoilLinesAsText(grid_->Cells(), lines);
}

// ---- Buttons --------------------------------------------------------------------

void CJacicSoilDlg::ScrollToLine(int line) { grid_->scrollToItem(grid_->item(line - 1, 0)); }

void CJacicSoilDlg::OnAdd() {
    grid_->EndEditing();
    JacicLine entry;
    if (GatherEntry(entry, true)) {
        const int line = Place([&](CellGrid& cells) { return PlaceJacicAdd(entry, cells); });
        if (line != 0) {
            ScrollToLine(line);
            ClearEntryFields();
        }
    }
    grid_->SetModified();
    LeaveCurrentLine();
    depth_->setFocus();
}

void CJacicSoilDlg::OnOverwrite() {
    grid_->EndEditing();
    JacicLine entry;
    if (GatherEntry(entry, true)) {
        const int current = grid_->CurrentLine();
        const int line = Place([&](CellGrid& cells) { return PlaceJacicOverwrite(entry, current, cells); });
        if (line != 0) {
            ScrollToLine(line);
            grid_->SetModified();
            ClearEntryFields();
        }
    }
    grid_->setFocus();
    LeaveCurrentLine();
    add_->setEnabled(true);
    depth_->setFocus();
}

void CJacicSoilDlg::OnDelete() {
    if (grid_->DeleteSelectedLine()) {
        ClearEntryFields();
        grid_->SetModified();
    }
    add_->setEnabled(true);
    depth_->setFocus();
    state_.BackToFirstGroup();
}

}  // namespace vosk
