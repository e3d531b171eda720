#include "ui/widgets/editable_list_grid.h"

#include <QStyle>

#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QEnterEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>

#include "entry/grid_rules.h"
#include "platform/cp932.h"
#include "platform/message_service.h"
#include "survey/field_check.h"

namespace vosk {
namespace {

bool g_pointerHidden = false;

QString Shown(const FieldText& bytes) { return QString::fromStdString(Cp932ToUtf8(bytes)); }

bool IsEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

}  // namespace

EditableListGrid::EditableListGrid(QDialog* dialog, Host* host, int lines, std::vector<GridColumn> columns,
                                   const long& enterKeyMode)
    : QTableWidget(lines, static_cast<int>(columns.size()), dialog),
      dialog_(dialog),
      host_(host),
      enterKeyMode_(enterKeyMode),
      cells_(lines, static_cast<int>(columns.size())),
      shown_(lines, static_cast<int>(columns.size())) {
    QStringList headers;
    for (const GridColumn& column : columns) {
        headers << column.header;
        enterStops_.push_back(column.enterStop);
    }
    setHorizontalHeaderLabels(headers);
    for (int c = 0; c < columnCount(); ++c) setColumnWidth(c, columns[static_cast<size_t>(c)].width);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    setShowGrid(true);
    setWordWrap(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // The only editor is the one laid over the cell by BeginCellEdit.
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    // Whole lines scroll, so the first visible line is always whole; columns
    // may be partly scrolled off.
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    for (int r = 0; r < lines; ++r)
        for (int c = 0; c < columnCount(); ++c) {
            auto* item = new QTableWidgetItem;
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            setItem(r, c, item);
        }

    editor_ = new QLineEdit(dialog);
    editor_->setObjectName(QStringLiteral("cellEditor"));
    editor_->setFrame(false);
    editor_->setTextMargins(3, 0, 0, 0);
    editor_->hide();

    // The pointer tracking follows moves over the dialog, the list and the editor.
    dialog->setMouseTracking(true);
    viewport()->setMouseTracking(true);
    editor_->setMouseTracking(true);
    // Application-wide, as the dialog's pre-translation saw every message of
    // its controls; only events of this dialog's widgets are looked at.
    qApp->installEventFilter(this);
}

EditableListGrid::~EditableListGrid() { Detach(); }

void EditableListGrid::Detach() {
    qApp->removeEventFilter(this);
    host_ = nullptr;
    ShowPointer();
}

// ---- Texts ----------------------------------------------------------------

void EditableListGrid::Refill(CellGrid filled, int lastDataLine) {
    cells_ = std::move(filled);
    ShowCells();
    clearSelection();
    currentLine_ = lastDataLine < Lines() ? lastDataLine + 1 : 0;
    if (currentLine_ >= 1) SelectLine(currentLine_);
    currentColumn_ = 1;
    editing_ = false;
    context_ = kInitialContext;
    pointerReleased_ = true;
    modified_ = false;
    downArrow_ = false;
}

void EditableListGrid::ShowCells() {
    bool changed = false;
    for (int l = 1; l <= Lines(); ++l)
        for (int c = 1; c <= Columns(); ++c)
            if (cells_.Cell(l, c) != shown_.Cell(l, c)) {
                item(l - 1, c - 1)->setText(Shown(cells_.Cell(l, c)));
                shown_.SetCell(l, c, cells_.Cell(l, c));
                changed = true;
            }
    if (changed) emit CellsChanged();
}

void EditableListGrid::SetCell(int line, int column, FieldText text) {
    cells_.SetCell(line, column, std::move(text));
    ShowCells();
}

int EditableListGrid::UsedLength(int column) const {
    return column == 0 ? cells_.UsedLength() : cells_.UsedLength(column);
}

// ---- Selection --------------------------------------------------------------

void EditableListGrid::FitToColumns(int visibleLines) {
    int columnsWidth = 0;
    for (int c = 0; c < columnCount(); ++c) columnsWidth += columnWidth(c);
    const int frame = 2 * frameWidth();
    setFixedSize(columnsWidth + frame + style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this),
                 horizontalHeader()->sizeHint().height() + frame + visibleLines * verticalHeader()->defaultSectionSize());
}

int EditableListGrid::SelectedLine() const {
    int first = 0;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        if (first == 0 || index.row() + 1 < first) first = index.row() + 1;
    return first;
}

void EditableListGrid::SelectLine(int line) {
    if (line < 1 || line > Lines()) return;
    // Selecting brings the line into view but must not scroll sideways to
    // its first column: an editor laid over a cell on the right would no
    // longer cover it.
    const int sideways = horizontalScrollBar()->value();
    selectionModel()->setCurrentIndex(model()->index(line - 1, 0),
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    horizontalScrollBar()->setValue(sideways);
}

void EditableListGrid::DeselectLine(int line) {
    if (line < 1 || line > Lines()) return;
    selectionModel()->select(model()->index(line - 1, 0), QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
}

bool EditableListGrid::DeleteSelectedLine() {
    currentLine_ = 0;
    int line = SelectedLine();
    if (line == 0) return false;
    cells_.DeleteLine(line);
    ShowCells();
    clearSelection();
    return true;
}

int EditableListGrid::TopLine() const {
    int row = rowAt(0);
    return row < 0 ? 1 : row + 1;
}

int EditableListGrid::VisibleLines() const {
    int height = rowHeight(0);
    return height > 0 ? viewport()->height() / height : 0;
}

// ---- The cell editor --------------------------------------------------------

int EditableListGrid::BeginCellEdit(int line, int column) {
    if (line < 1 || line > Lines() || column < 1 || column > Columns()) return kOutOfRange;
    QScrollBar* bar = verticalScrollBar();
    switch (ReachLine(line - 1, TopLine() - 1, VisibleLines())) {
        case LineReach::Unreachable: return kNotReachable;
        case LineReach::ScrollUp: bar->setValue(bar->value() - 1); break;
        case LineReach::ScrollDown: bar->setValue(bar->value() + 1); break;
        case LineReach::Visible: break;
    }
    const QRect cell = visualRect(model()->index(line - 1, column - 1));
    std::optional<EditorSpan> span = ClipEditorSpan(cell.left(), columnWidth(column - 1), viewport()->width());
    if (!span) return kTooNarrow;

    editorRect_ = QRect(viewport()->mapTo(dialog_, QPoint(span->left, cell.top())), QSize(span->width, cell.height()));
    editor_->setGeometry(editorRect_);
    editorBytes_ = cells_.Cell(line, column);
    editorShown_ = Shown(editorBytes_);
    editor_->setText(editorShown_);
    editor_->show();
    editor_->raise();
    editor_->setFocus(Qt::OtherFocusReason);
    QCursor::setPos(editor_->mapToGlobal(QPoint(1, 1)));
    context_ = kEditorContext;
    editor_->end(false);
    editing_ = true;
    modified_ = true;
    return kPlaced;
}

void EditableListGrid::CommitCellEdit() {
    if (!editing_ || committing_) return;
    ShowPointer();
    // Between cells the editor is hidden and no cell changes.
    if (!editor_->isVisible()) return;
    const QString text = editor_->text();
    committing_ = true;
    // The focus goes back to the list unless the user has put it elsewhere.
    if (editor_->hasFocus()) setFocus(Qt::OtherFocusReason);
    editor_->clear();
    editor_->hide();
    committing_ = false;

    const int line = currentLine_, column = currentColumn_;
    if (line < 1 || line > Lines() || column < 1 || column > Columns()) return;
    FieldText bytes;
    if (text == editorShown_) {
        bytes = editorBytes_;
    } else {
        FieldCheck check = CheckEnteredText(text.toStdString(), FieldKind::Table);
        if (!check.ok()) {
            showingMessage_ = true;
            ShowMessage(check.refusal);
            showingMessage_ = false;
            return;
        }
        bytes = std::move(check.bytes);
    }
    SetCell(line, column, std::move(bytes));
    if (host_) host_->LoadLineIntoEntry(line, column);
}

void EditableListGrid::EndEditing() {
    // An open editor is written first: turning the flag off alone would let
    // the typed text vanish when the editor later loses the focus.
    if (editing_ && editor_->isVisible()) CommitCellEdit();
    editing_ = false;
}

void EditableListGrid::OnOk() {
    context_ = context_ == kEditorContext ? kGridContext : kDialogContext;
    if (editing_) {
        // The first Enter after a cell edit moves the editor; one in the
        // dialog context ends the edit. Neither closes the dialog.
        if (context_ == kDialogContext) EndEditing();
        return;
    }
    if (host_) host_->ConfirmDialog();
}

// ---- Keys -------------------------------------------------------------------

bool EditableListGrid::PreTranslateKey(QKeyEvent* key) {
    const int k = key->key();
    if (editing_) {
        if (!IsEnter(k) && k != Qt::Key_Tab && k != Qt::Key_Backtab && k != Qt::Key_Escape && k != Qt::Key_Up &&
            k != Qt::Key_Down)
            return false;
        // Esc too keeps the typed text: a cell edit has no cancel.
        CommitCellEdit();
        pointerReleased_ = true;
        context_ = kGridContext;
        if (IsEnter(k)) return EnterFromCell();
        if (k == Qt::Key_Up) {
            MoveVertically(-1);
            return true;
        }
        if (k == Qt::Key_Down) MoveVertically(1);
        return false;
    }
    if (IsEnter(k)) {
        const long mode = enterKeyMode_;
        if (mode == 0) return false;  // the dialog presses its default button
        if (mode == 1) FocusNextControl();
        return true;
    }
    if (k == Qt::Key_Down) downArrow_ = true;
    return false;
}

bool EditableListGrid::EnterFromCell() {
    if (int next = NextEnterStop(enterStops_, currentColumn_); next != 0) {
        if (BeginCellEdit(currentLine_, next) == kPlaced)
            currentColumn_ = next;
        else
            context_ = kDialogContext;
        // Passed on to the dialog, whose OK arbitrates.
        OnOk();
        return true;
    }
    if (currentLine_ >= Lines()) {
        context_ = kGridContext;
        editing_ = false;
        return true;
    }
    host_->ClearEntryFields();
    const int next = currentLine_ + 1;
    switch (BeginCellEdit(next, 1)) {
        case kPlaced:
            currentLine_ = next;
            currentColumn_ = 1;
            host_->LoadLineIntoEntry(currentLine_, 0);
            break;
        case kNotReachable: context_ = kGridContext; break;
        case kTooNarrow:
            SelectLine(next);
            context_ = kGridContext;
            break;
        default:
            context_ = kDialogContext;
            editing_ = false;
            break;
    }
    return true;
}

void EditableListGrid::MoveVertically(int step) {
    const int target = currentLine_ + step;
    if ((step < 0 && currentLine_ <= 1) || (step > 0 && currentLine_ >= Lines())) {
        context_ = kDialogContext;
        editing_ = false;
    } else {
        switch (BeginCellEdit(target, currentColumn_)) {
            case kPlaced: currentLine_ = target; break;
            case kNotReachable: context_ = kGridContext; break;
            default:
                context_ = kDialogContext;
                editing_ = false;
                break;
        }
    }
    host_->ClearEntryFields();
    if (currentLine_ >= 1) host_->LoadLineIntoEntry(currentLine_, 0);
}

void EditableListGrid::FocusNextControl() {
    // Tab order of the dialog, from whichever control has the focus.
    QWidget::focusNextPrevChild(true);
}

// ---- Clicks and the pointer -------------------------------------------------

void EditableListGrid::OnSingleClick() {
    const bool wasEditing = editing_;
    if (editing_) pointerReleased_ = true;
    if (int line = SelectedLine(); line != 0) {
        currentLine_ = line;
        host_->LoadLineIntoEntry(line, 0);
    } else if (wasEditing && currentLine_ >= 1) {
        SelectLine(currentLine_);
    }
    editing_ = false;
}

void EditableListGrid::OnDoubleClick(const QPoint& viewportPos) {
    const QModelIndex index = indexAt(viewportPos);
    if (!index.isValid()) {
        host_->ClearEntryFields();
        return;
    }
    // The release that ends the double click is no click of its own.
    swallowRelease_ = true;
    DeselectLine(index.row() + 1);
    currentColumn_ = index.column() + 1;
    currentLine_ = index.row() + 1;
    editing_ = true;
    pointerReleased_ = BeginCellEdit(currentLine_, currentColumn_) != kPlaced;
}

void EditableListGrid::OnDialogPress() {
    if (!editing_) return;
    CommitCellEdit();
    pointerReleased_ = true;
    editing_ = false;
}

QRect EditableListGrid::GridRect() const { return QRect(mapTo(dialog_, QPoint(0, 0)), size()); }

void EditableListGrid::TrackPointer(const QPoint& pos, bool insideDialog) {
    const bool overGrid = insideDialog && GridRect().contains(pos);
    if (pointerReleased_) {
        if (!overGrid) {
            EndEditing();
            ShowPointer();
        }
        return;
    }
    if (insideDialog && editorRect_.contains(pos)) {
        context_ = kEditorContext;
        savedTopLine_ = TopLine();
    } else if (overGrid) {
        ShowPointer();
        context_ = kGridContext;
        // The list scrolled under the editor: the edit ends.
        if (TopLine() != savedTopLine_) {
            savedTopLine_ = TopLine();
            setFocus(Qt::OtherFocusReason);
            EndEditing();
        }
    } else if (insideDialog) {
        ShowPointer();
        context_ = kDialogContext;
    } else {
        ShowPointer();
        context_ = kDialogContext;
        pointerReleased_ = true;
        setFocus(Qt::OtherFocusReason);
        EndEditing();
    }
}

bool EditableListGrid::PointerHidden() { return g_pointerHidden; }

void EditableListGrid::HidePointer() {
    if (g_pointerHidden) return;
    QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
    g_pointerHidden = true;
}

void EditableListGrid::ShowPointer() {
    if (!g_pointerHidden) return;
    QGuiApplication::restoreOverrideCursor();
    g_pointerHidden = false;
}

bool EditableListGrid::eventFilter(QObject* watched, QEvent* event) {
    if (!watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (!host_ || widget->window() != dialog_ || !dialog_->isVisible() || showingMessage_) return false;
    switch (event->type()) {
        case QEvent::KeyPress: {
            // Keys reach the focus widget first; the same key passed on to
            // its parents is not looked at again.
            if (widget != QApplication::focusWidget()) return false;
            if (PreTranslateKey(static_cast<QKeyEvent*>(event))) return true;
            if (widget == this && downArrow_) {
                // A key for the list after Down: the user leaves the lines.
                host_->ClearEntryFields();
                currentLine_ = 0;
                downArrow_ = false;
            }
            return false;
        }
        case QEvent::FocusIn:
            if (widget == editor_) {
                context_ = kEditorContext;
                HidePointer();
            }
            return false;
        case QEvent::FocusOut:
            if (widget == editor_ && !committing_) {
                CommitCellEdit();
                pointerReleased_ = true;
            }
            return false;
        case QEvent::MouseButtonPress:
            if (widget == dialog_ && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) OnDialogPress();
            return false;
        case QEvent::MouseButtonDblClick:
            if (widget == viewport() && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
                OnDoubleClick(static_cast<QMouseEvent*>(event)->position().toPoint());
            return false;
        case QEvent::MouseButtonRelease:
            if (widget == viewport() && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                if (swallowRelease_)
                    swallowRelease_ = false;
                else
                    OnSingleClick();
            }
            return false;
        case QEvent::MouseMove:
            TrackPointer(widget->mapTo(dialog_, static_cast<QMouseEvent*>(event)->position().toPoint()), true);
            return false;
        case QEvent::Enter:
            TrackPointer(widget->mapTo(dialog_, static_cast<QEnterEvent*>(event)->position().toPoint()), true);
            return false;
        case QEvent::Leave:
            if (widget == dialog_) TrackPointer(QPoint(), false);
            return false;
        default:
            return false;
    }
}

}  // namespace vosk
