#pragma once
// The soil name grids as text: rows pasted from a spreadsheet or a text,
// one layer per line with the depth of its lower end (m) and its soil
// name, entered as each dialog's Add enters them; and the lines the grids
// copy, in the same two columns. A first line whose depth is text is a
// header and is passed over.

#include <string>
#include <string_view>
#include <vector>

#include "entry/table_text.h"

namespace vosk {

const TableTextRules& SoilTextRules();

// Into the simple soil name grid (PlaceSoilAdd for each line); all or nothing.
TableTextResult EnterSimpleSoilText(std::string_view text, char separator, CellGrid& grid);

// Into the JACIC-compatible grid (PlaceJacicAdd for each line), each layer
// with the display flag word `flags` the dialog's check boxes show; all or
// nothing.
TableTextResult EnterJacicSoilText(std::string_view text, char separator, CellGrid& grid, int flags);

// Depth and name of the lines, tab-separated, for either grid.
std::string SimpleSoilLinesAsText(const CellGrid& grid, const std::vector<int>& lines);
std::string JacicSoilLinesAsText(const CellGrid& grid, const std::vector<int>& lines);

}  // namespace vosk
