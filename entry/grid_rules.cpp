#include "entry/grid_rules.h"

#include <algorithm>

namespace vosk {

LineReach ReachLine(int line, int topLine, int visibleLines) {
    if (line < topLine - 1 || line > topLine + visibleLines) return LineReach::Unreachable;
    if (line == topLine - 1) return LineReach::ScrollUp;
    if (line == topLine + visibleLines) return LineReach::ScrollDown;
    return LineReach::Visible;
}

std::optional<EditorSpan> ClipEditorSpan(int cellLeft, int cellWidth, int visibleRight) {
    // A cell scrolled partly off either edge is edited in its visible part.
    int left = std::max(cellLeft, 0);
    int right = std::min(cellLeft + cellWidth, visibleRight);
    if (right - left < kMinEditorWidth) return std::nullopt;
    return EditorSpan{left, right - left};
}

int NextEnterStop(const std::vector<bool>& enterStops, int fromColumn) {
    for (int c = std::max(fromColumn, 0) + 1; c <= static_cast<int>(enterStops.size()); ++c)
        if (enterStops[static_cast<size_t>(c - 1)]) return c;
    return 0;
}

}  // namespace vosk
