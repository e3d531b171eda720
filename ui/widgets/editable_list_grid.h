#pragma once
// The grid the data dialogs edit their tables in: a report-style list of a
// fixed number of lines with grid lines and full-row selection, a borderless
// editor laid over one cell at a time, the keys that move it between cells,
// the pointer hidden while typing, and the arbitration of Enter between the
// cell editor and the dialog's OK.
//
// The texts live in a CellGrid as CP932 bytes, so a cell nobody edits keeps
// its bytes exactly; the list shows them. The current line and column, the
// editing flag, the Enter context and what each key and click does are
// decided by a GridState; this widget reports the events to it and carries
// out the steps it answers with. Lines and columns are numbered from 1
// everywhere, 0 meaning none.
//
// The grid watches the keys, clicks and pointer moves of its whole dialog
// (as the dialog's own pre-translation of messages did), so the host needs
// no key handling of its own: it connects its OK button to OnOk and
// implements the three hooks of Host.

#include <QTableWidget>
#include <utility>
#include <vector>

#include "entry/cell_grid.h"
#include "entry/grid_state.h"

class QDialog;
class QKeyEvent;
class QLineEdit;

namespace vosk {

struct GridColumn {
    QString header;
    int width = 60;         // pixels
    bool enterStop = true;  // Enter navigation stops in this column
};

class EditableListGrid : public QTableWidget {
    Q_OBJECT
public:
    // What the dialog that hosts the grid supplies.
    class Host {
    public:
        virtual ~Host() = default;
        // Copies line `line` into the entry fields and selects it; `column`
        // is the column whose cell was just edited, 0 when the whole line is
        // loaded.
        virtual void LoadLineIntoEntry(int line, int column) = 0;
        virtual void ClearEntryFields() = 0;
        // OK got past the arbitration: store the table and close.
        virtual void ConfirmDialog() = 0;
        // Text pasted into the list (Ctrl+V, the context menu): the host
        // enters it as rows. A host that takes no paste leaves it.
        virtual void PasteRows(const QString& text) { (void)text; }
        // What Ctrl+C copies of `lines`; empty when the host copies nothing.
        virtual QString CopyRows(const std::vector<int>& lines) const {
            (void)lines;
            return {};
        }
    };

    // Results of BeginCellEdit.
    using BeginResult = GridState::BeginResult;
    using enum GridState::BeginResult;
    // What the next Enter (and the dialog's OK) does.
    using EnterContext = GridState::EnterContext;
    using enum GridState::EnterContext;

    // A child of `dialog`; `host` is usually the dialog itself. The grid
    // always holds `lines` lines of the given columns. Enter follows the
    // setting `enterKeyMode`, read at each key.
    EditableListGrid(QDialog* dialog, Host* host, int lines, std::vector<GridColumn> columns,
                     const long& enterKeyMode);
    ~EditableListGrid() override;
    // Stops watching the dialog and calling the host. A host calls it first
    // in its destructor: a dialog destroyed while shown hides in the base
    // class's destructor, and the focus leaving the cell editor then would
    // reach a host that is already gone.
    void Detach();

    // A fixed size that shows every column and `visibleLines` lines.
    void FitToColumns(int visibleLines);

    int Lines() const { return cells_.Lines(); }
    int Columns() const { return cells_.Columns(); }

    // ---- The texts ------------------------------------------------------

    // Fills every line from `table` (same size as the grid): a line for
    // which `holdsData(table, line)` is true shows its cells, any other line
    // stays blank. The line after the last data line becomes current,
    // selected and focused (none when that is past the end); column 1,
    // editing off, Enter context initial, modified off.
    template <typename HoldsData>
    void FillGrid(const CellGrid& table, HoldsData&& holdsData) {
        CellGrid filled(Lines(), Columns());
        int last = 0;
        for (int l = 1; l <= Lines() && l <= table.Lines(); ++l) {
            if (!holdsData(table, l)) continue;
            for (int c = 1; c <= Columns() && c <= table.Columns(); ++c) filled.SetCell(l, c, table.Cell(l, c));
            last = l;
        }
        Refill(std::move(filled), last);
    }

    const CellGrid& Cells() const { return cells_; }
    const FieldText& Cell(int line, int column) const { return cells_.Cell(line, column); }
    void SetCell(int line, int column, FieldText text);
    // Runs `change` on the texts (a rule of the core working on the grid)
    // and shows the result; returns what `change` returns.
    template <typename Change>
    decltype(auto) ChangeCells(Change&& change) {
        struct Show {
            EditableListGrid* grid;
            ~Show() { grid->ShowCells(); }
        } show{this};
        return std::forward<Change>(change)(cells_);
    }

    // The last line with text in `column`, or in any column for 0; 0 when
    // there is none.
    int UsedLength(int column = 0) const;

