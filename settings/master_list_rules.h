#pragma once
// The engineer-name and short-remark master lists as their dialog edits
// them: 80 lines of one column, moved up and down, saved without the empty
// lines, with a report of the entries that appear twice.

#include <string>

#include "entry/cell_grid.h"

namespace vosk {

inline constexpr int kMasterListLines = 80;
// Lines are read in pieces of at most 79 bytes before the line end, so an
// entry of 79 bytes saved by the dialog reads back as one entry.
inline constexpr size_t kMasterListPieceBytes = 79;

// "↑": the line swaps places with the one above. Returns the line the text
// moved to, 0 when nothing moved (the first line, or no line).
int MoveMasterLineUp(CellGrid& grid, int line);
// "↓": the same downwards, only for lines above the last used line.
int MoveMasterLineDown(CellGrid& grid, int line);

struct MasterListFile {
    std::string bytes;       // the file: every non-empty line with CR LF
    std::string duplicates;  // the report (UTF-8), empty when no text repeats
};
MasterListFile FormatMasterList(const CellGrid& grid);

}  // namespace vosk
