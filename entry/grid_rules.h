#pragma once
// The geometry and navigation rules of the in-place cell editor of the data
// dialogs' grids, kept apart from the widgets so they can be checked alone:
// which lines the editor can reach, how much of a cell it may cover, and
// where Enter takes it next.

#include <optional>
#include <vector>

namespace vosk {

// How a line (0-based) relates to the visible part of the grid: the editor
// reaches the visible lines and one line beyond either edge, which the grid
// scrolls into view first; further lines are out of reach.
enum class LineReach { Unreachable, ScrollUp, Visible, ScrollDown };
LineReach ReachLine(int line, int topLine, int visibleLines);

// The part of a cell the editor covers, in the coordinates of the grid's
// visible cell area.
struct EditorSpan {
    int left;
    int width;
};
// An editor narrower than this is of no use to the user.
inline constexpr int kMinEditorWidth = 5;
// The cell from `cellLeft` over `cellWidth` pixels, cut to the visible area
// [0, visibleRight); nothing when less than kMinEditorWidth remains.
std::optional<EditorSpan> ClipEditorSpan(int cellLeft, int cellWidth, int visibleRight);

// The first column after `fromColumn` whose Enter-stop flag is set; 0 when
// there is none. `enterStops[c - 1]` is the flag of column c.
int NextEnterStop(const std::vector<bool>& enterStops, int fromColumn);

}  // namespace vosk
