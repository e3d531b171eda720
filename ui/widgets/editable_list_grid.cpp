#include "ui/widgets/editable_list_grid.h"

#include <QStyle>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCursor>
#include <QDialog>
#include <QEnterEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>
#include <optional>

#include "entry/grid_rules.h"
#include "platform/cp932.h"
#include "platform/message_service.h"
#include "survey/field_check.h"
#include "ui/widgets/field_guard.h"

namespace vosk {
namespace {

bool g_pointerHidden = false;

QString Shown(const FieldText& bytes) { return QString::fromStdString(Cp932ToUtf8(bytes)); }

GridKey ToGridKey(int key) {
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter: return GridKey::Enter;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return GridKey::Tab;
        case Qt::Key_Escape: return GridKey::Esc;
        case Qt::Key_Up: return GridKey::Up;
        case Qt::Key_Down: return GridKey::Down;
        default: return GridKey::Other;
    }
}

std::vector<bool> EnterStops(const std::vector<GridColumn>& columns) {
    std::vector<bool> stops;
    for (const GridColumn& column : columns) stops.push_back(column.enterStop);
    return stops;
}

}  // namespace

EditableListGrid::EditableListGrid(QDialog* dialog, Host* host, int lines, std::vector<GridColumn> columns,
                                   const long& enterKeyMode)
    : QTableWidget(lines, static_cast<int>(columns.size()), dialog),
      dialog_(dialog),
      host_(host),
      enterKeyMode_(enterKeyMode),
      cells_(lines, static_cast<int>(columns.size())),
      shown_(lines, static_cast<int>(columns.size())),
      state_(lines, EnterStops(columns)) {
    QStringList headers;
    for (const GridColumn& column : columns) headers << column.header;
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
    state_.Filled(lastDataLine);
    if (state_.CurrentLine() >= 1) SelectLine(state_.CurrentLine());
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
    state_.LineDeleted();
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
    const int result = PlaceEditor(line, column);
    if (result == kPlaced) state_.EditorPlaced();
    return result;
}

int EditableListGrid::PlaceEditor(int line, int column) {
    if (!state_.InRange(line, column)) return kOutOfRange;
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
    // A refusal told in another cell is news again here.
    ForgetRefusal(editor_);
    editor_->setText(editorShown_);
    editor_->show();
    editor_->raise();
    editor_->setFocus(Qt::OtherFocusReason);
    QCursor::setPos(editor_->mapToGlobal(QPoint(1, 1)));
    editor_->end(false);
    return kPlaced;
}

bool EditableListGrid::CommitCellEdit() { return !state_.IsEditing() || CommitEditor(Commit::OnAction); }

bool EditableListGrid::CommitEditor(Commit how) {
    if (committing_) return true;
    ShowPointer();
    // Between cells the editor is hidden and no cell changes.
    if (!editor_->isVisible()) return true;
    const QString text = editor_->text();
    const int line = state_.CurrentLine(), column = state_.CurrentColumn();
    FieldText bytes;
    if (text == editorShown_) {
        bytes = editorBytes_;
    } else {
        FieldCheck check = CheckEnteredText(text.toStdString(), FieldKind::Table);
        if (!check.ok()) {
            // The typed text stays in the editor over its cell, to be mended.
            showingMessage_ = true;
            KeepRefusedText(editor_, check,
                            how == Commit::OnAction ? RefusalNotice::Always : RefusalNotice::OncePerText);
            showingMessage_ = false;
            holdingRefused_ = true;
            state_.CommitRefused();
            return false;
        }
        bytes = std::move(check.bytes);
    }
    holdingRefused_ = false;
    committing_ = true;
    // The focus goes back to the list unless the user has put it elsewhere.
    if (editor_->hasFocus()) setFocus(Qt::OtherFocusReason);
    editor_->clear();
    editor_->hide();
    committing_ = false;

    if (!state_.InRange(line, column)) return true;
    SetCell(line, column, std::move(bytes));
    if (host_) host_->LoadLineIntoEntry(line, column);
    return true;
}

bool EditableListGrid::EndEditing() {
    Run(state_.EndEditing(), Commit::OnAction);
    return !holdingRefused_;
}

void EditableListGrid::GoToLine(int line) {
    if (line < 1 || line > Lines()) return;
    SelectLine(line);
    Run(state_.SingleClicked(line));
}

void EditableListGrid::OnOk() { Run(state_.Ok(), Commit::OnAction); }

