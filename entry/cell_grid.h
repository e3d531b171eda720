#pragma once
// The texts of a data dialog's grid: a fixed number of lines, each with a
// fixed number of cells, lines and columns numbered from 1. The blow-count
// dialog holds 100 × 5, the soil name dialogs 100 × 2 and 100 × 17. Also the
// depth rules those dialogs share: when two depths are the same, where the
// duplicate search of an add or overwrite stops, the order of the store and
// its report of equal depths.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/message_service.h"
#include "survey/field_text.h"

namespace vosk {

// Where an add or overwrite wrote its entry (line 0: nowhere), or the
// refusal that kept the grid as it was.
struct Placement {
    int line = 0;
    Refusal refusal;
};

class CellGrid {
public:
    // An all-blank grid. Both counts must be at least 1.
    CellGrid(int lines, int columns);

    int Lines() const { return lines_; }
    int Columns() const { return columns_; }

    // A line or column outside the grid is a programming error and throws
    // std::out_of_range.
    const FieldText& Cell(int line, int column) const;
    void SetCell(int line, int column, FieldText text);

    // Every cell of the line empty.
    bool IsBlankLine(int line) const;
    // Some cell of the line holds a non-blank character; a line of spaces
    // only holds nothing the user could lose.
    bool HasText(int line) const;

    // Number of the last line with a non-empty cell, 0 when there is none.
    int UsedLength() const;
    // The same for one column: for the depth column this bounds the search
    // of the Δh derivation.
    int UsedLength(int column) const;

    // The texts of the line, column 1 first.
    std::vector<FieldText> LineTexts(int line) const;

    void ClearLine(int line);
    // Removes the line; the lines below move up and a blank line is added at
    // the end, so the grid keeps its line count.
    void DeleteLine(int line);

private:
    size_t Index(int line, int column) const;

    int lines_;
    int columns_;
    std::vector<FieldText> cells_;
};

// Runs `write` (a rule writing into the grid) and tells whether it changed
// line `line`: the edits a dialog's Cancel must ask about.
template <typename Write>
bool ChangesLine(CellGrid& grid, int line, Write&& write) {
    if (line < 1 || line > grid.Lines()) return false;
    const std::vector<FieldText> before = grid.LineTexts(line);
    return std::forward<Write>(write)(grid) && grid.LineTexts(line) != before;
}

// An entry row as the cells it fills: column and text.
using EntryCells = std::vector<std::pair<int, FieldText>>;

// Whether an entry already stands in line `line`: the line holds its texts,
// or writing it there as the live update does (`write`, a rule that
// returns whether it wrote) leaves the entry's cells as they are. False
// when there is no such line.
template <typename Write>
bool EntryInLine(const CellGrid& grid, int line, const EntryCells& entry, Write&& write) {
    if (line < 1 || line > grid.Lines()) return false;
    auto holds = [&](const CellGrid& g) {
        for (const auto& [column, text] : entry)
            if (g.Cell(line, column) != text) return false;
        return true;
    };
    if (holds(grid)) return true;
    CellGrid copy = grid;
    if (!std::forward<Write>(write)(copy)) return false;
    for (const auto& [column, text] : entry)
        if (copy.Cell(line, column) != grid.Cell(line, column)) return false;
    return true;
}

// Two depth texts are the same depth when their values differ by less than
// 0.000001.
bool SameDepth(std::string_view a, std::string_view b);

// The first of lines 1 to `lastLine` whose depth is the same as `depth`,
// searched from the top and stopping at the first line whose depth is not a
// number (so a blank line ends the search); 0 when there is none.
int FindSameDepthLine(const CellGrid& grid, int depthColumn, std::string_view depth, int lastLine);

// The lines that hold text but whose depth is not a number: a store would
// have nowhere to put them in the depth order.
std::vector<int> LinesWithoutDepth(const CellGrid& grid, int depthColumn);

// The refusal of a store that finds lines holding text without a numeric
// depth: names the grid lines and asks for a depth or a delete. `caption` is
// the depth column's name in the first sentence, `word` the one in the
// advice (UTF-8).
std::string MissingDepthMessage(const std::vector<int>& lines, std::string_view caption, std::string_view word);

// One line as the store takes it.
struct DepthPick {
    int line;
    // Lines not yet taken that have the same depth: the duplicates this pick
    // reports.
    int sameDepthLeft;
};

// Orders `lines` by the value of their depth, smallest first, by taking the
// shallowest remaining line again and again; among equal values the line
// nearer the top comes first, so ties keep their grid order.
std::vector<DepthPick> OrderByDepth(const CellGrid& grid, int depthColumn, const std::vector<int>& lines);

// The warning a store shows when it finds equal depths: a header line, then
// one line " <depth> <unit> " per duplicate for the first six. Counting stops
// once the text reaches 300 bytes of CP932, as the sheet's own bytes.
class DuplicateDepthReport {
public:
    // `header` and `unit` in UTF-8, without the line break.
    DuplicateDepthReport(std::string_view header, std::string_view unit);

    // Counts the duplicates of one pick; `depth` is the picked line's CP932
    // depth text. Depths of 0 or less are not reported.
    void Add(std::string_view depth, int sameDepthLeft);

    int Count() const { return count_; }
    // The whole warning as UTF-8.
    std::string Text() const;
    // Shows the warning once, when at least one duplicate was counted.
    void ShowIfAny() const;

private:
    std::string unit_;   // CP932
    std::string text_;   // CP932
    int count_ = 0;
    bool full_ = false;
};

}  // namespace vosk