    // ---- Selection and position -----------------------------------------

    // The first selected line, 0 when none.
    int SelectedLine() const;
    // Selects the line alone and gives it the list's focus mark.
    void SelectLine(int line);
    void DeselectLine(int line);

    // Makes `line` current as a click on it does: selected, in view and
    // loaded into the entry fields.
    void GoToLine(int line);

    int CurrentLine() const { return state_.CurrentLine(); }
    void SetCurrentLine(int line) { state_.SetCurrentLine(line); }
    int CurrentColumn() const { return state_.CurrentColumn(); }

    // Removes the selected line; the lines below move up, a blank line
    // comes in at the end and nothing stays selected. The current line
    // becomes 0 either way. False when no line was selected.
    bool DeleteSelectedLine();

    // ---- The cell editor ------------------------------------------------

    // Lays the editor over the cell and gives it the focus: kPlaced, or
    // kNotReachable (more than one line outside the visible lines),
    // kTooNarrow (less than 5 pixels of the cell visible), kOutOfRange.
    // A line just outside the visible lines is scrolled into view first.
    // Placing the editor turns the editing flag on; the current line and
    // column are the caller's to set.
    int BeginCellEdit(int line, int column);
    // Writes the editor's text into the current cell, hides the editor and
    // loads the line into the entry fields. Text that CP932 or the data
    // sheet cannot carry is refused with a message: the cell keeps its
    // text, and the editor stays over it with the typed text, the
    // offending characters selected. Nothing happens unless an edit is in
    // progress. False when refused.
    bool CommitCellEdit();
    // Commits an open editor and turns the editing flag off; false when the
    // editor's text was refused (the edit then goes on).
    bool EndEditing();
    bool IsEditing() const { return state_.IsEditing(); }
    int Context() const { return state_.Context(); }
    QLineEdit* CellEditor() const { return editor_; }

    bool EnterStop(int column) const { return state_.EnterStop(column); }
    void SetEnterStop(int column, bool stop) { state_.SetEnterStop(column, stop); }

    // The dialog's OK, by button or by Enter: ends a cell edit in progress,
    // and only when none is in progress calls Host::ConfirmDialog.
    void OnOk();

    // Any in-place edit opened; the host adds its adds, overwrites and
    // deletes. The host's Cancel asks before throwing such changes away.
    bool IsModified() const { return state_.IsModified(); }
    void SetModified() { state_.SetModified(); }

    // The first visible line and the number of lines fully visible.
    int TopLine() const;
    int VisibleLines() const;

    // The mouse pointer is hidden while a cell is typed into; hiding or
    // showing twice has the effect of once.
    static bool PointerHidden();
    static void HidePointer();
    static void ShowPointer();

    // Ctrl+C of the selected lines and Ctrl+V, as the context menu offers
    // them, through the host.
    void CopySelectedLines();
    void PasteClipboard();

signals:
    // Some cell's text changed: a write-back, an add, an overwrite, a delete.
    void CellsChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // What commits the editor: an action of the user's (a key, OK, Add)
    // tells a refusal every time; leaving the cell (focus, pointer, a
    // click) tells it once for a text.
    enum class Commit { OnAction, OnLeaving };

    void Refill(CellGrid filled, int lastDataLine);
    void ShowCells();
    // Places the editor without telling the state.
    int PlaceEditor(int line, int column);
    // CommitCellEdit once the state has decided that an edit is in
    // progress; false when the text was refused and the editor kept.
    bool CommitEditor(Commit how);
    // Carries out a step of the state, and the rest of the event after a
    // BeginEdit; true when the key was consumed. A refused commit drops the
    // rest of the step.
    bool Run(GridStep step, Commit how = Commit::OnLeaving);
    bool OnKey(QWidget* widget, QKeyEvent* key);
    void TrackPointer(const QPoint& dialogPos, bool insideDialog);
    QRect GridRect() const;

    QDialog* dialog_;
    Host* host_;
    const long& enterKeyMode_;
    CellGrid cells_;
    CellGrid shown_;  // what the list shows, to update only changed cells
    GridState state_;
    QLineEdit* editor_;
    // The text put into the editor and its bytes: an unchanged text keeps
    // the cell's bytes even where they do not decode.
    QString editorShown_;
    FieldText editorBytes_;
    QRect editorRect_;

    // Qt's own re-entry: hiding the focused editor, a message box, and the
    // release that ends a double click.
    bool committing_ = false;
    bool showingMessage_ = false;
    bool swallowRelease_ = false;
    // The editor holds a refused text: clicks on the list wait until it is
    // mended, so that no other line takes the edit's place.
    bool holdingRefused_ = false;
};

}  // namespace vosk
