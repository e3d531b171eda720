#pragma once
// The key and pointer state of the data dialogs' editable grid, kept apart
// from the widget so that every decision can be checked alone: the current
// line and column, whether a cell edit is in progress, what the next Enter
// does, whether the pointer tracking of an edit is active, and the modified
// flag.
//
// The widget reports what happened in plain terms (which key, where the
// pointer is, what placing the cell editor gave) and carries out the steps
// it gets back; geometry, focus, the pointer's shape and the scroll bar stay
// its own. Lines and columns are numbered from 1, 0 meaning none.

#include <cstddef>
#include <vector>

namespace vosk {

// The keys the grid tells apart.
enum class GridKey { Enter, Tab, Esc, Up, Down, Other };

// Where the pointer is: over the cell editor (which always lies inside the
// grid), over the rest of the grid, elsewhere in the dialog, or out of it.
enum class PointerAt { Editor, Grid, Dialog, Outside };

// One thing the widget must do.
struct GridAction {
    enum Kind {
        // The pointer shows again, and an open editor's text goes into the
        // current cell and the line into the entry fields; the editor hides.
        CommitEditor,
        // The same, but only when the editor is open: ending an edit between
        // cells leaves the pointer as it is.
        CloseEditor,
        ClearEntry,        // the host empties its entry fields
        BeginEdit,         // place the editor over (line, column); see GridState::EditorResult
        LoadLine,          // the host loads `line` into the entry fields, every column
        SelectLine,        // `line` selected alone, with the list's focus mark
        DeselectLine,      // `line` no longer selected
        Confirm,           // the host stores its table and closes
        ShowPointer,
        HidePointer,
        FocusGrid,         // the keyboard focus to the list
        FocusNextControl,  // the keyboard focus to the next control in tab order
    };
    Kind kind;
    int line = 0;
    int column = 0;

    friend bool operator==(const GridAction&, const GridAction&) = default;
};

// What one event asks of the widget, in order. A BeginEdit is always the
// last action: the event goes on once the widget reports the result.
struct GridStep {
    std::vector<GridAction> actions;
    bool consumed = false;  // the key goes no further than the grid
};

class GridState {
public:
    // Results of placing the cell editor.
    enum BeginResult { kPlaced = 0, kNotReachable = 2, kTooNarrow = 4, kOutOfRange = 8 };
    // What the next Enter (and the dialog's OK) does: the editor has the
    // focus or the pointer; just opened; ordinary dialog behaviour; Enter
    // moves the editor.
    enum EnterContext { kEditorContext = 1, kInitialContext = 2, kDialogContext = 4, kGridContext = 8 };

    // `enterStops[c - 1]`: Enter navigation stops in column c.
    GridState(int lines, std::vector<bool> enterStops);

    int Lines() const { return lines_; }
    int Columns() const { return static_cast<int>(enterStops_.size()); }
    bool InRange(int line, int column) const {
        return line >= 1 && line <= lines_ && column >= 1 && column <= Columns();
    }

    int CurrentLine() const { return currentLine_; }
    void SetCurrentLine(int line) { currentLine_ = line; }
    int CurrentColumn() const { return currentColumn_; }
    bool IsEditing() const { return editing_; }
    int Context() const { return context_; }
    bool PointerReleased() const { return pointerReleased_; }
    bool IsModified() const { return modified_; }
    void SetModified() { modified_ = true; }

    bool EnterStop(int column) const { return enterStops_.at(static_cast<std::size_t>(column - 1)); }
    void SetEnterStop(int column, bool stop) { enterStops_.at(static_cast<std::size_t>(column - 1)) = stop; }

    // The grid was filled, its last data line `lastDataLine` (0: none): the
    // line after it becomes current (none past the end), column 1, nothing
    // edited, nothing modified, the dialog just opened.
    void Filled(int lastDataLine);
    // The selected line was removed: no line stays current.
    void LineDeleted() { currentLine_ = 0; }
    // The editor now stands over a cell with the focus.
    void EditorPlaced();
    // What the BeginEdit that ended the last step gave; the event that
    // asked for it goes on.
    GridStep EditorResult(int result);

    // A key pressed anywhere in the dialog; Enter outside a cell edit
    // follows `enterKeyMode` (0 the dialog's default button, 1 the next
    // control, 2 nothing).
    GridStep KeyPressed(GridKey key, long enterKeyMode);
    // A key the grid did not consume went on to its widget; `toList` when
    // that widget is the list.
    GridStep KeyPassedOn(bool toList);
    // The dialog's OK, by button or by Enter.
    GridStep Ok();
    // The host ends a cell edit (before it adds or overwrites).
    GridStep EndEditing();
    // The text of the cell editor was refused as it was committed: the
    // editor stays over its cell with the typed text, the rest of the event
    // that committed is dropped.
    void CommitRefused();

    GridStep EditorFocused();
    GridStep EditorFocusLost();
    // A left button press on the dialog's own surface.
    GridStep DialogPressed();
    // A double click on the list; `line` 0 when it fell on no line.
    GridStep DoubleClicked(int line, int column);
    // A single click on the list, `selectedLine` selected after it (0: none).
    GridStep SingleClicked(int selectedLine);
    // The pointer moved; `topLine` is the list's first visible line.
    GridStep PointerMoved(PointerAt where, int topLine);

private:
    // An event waiting for the result of its BeginEdit.
    enum class Pending { None, NextColumn, NextLine, LineUp, LineDown, DoubleClick };

    GridStep Begin(GridStep step, Pending pending, int line, int column);
    void EndEditingInto(GridStep& step);
    void MoveVertically(GridStep& step, int by);

    int lines_;
    std::vector<bool> enterStops_;
    int currentLine_ = 0;
    int currentColumn_ = 1;
    bool editing_ = false;
    int context_ = kInitialContext;
    bool pointerReleased_ = true;
    int savedTopLine_ = 1;
    bool downArrow_ = false;
    bool modified_ = false;
    Pending pending_ = Pending::None;
    int pendingLine_ = 0;
    int pendingColumn_ = 0;
};

}  // namespace vosk
