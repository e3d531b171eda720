#include "entry/grid_state.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace vosk {

// Readable failures: "BeginEdit(3,1)" rather than bytes.
void PrintTo(const GridAction& a, std::ostream* os) {
    static const char* const names[] = {"CommitEditor", "CloseEditor", "ClearEntry",  "BeginEdit",
                                        "LoadLine",     "SelectLine",  "DeselectLine", "Confirm",
                                        "ShowPointer",  "HidePointer", "FocusGrid",   "FocusNextControl"};
    *os << names[a.kind] << "(" << a.line << "," << a.column << ")";
}

namespace {

using A = GridAction;
using Actions = std::vector<GridAction>;
constexpr int kNone = -1;  // no BeginEdit asked for

const A kCommit{A::CommitEditor};
const A kClose{A::CloseEditor};
const A kClear{A::ClearEntry};
const A kShow{A::ShowPointer};
const A kFocusGrid{A::FocusGrid};
A Begin(int line, int column) { return {A::BeginEdit, line, column}; }
A Load(int line) { return {A::LoadLine, line}; }
A Select(int line) { return {A::SelectLine, line}; }

// The blow grid with both auto switches on: Δh and Nd are no Enter stops.
const std::vector<bool> kBlowStops{true, true, false, false, true};

// A grid whose editor was opened by a double click on (line, column).
GridState EditingAt(int line, int column, int lines = 100, std::vector<bool> stops = kBlowStops) {
    GridState state(lines, std::move(stops));
    state.Filled(0);
    GridStep step = state.DoubleClicked(line, column);
    EXPECT_EQ(step.actions, (Actions{{A::DeselectLine, line}, Begin(line, column)}));
    EXPECT_EQ(state.EditorResult(GridState::kPlaced).actions, Actions{});
    return state;
}

// Runs an event through its BeginEdit, if any, with `result`; returns the
// actions before and after the BeginEdit and whether the key was consumed.
struct Ran {
    Actions first, then;
    bool consumed;
};
Ran RunWith(GridState& state, GridStep step, int result) {
    Ran ran{step.actions, {}, step.consumed};
    const bool asked = !step.actions.empty() && step.actions.back().kind == A::BeginEdit;
    EXPECT_EQ(asked, result != kNone);
    if (asked) {
        GridStep rest = state.EditorResult(result);
        ran.then = rest.actions;
        ran.consumed = rest.consumed;
    }
    return ran;
}

TEST(GridStateTest, FillingMakesTheLineAfterTheDataCurrent) {
    struct Case {
        int lastDataLine, current;
    } cases[] = {{0, 1}, {3, 4}, {99, 100}, {100, 0}};
    for (const Case& c : cases) {
        GridState state = EditingAt(2, 5);
        state.Filled(c.lastDataLine);
        EXPECT_EQ(state.CurrentLine(), c.current) << c.lastDataLine;
        EXPECT_EQ(state.CurrentColumn(), 1);
        EXPECT_FALSE(state.IsEditing());
        EXPECT_FALSE(state.IsModified());
        EXPECT_TRUE(state.PointerReleased());
        EXPECT_EQ(state.Context(), GridState::kInitialContext);
    }
}

TEST(GridStateTest, OkAfterACellEditMovesThenEndsThenConfirms) {
    GridState state = EditingAt(2, 1);
    EXPECT_TRUE(state.IsModified());
    EXPECT_EQ(state.Context(), GridState::kEditorContext);
    // The first OK (Enter in the editor) only turns Enter over to the grid.
    EXPECT_EQ(state.Ok().actions, Actions{});
    EXPECT_EQ(state.Context(), GridState::kGridContext);
    EXPECT_TRUE(state.IsEditing());
    // The second ends the edit, writing what is open; the dialog stays.
    EXPECT_EQ(state.Ok().actions, Actions{kClose});
    EXPECT_EQ(state.Context(), GridState::kDialogContext);
    EXPECT_FALSE(state.IsEditing());
    // Only with no edit in progress does OK store and close.
    EXPECT_EQ(state.Ok().actions, Actions{{A::Confirm}});

    // The pointer over the grid puts an edit into the dialog context: one
    // OK ends it.
    GridState pointed = EditingAt(2, 1);
    pointed.PointerMoved(PointerAt::Dialog, 1);
    EXPECT_EQ(pointed.Ok().actions, Actions{kClose});
    EXPECT_FALSE(pointed.IsEditing());
}

TEST(GridStateTest, EnterWalksTheStopsThenTheNextLine) {
    struct Case {
        const char* what;
        int lines;
        std::vector<bool> stops;
        int line, column, result;
        Actions first, then;
        int lineAfter, columnAfter, context;
        bool editing;
    } cases[] = {
        {"on to the next stop, skipping derived columns", 100, kBlowStops, 2, 2, GridState::kPlaced,
         {kCommit, Begin(2, 5)}, {}, 2, 5, GridState::kGridContext, true},
        {"next stop too narrow: the arbitrated OK ends the edit", 100, kBlowStops, 2, 2, GridState::kTooNarrow,
         {kCommit, Begin(2, 5)}, {kClose}, 2, 2, GridState::kDialogContext, false},
        {"past the last stop: column 1 of the next line, loaded", 100, kBlowStops, 2, 5, GridState::kPlaced,
         {kCommit, kClear, Begin(3, 1)}, {Load(3)}, 3, 1, GridState::kEditorContext, true},
        {"next line out of sight: between cells", 100, kBlowStops, 2, 5, GridState::kNotReachable,
         {kCommit, kClear, Begin(3, 1)}, {}, 2, 5, GridState::kGridContext, true},
        {"next line too narrow: selected", 100, kBlowStops, 2, 5, GridState::kTooNarrow,
         {kCommit, kClear, Begin(3, 1)}, {Select(3)}, 2, 5, GridState::kGridContext, true},
        {"next line refused: the edit ends", 100, kBlowStops, 2, 5, GridState::kOutOfRange,
         {kCommit, kClear, Begin(3, 1)}, {}, 2, 5, GridState::kDialogContext, false},
        {"last column of the last line: the edit ends", 100, kBlowStops, 100, 5, kNone, {kCommit}, {}, 100, 5,
         GridState::kGridContext, false},
        {"a master list's one column: the next line", 80, {true}, 1, 1, GridState::kPlaced,
         {kCommit, kClear, Begin(2, 1)}, {Load(2)}, 2, 1, GridState::kEditorContext, true},
        {"a master list's last line", 80, {true}, 80, 1, kNone, {kCommit}, {}, 80, 1, GridState::kGridContext,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GridState state = EditingAt(c.line, c.column, c.lines, c.stops);
        Ran ran = RunWith(state, state.KeyPressed(GridKey::Enter, 1), c.result);
        EXPECT_EQ(ran.first, c.first);
        EXPECT_EQ(ran.then, c.then);
        EXPECT_TRUE(ran.consumed);
        EXPECT_EQ(state.CurrentLine(), c.lineAfter);
        EXPECT_EQ(state.CurrentColumn(), c.columnAfter);
        EXPECT_EQ(state.Context(), c.context);
        EXPECT_EQ(state.IsEditing(), c.editing);
        EXPECT_TRUE(state.PointerReleased());
    }
}

TEST(GridStateTest, UpAndDownMoveTheEditorAndStopAtTheEnds) {
    struct Case {
        const char* what;
        GridKey key;
        int line, result;
        Actions first, then;
        int lineAfter, context;
        bool editing, consumed;
    } cases[] = {
        {"up", GridKey::Up, 5, GridState::kPlaced, {kCommit, Begin(4, 2)}, {kClear, Load(4)}, 4,
         GridState::kEditorContext, true, true},
        {"down goes on to the dialog too", GridKey::Down, 5, GridState::kPlaced, {kCommit, Begin(6, 2)},
         {kClear, Load(6)}, 6, GridState::kEditorContext, true, false},
        {"down out of sight: between cells", GridKey::Down, 5, GridState::kNotReachable, {kCommit, Begin(6, 2)},
         {kClear, Load(5)}, 5, GridState::kGridContext, true, false},
        {"up too narrow: the edit ends", GridKey::Up, 5, GridState::kTooNarrow, {kCommit, Begin(4, 2)},
         {kClear, Load(5)}, 5, GridState::kDialogContext, false, true},
        {"up on the first line", GridKey::Up, 1, kNone, {kCommit, kClear, Load(1)}, {}, 1,
         GridState::kDialogContext, false, true},
        {"down on the last line", GridKey::Down, 100, kNone, {kCommit, kClear, Load(100)}, {}, 100,
         GridState::kDialogContext, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GridState state = EditingAt(c.line, 2);
        Ran ran = RunWith(state, state.KeyPressed(c.key, 1), c.result);
        EXPECT_EQ(ran.first, c.first);
        EXPECT_EQ(ran.then, c.then);
        EXPECT_EQ(ran.consumed, c.consumed);
        EXPECT_EQ(state.CurrentLine(), c.lineAfter);
        EXPECT_EQ(state.CurrentColumn(), 2);
        EXPECT_EQ(state.Context(), c.context);
        EXPECT_EQ(state.IsEditing(), c.editing);
    }
}

TEST(GridStateTest, OtherKeysDuringAnEdit) {
    // Tab and Esc write the cell (there is no cancel) and go on.
    for (GridKey key : {GridKey::Tab, GridKey::Esc}) {
        GridState state = EditingAt(3, 2);
        GridStep step = state.KeyPressed(key, 1);
        EXPECT_EQ(step.actions, Actions{kCommit});
        EXPECT_FALSE(step.consumed);
        EXPECT_EQ(state.Context(), GridState::kGridContext);
        // Still editing between cells: the next Enter moves the editor.
        EXPECT_TRUE(state.IsEditing());
    }
    // Typing leaves everything as it is.
    GridState state = EditingAt(3, 2);
    GridStep step = state.KeyPressed(GridKey::Other, 1);
    EXPECT_EQ(step.actions, Actions{});
    EXPECT_FALSE(step.consumed);
    EXPECT_FALSE(state.PointerReleased());
    EXPECT_EQ(state.Context(), GridState::kEditorContext);
}

TEST(GridStateTest, EnterOutsideAnEditFollowsTheEnterKeySetting) {
    struct Case {
        long mode;
        Actions actions;
        bool consumed;
    } cases[] = {
        {0, {}, false},                         // the dialog's default button
        {1, {{A::FocusNextControl}}, true},     // the next control
        {2, {}, true},                          // nothing
    };
    for (const Case& c : cases) {
        GridState state(100, kBlowStops);
        state.Filled(0);
        GridStep step = state.KeyPressed(GridKey::Enter, c.mode);
        EXPECT_EQ(step.actions, c.actions) << c.mode;
        EXPECT_EQ(step.consumed, c.consumed) << c.mode;
        EXPECT_EQ(state.CurrentLine(), 1);
    }
}

TEST(GridStateTest, DownThenAKeyForTheListLeavesTheLines) {
    GridState state(100, kBlowStops);
    state.Filled(2);
    ASSERT_EQ(state.CurrentLine(), 3);
    // Down in an entry field: the next key for the list counts.
    EXPECT_FALSE(state.KeyPressed(GridKey::Down, 1).consumed);
    EXPECT_EQ(state.KeyPassedOn(false).actions, Actions{});
    EXPECT_EQ(state.CurrentLine(), 3);
    EXPECT_EQ(state.KeyPassedOn(true).actions, Actions{kClear});
    EXPECT_EQ(state.CurrentLine(), 0);
    // Once only.
    state.SetCurrentLine(4);
    EXPECT_EQ(state.KeyPassedOn(true).actions, Actions{});
    EXPECT_EQ(state.CurrentLine(), 4);
}

TEST(GridStateTest, PointerTrackingOfAnEditOpenedByDoubleClick) {
    // The editor was entered with line 10 at the top; then the pointer goes…
    struct Case {
        const char* what;
        PointerAt where;
        int topLine;
        Actions actions;
        int context;
        bool editing, released;
    } cases[] = {
        {"back over the editor", PointerAt::Editor, 10, {}, GridState::kEditorContext, true, false},
        {"over the grid", PointerAt::Grid, 10, {kShow}, GridState::kGridContext, true, false},
        {"over the grid scrolled away: the edit ends", PointerAt::Grid, 12, {kShow, kFocusGrid, kClose},
         GridState::kGridContext, false, false},
        {"over the dialog", PointerAt::Dialog, 10, {kShow}, GridState::kDialogContext, true, false},
        {"out of the dialog: the edit ends", PointerAt::Outside, 10, {kShow, kFocusGrid, kClose},
         GridState::kDialogContext, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GridState state = EditingAt(12, 2);
        EXPECT_FALSE(state.PointerReleased());
        EXPECT_EQ(state.PointerMoved(PointerAt::Editor, 10).actions, Actions{});
        EXPECT_EQ(state.PointerMoved(c.where, c.topLine).actions, c.actions);
        EXPECT_EQ(state.Context(), c.context);
        EXPECT_EQ(state.IsEditing(), c.editing);
        EXPECT_EQ(state.PointerReleased(), c.released);
    }
}

TEST(GridStateTest, AfterTheEditIsLeftOnlyLeavingTheGridEndsIt) {
    // A key released the tracking; the edit goes on between cells.
    GridState state = EditingAt(3, 2);
    state.KeyPressed(GridKey::Esc, 1);
    ASSERT_TRUE(state.PointerReleased());
    for (PointerAt where : {PointerAt::Editor, PointerAt::Grid}) {
        EXPECT_EQ(state.PointerMoved(where, 40).actions, Actions{});
        EXPECT_TRUE(state.IsEditing());
        EXPECT_EQ(state.Context(), GridState::kGridContext);
    }
    EXPECT_EQ(state.PointerMoved(PointerAt::Dialog, 40).actions, (Actions{kClose, kShow}));
    EXPECT_FALSE(state.IsEditing());
    // Nothing is left to close the next time.
    EXPECT_EQ(state.PointerMoved(PointerAt::Outside, 40).actions, Actions{kShow});

    // A double click that could not place the editor tracks nothing.
    GridState refused(100, kBlowStops);
    refused.Filled(0);
    RunWith(refused, refused.DoubleClicked(30, 1), GridState::kNotReachable);
    EXPECT_TRUE(refused.PointerReleased());
    EXPECT_TRUE(refused.IsEditing());
    EXPECT_EQ(refused.PointerMoved(PointerAt::Grid, 1).actions, Actions{});
}

TEST(GridStateTest, ClicksAndFocus) {
    {
        // A single click on a line loads it and ends the edit.
        GridState state = EditingAt(3, 2);
        EXPECT_EQ(state.SingleClicked(7).actions, Actions{Load(7)});
        EXPECT_EQ(state.CurrentLine(), 7);
        EXPECT_FALSE(state.IsEditing());
        EXPECT_TRUE(state.PointerReleased());
    }
    {
        // Beside the lines: the edited line is marked again.
        GridState state = EditingAt(3, 2);
        EXPECT_EQ(state.SingleClicked(0).actions, Actions{Select(3)});
        EXPECT_EQ(state.SingleClicked(0).actions, Actions{});
    }
    {
        GridState state(100, kBlowStops);
        state.Filled(0);
        EXPECT_EQ(state.DoubleClicked(0, 0).actions, Actions{kClear});
        EXPECT_FALSE(state.IsEditing());
        EXPECT_EQ(state.DialogPressed().actions, Actions{});
        EXPECT_FALSE(state.IsModified());
    }
    {
        // A press on the dialog's surface writes the cell and ends the edit.
        GridState state = EditingAt(3, 2);
        EXPECT_EQ(state.DialogPressed().actions, Actions{kCommit});
        EXPECT_FALSE(state.IsEditing());
        EXPECT_TRUE(state.PointerReleased());
    }
    {
        GridState state = EditingAt(3, 2);
        state.Ok();
        EXPECT_EQ(state.EditorFocused().actions, Actions{{A::HidePointer}});
        EXPECT_EQ(state.Context(), GridState::kEditorContext);
        EXPECT_EQ(state.EditorFocusLost().actions, Actions{kCommit});
        EXPECT_TRUE(state.PointerReleased());
        EXPECT_TRUE(state.IsEditing());
        EXPECT_EQ(state.EndEditing().actions, Actions{kClose});
        EXPECT_EQ(state.EditorFocusLost().actions, Actions{});
        EXPECT_EQ(state.EndEditing().actions, Actions{});
    }
}

TEST(GridStateTest, ARefusedCommitKeepsTheEditOverItsCell) {
    // Enter after text the cell cannot hold: the commit is refused before
    // the editor moves on, whatever ended the edit.
    GridState enter = EditingAt(2, 2);
    EXPECT_EQ(enter.KeyPressed(GridKey::Enter, 1).actions, (Actions{kCommit, Begin(2, 5)}));
    GridState pressed = EditingAt(2, 2);
    EXPECT_EQ(pressed.DialogPressed().actions, Actions{kCommit});
    for (GridState* state : {&enter, &pressed}) {
        state->CommitRefused();
        EXPECT_TRUE(state->IsEditing());
        EXPECT_EQ(state->Context(), GridState::kEditorContext);
        EXPECT_EQ(state->CurrentLine(), 2);
        EXPECT_EQ(state->CurrentColumn(), 2);
        // The BeginEdit asked for was never run: no result moves the edit.
        EXPECT_EQ(state->EditorResult(GridState::kPlaced).actions, Actions{});
        EXPECT_EQ(state->CurrentColumn(), 2);
        // Mended, the next Enter goes on from the same cell.
        EXPECT_EQ(state->KeyPressed(GridKey::Enter, 1).actions, (Actions{kCommit, Begin(2, 5)}));
    }
}

}  // namespace
}  // namespace vosk
