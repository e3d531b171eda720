#pragma once
// The rules of the simple soil name dialog: a grid of 100 lines with the
// depth of each layer's lower end (metres) and its soil name, the checks of
// an entry, where an added or overwritten entry lands, the "%.2f" depth
// texts, the soil name list of Zbn.mst, and the store that orders the
// layers by depth and writes them into the soil rows of the survey.
//
// The JACIC description of a layer (soil row fields 3 to 6 and 8 to 11) is
// not shown by this dialog, yet it belongs to its layer: every grid line
// remembers the soil row it was loaded from, and the store carries that
// row's description to wherever the layer lands.

#include <string_view>
#include <vector>

#include "entry/cell_grid.h"
#include "soil/soil_depth.h"
#include "survey/survey_data.h"

namespace vosk {

namespace soil_column {
inline constexpr int kDepth = 1;
inline constexpr int kName = 2;
}  // namespace soil_column

inline constexpr int kSimpleSoilColumns = 2;
// The display flags every layer stored by this dialog gets.
inline constexpr std::string_view kSimpleSoilDisplayFlags = "247";
// Zbn.mst is read in pieces of at most this many bytes, and no more pieces.
inline constexpr size_t kSimpleSoilPieceBytes = 199;
inline constexpr size_t kSimpleSoilMaxPieces = 299;

struct SoilEntry {
    FieldText depth;
    FieldText name;
};

// The grid the dialog opens with: fields 1 and 2 of soil rows 1 to 100.
CellGrid SimpleSoilTable(const SurveyData& survey);
// Whether a soil row is shown: its depth is a number.
bool SoilLineHoldsData(const CellGrid& table, int line);

// The soil row each grid line was loaded from (0 for a line that holds no
// stored layer), kept in step with the lines as they are added, overwritten
// and deleted. Index 0 is unused.
class SoilLayerOrigins {
public:
    explicit SoilLayerOrigins(const CellGrid& opened);
    int Of(int line) const { return origin_.at(static_cast<size_t>(line)); }
    // A new layer written into `line`: it has no description yet.
    void NewLayer(int line) { origin_.at(static_cast<size_t>(line)) = 0; }
    // `line` removed: the lines below move up, a blank line comes in at the end.
    void DeleteLine(int line);

private:
    std::vector<int> origin_;
};

// The depth as the store writes it: rewritten as FormatSoilDepth when the
// text has no "." or at most two characters after the first "."; a longer
// fraction, such as 1.234, stays as typed.
FieldText StoredSoilDepth(std::string_view depth);

// Some text and a numeric depth (else 903), the depth within −1 … 3000 m
// (else 4006).
Refusal ValidateSoilEntry(const SoilEntry& entry);

// Validates the entry, rewrites its depth with "%.2f" and writes it into the
// line after the last used line. Returns that line, or the refusal:
// 903 / 4006, 902 with every line used, 908 when a line above the first
// blank depth has the same depth. A refusal changes nothing.
Placement PlaceSoilAdd(const SoilEntry& entry, CellGrid& grid);

// The Overwrite button: validates the entry and writes it, depth as typed,
// over the first line with the same depth. Returns that line, or the
// refusal: 903 / 4006, 905 for a current line out of range (0 is accepted),
// 904 for an empty grid, 907 when no line has that depth.
Placement PlaceSoilOverwrite(const SoilEntry& entry, int currentLine, CellGrid& grid);

// Typing while a line is current: when the entry passes the silent check
// and the line has no numeric depth yet or the same depth, the entry, depth
// rewritten with "%.2f", is written into it. Returns whether it was written.
bool ApplySoilLiveUpdate(const SoilEntry& entry, int currentLine, CellGrid& grid);

// Whether the entry fields hold a layer the user typed that is in no line
// of the grid (as BlowEntryOutsideGrid).
bool SoilEntryOutsideGrid(const SoilEntry& entry, int currentLine, const CellGrid& grid);

// Run when the dialog is confirmed. Lines without any text are skipped; a
// line with text but no numeric depth is named in a message, nothing is
// stored and the result is false. Otherwise the lines become soil rows 1, 2,
// … ordered by depth (ties in grid order): field 1 the StoredSoilDepth,
// field 2 the name, field 7 "247", fields 3 to 6 and 8 to 14 from the row the
// line was loaded from (empty for a new layer). Rows after the last one
// stored lose fields 1 and 2 and the description, which belongs to a layer
// that moved or was removed; their field 7 stays. Equal depths are reported
// once (all lines are stored). Returns true.
bool StoreSoilTable(const CellGrid& grid, const SoilLayerOrigins& origins, SurveyData& survey);

// The soil names of Zbn.mst from its entries (the file read in pieces, line
// ends removed): the first comma-separated field of each non-empty entry,
// from the first one that begins with "泥炭" on, that one included.
std::vector<FieldText> SimpleSoilNames(const std::vector<FieldText>& entries);

}  // namespace vosk
