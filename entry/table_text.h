#pragma once
// Rows of a table given as text — a CSV file, or lines a spreadsheet or a
// text editor put on the clipboard — entered into a data dialog's grid as
// its Add enters them. The header rules of the text, which fields of a
// line hold which values, and the all-or-nothing entry: the first line
// refused stops, and the grid is left as it was. Texts are UTF-8.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "entry/cell_grid.h"

namespace vosk {

// Where the values of one entry stand in a line: the field (from 0) of each
// value, kNotInLine for a value the text does not give (entered empty).
struct TableLayout {
    static constexpr size_t kNotInLine = static_cast<size_t>(-1);
    std::vector<size_t> at;
    // Fields a line may have; further fields must be blank.
    size_t width = 0;
};

struct TableTextRules {
    // The layout of a text whose first line is no known header.
    TableLayout entry;
    // The field of the depth in that layout: a first line whose depth is
    // text, not a number, is a header and is passed over.
    size_t depthField = 0;
    // A first line that is the header of a layout of its own (the one
    // export writes) gives that layout; nothing for any other line.
    std::function<std::optional<TableLayout>(const std::vector<std::string>& fields)> knownHeader;
    // A first data line that tells a layout of its own (the grid's own
    // columns, as the window copies them) gives that layout for the text;
    // nothing keeps the entry layout.
    std::function<std::optional<TableLayout>(const std::vector<std::string>& fields)> dataLayout;
};

// What a text gave: the lines entered, or the first line refused (its
// number in the text, from 1) and why.
struct TableTextResult {
    int entered = 0;
    int refusedLine = 0;
    std::string refusal;
    // The grid lines the entered lines went to, in text order.
    std::vector<int> gridLines;
    bool Ok() const { return refusedLine == 0; }
};

// Whether a field after the first `width` holds more than blanks.
bool TextBeyond(const std::vector<std::string>& fields, size_t width);

// Adds one entry, its values as CP932 in layout order, to the grid: the
// line written or the refusal, as a dialog's Add rule answers.
using TableAdd = std::function<Placement(const std::vector<FieldText>& values, CellGrid& grid)>;

// Enters the lines of `text` (fields between `separator`s, lines ending in
// CR LF or LF) into `grid` with `add`. Blank lines and lines of blank
// fields are passed over; every value must pass the check of typed table
// text. The first line refused ends the entry and the grid stays as it was;
// otherwise every line is in it.
TableTextResult EnterTableText(std::string_view text, char separator, const TableTextRules& rules, CellGrid& grid,
                               const TableAdd& add);

// The lines of the grid as text a spreadsheet takes: the cells of
// `columns` separated by tabs (quoted where needed), one line each ending
// in a line feed. The cells are CP932.
std::string GridLinesAsText(const CellGrid& grid, const std::vector<int>& lines, const std::vector<int>& columns);

}  // namespace vosk
