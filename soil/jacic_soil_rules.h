#pragma once
// The rules of the JACIC-compatible soil name dialog, apart from its widgets:
// the 17 grid columns and their soil row fields, the display flag word with
// its check boxes and underline marks, the depth check and "%.2f" form, the
// delimiter choice, where an added or overwritten line lands, the write-back
// into the current line, and the store that orders the lines by depth into
// the soil rows.
//
// The grid is a CellGrid of 100 lines and 17 columns; its columns are
// numbered from 1 here, one more than the dialog's own column numbers.

#include <array>
#include <string_view>

#include "entry/cell_grid.h"
#include "soil/soil_depth.h"
#include "survey/survey_data.h"

namespace vosk {

namespace jacic_column {
inline constexpr int kDepth = 1;
inline constexpr int kDepthMark = 2;
inline constexpr int kName = 3;
inline constexpr int kNameMark = 4;
inline constexpr int kAuxName = 5;
inline constexpr int kAuxNameMark = 6;
inline constexpr int kColour = 7;
inline constexpr int kColourMark = 8;
inline constexpr int kPattern1 = 9;
inline constexpr int kPattern1Mark = 10;
inline constexpr int kPattern2 = 11;
inline constexpr int kPattern2Mark = 12;
inline constexpr int kSymbol = 13;
inline constexpr int kPercent1 = 14;
inline constexpr int kPercent2 = 15;
inline constexpr int kDelimiter = 16;
inline constexpr int kFlags = 17;
inline constexpr int kCount = 17;
}  // namespace jacic_column

inline constexpr int kJacicLines = 100;

// One grid line, columns 1 to 17 (slot 0 unused): the entry row the dialog
// gathers from its controls.
using JacicLine = std::array<FieldText, jacic_column::kCount + 1>;

// ---- Display flags -------------------------------------------------------

// Bits 0 to 8: underline depth, name, pattern 1, auxiliary name, pattern 2,
// colour tone (never set), display depth, name, auxiliary name.
inline constexpr int kFlagBits = 9;
inline constexpr int kColourUnderlineBit = 5;
inline constexpr int kDefaultSoilFlags = 215;

// The nine check boxes as a flag word: bit 5 is always stored clear.
int EncodeSoilFlags(const std::array<bool, kFlagBits>& boxes);
std::array<bool, kFlagBits> DecodeSoilFlags(int flags);

// The six underline mark columns ("_" set, "." clear) and the flag word
// ("%d") of `flags` written into the line.
void SetFlagColumns(JacicLine& line, int flags);

// ---- Depth ---------------------------------------------------------------

// ValidateSoilDepth and FormatSoilDepth of soil/soil_depth.h.

// ---- Delimiter -----------------------------------------------------------

// The items of the delimiter combo in order: "･" (half width), "/", "(",
// "・", "／", "（", as CP932.
const std::array<FieldText, 6>& DelimiterItems();
// The item a stored delimiter selects: its index; 0 ("･") for any text that
// is not an item; −1 for the empty text, which leaves the choice as it was.
int DelimiterChoice(std::string_view value);

// ---- Grid ----------------------------------------------------------------

// The soil rows as grid lines: a row whose depth is a number fills the line
// of its number (flag marks from its flag word), any other row leaves a
// blank line. A percentage 2 that is exactly "・" (an old form of the empty
// share) shows empty. The lines shown are those with a numeric depth.
CellGrid SoilRowsToGrid(const SurveyData& survey);
bool SoilLineShown(const CellGrid& grid, int line);

// The line of the grid as an entry row, and back.
JacicLine ReadJacicLine(const CellGrid& grid, int line);
void WriteJacicLine(CellGrid& grid, int line, const JacicLine& entry);

// Validates the entry and writes it with its depth in "%.2f" after the last
// used line. Returns that line, or the refusal: 903 / 4006, 902 when 100
// lines are used, 908 when a line above the first non-numeric depth has the
// same depth.
Placement PlaceJacicAdd(const JacicLine& entry, CellGrid& grid);

// Validates the entry and writes it over the first line with the same
// depth, whichever line is current. Returns that line, or the refusal: 903 /
// 4006, 905 for a current line outside 0 … 100, 904 for an empty grid, 907
// when no line has that depth.
Placement PlaceJacicOverwrite(const JacicLine& entry, int currentLine, CellGrid& grid);

// A change made outside the grid, copied into the current line at once when
// the entry passes the silent check and the current line has no numeric
// depth yet or the same depth. Returns whether the line was written.
bool ApplyJacicWriteBack(const JacicLine& entry, int currentLine, CellGrid& grid);

// Whether the entry controls hold a layer the user typed (depth, a name, a
// pattern, the symbol or a percentage) that is in no line of the grid (as
// BlowEntryOutsideGrid, the write-back taking the live update's place).
bool JacicEntryOutsideGrid(const JacicLine& entry, int currentLine, const CellGrid& grid);

// ---- Store ---------------------------------------------------------------

// Run at OK. A line that holds text but no numeric depth has no place in
// the depth order: the store names those lines in a message, changes
// nothing and returns false, so the dialog stays open. Otherwise the lines
// become soil rows 1, 2, … by ascending depth (ties in grid order), depth
// "%.2f", an alternation with a percentage below 1 gets "50", rows after
// them have fields 1 to 11 emptied, equal depths are reported once under
// "同じ深度があります" (all are stored), and the result is true.
bool StoreJacicTable(const CellGrid& grid, SurveyData& survey);

}  // namespace vosk