bool EditableListGrid::Run(GridStep step, Commit how) {
    for (;;) {
        std::optional<int> placed;
        for (const GridAction& action : step.actions) {
            switch (action.kind) {
                case GridAction::CommitEditor:
                    if (!CommitEditor(how)) return true;
                    break;
                case GridAction::CloseEditor:
                    if (editor_->isVisible() && !CommitEditor(how)) return true;
                    break;
                case GridAction::ClearEntry:
                    if (host_) host_->ClearEntryFields();
                    break;
                case GridAction::BeginEdit: placed = PlaceEditor(action.line, action.column); break;
                case GridAction::LoadLine:
                    if (host_) host_->LoadLineIntoEntry(action.line, action.column);
                    break;
                case GridAction::SelectLine: SelectLine(action.line); break;
                case GridAction::DeselectLine: DeselectLine(action.line); break;
                case GridAction::Confirm:
                    if (host_) host_->ConfirmDialog();
                    break;
                case GridAction::ShowPointer: ShowPointer(); break;
                case GridAction::HidePointer: HidePointer(); break;
                case GridAction::FocusGrid: setFocus(Qt::OtherFocusReason); break;
                // Tab order of the dialog, from whichever control has the focus.
                case GridAction::FocusNextControl: QWidget::focusNextPrevChild(true); break;
            }
        }
        if (!placed) return step.consumed;
        step = state_.EditorResult(*placed);
    }
}

bool EditableListGrid::OnKey(QWidget* widget, QKeyEvent* key) {
    if (Run(state_.KeyPressed(ToGridKey(key->key()), enterKeyMode_), Commit::OnAction)) return true;
    Run(state_.KeyPassedOn(widget == this));
    return false;
}

// ---- The pointer ------------------------------------------------------------

QRect EditableListGrid::GridRect() const { return QRect(mapTo(dialog_, QPoint(0, 0)), size()); }

void EditableListGrid::TrackPointer(const QPoint& pos, bool insideDialog) {
    PointerAt where = PointerAt::Outside;
    if (insideDialog) {
        // The editor is placed over a fully visible cell, so its rectangle
        // lies inside the grid's.
        if (editorRect_.contains(pos))
            where = PointerAt::Editor;
        else if (GridRect().contains(pos))
            where = PointerAt::Grid;
        else
            where = PointerAt::Dialog;
    }
    Run(state_.PointerMoved(where, TopLine()));
}

// ---- Copy and paste ----------------------------------------------------------

void EditableListGrid::CopySelectedLines() {
    if (!host_) return;
    std::vector<int> lines;
    for (const QModelIndex& index : selectionModel()->selectedRows()) lines.push_back(index.row() + 1);
    std::sort(lines.begin(), lines.end());
    const QString text = host_->CopyRows(lines);
    if (!text.isEmpty()) QGuiApplication::clipboard()->setText(text);
}

void EditableListGrid::PasteClipboard() {
    const QString text = QGuiApplication::clipboard()->text();
    if (host_ && !text.isEmpty()) host_->PasteRows(text);
}

void EditableListGrid::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        CopySelectedLines();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        PasteClipboard();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void EditableListGrid::contextMenuEvent(QContextMenuEvent* event) {
    if (!host_) return;
    QMenu menu(this);
    QAction* copy = menu.addAction(QStringLiteral("コピー(&C)"), this, &EditableListGrid::CopySelectedLines);
    copy->setShortcut(QKeySequence::Copy);
    copy->setEnabled(SelectedLine() != 0 && Cells().HasText(SelectedLine()));
    QAction* paste = menu.addAction(QStringLiteral("貼り付け(&P)"), this, &EditableListGrid::PasteClipboard);
    paste->setShortcut(QKeySequence::Paste);
    paste->setEnabled(!QGuiApplication::clipboard()->text().isEmpty());
    menu.exec(event->globalPos());
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
            return OnKey(widget, static_cast<QKeyEvent*>(event));
        }
        case QEvent::FocusIn:
            if (widget == editor_) Run(state_.EditorFocused());
            return false;
        case QEvent::FocusOut:
            if (widget == editor_ && !committing_) Run(state_.EditorFocusLost());
            return false;
        case QEvent::MouseButtonPress:
            if (widget == viewport() && holdingRefused_ && editor_->isVisible()) return true;
            if (widget == dialog_ && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
                Run(state_.DialogPressed());
            return false;
        case QEvent::MouseButtonDblClick:
            if (widget == viewport() && holdingRefused_ && editor_->isVisible()) return true;
            if (widget == viewport() && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                const QModelIndex index = indexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
                // The release that ends the double click is no click of its own.
                if (index.isValid()) swallowRelease_ = true;
                Run(index.isValid() ? state_.DoubleClicked(index.row() + 1, index.column() + 1)
                                    : state_.DoubleClicked(0, 0));
            }
            return false;
        case QEvent::MouseButtonRelease:
            if (widget == viewport() && holdingRefused_ && editor_->isVisible()) return true;
            if (widget == viewport() && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                if (swallowRelease_)
                    swallowRelease_ = false;
                else
                    Run(state_.SingleClicked(SelectedLine()));
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
