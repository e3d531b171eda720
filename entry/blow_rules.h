#pragma once
// The rules of the blow-count table as the blow-count dialog applies them to
// its grid and entry fields: Δh from the depths, Nd = 10N/Δh, which fields
// each auto-calculation mode derives, which entries are accepted, where an
// added or overwritten entry lands, and the store that orders the rows by
// depth and writes them into the survey.
//
// The entry row is a BlowRow (fields 1 N, 2 depth h, 3 Δh, 4 Nd, 5 remark);
// the grid is a CellGrid of 100 lines with those five columns. Derived texts
// are written with "%g"; a derivation that gives nothing (empty text) leaves
// the field as it was.

#include <string_view>

#include "entry/cell_grid.h"
#include "survey/survey_data.h"

namespace vosk {

namespace blow_column {
inline constexpr int kN = 1;
inline constexpr int kDepth = 2;
inline constexpr int kDeltaH = 3;
inline constexpr int kNd = 4;
inline constexpr int kRemark = 5;
}  // namespace blow_column

// ---- Auto-calculation switches -------------------------------------------

// The switches last for a run of the program (the application owns them and
// hands them to every opening of the blow-count dialog); both on at start,
// never saved.
struct AutoCalcSwitches {
    bool deltaH = true;
    bool nd = true;
};

// Δh auto + 2 × Nd auto: 0 none, 1 Δh, 2 Nd, 3 both.
int AutoCalcMode(const AutoCalcSwitches& switches);

// "", "dh自動計算", "Nd自動計算", "dhNd自動計算" (UTF-8); empty for any other
// number.
std::string_view AutoCalcModeText(int mode);

// A column the mode derives is not an Enter stop of the grid, and its entry
// field is disabled; N, depth and remark are always editable.
bool BlowColumnEditable(int mode, int column);
bool BlowEntryFieldEnabled(int mode, int column);

// ---- Derivations ---------------------------------------------------------

// The distance from the nearest shallower positive depth among the depth
// cells of the grid, or the depth itself when there is none. Empty when Δh
// auto is off or the depth is not a number.
FieldText DeriveDeltaH(std::string_view depth, const CellGrid& grid, const AutoCalcSwitches& switches);

// 10 × N / Δh. Empty when Nd auto is off, N or Δh is not a number, or
// Δh ≤ 0.0001.
FieldText DeriveNd(std::string_view n, std::string_view deltaH, const AutoCalcSwitches& switches);

// Δh from the depth, then Nd from N and that Δh; a derivation that gives
// nothing leaves its field, so nothing is ever cleared.
void RecomputeEntryRow(BlowRow& entry, const CellGrid& grid, const AutoCalcSwitches& switches);

// What a change of `changedColumn` derives, for the entry fields and a grid
// line alike: the depth (or 0, the whole line) gives Δh and then Nd as
// RecomputeEntryRow does, N or Δh gives Nd from N and the Δh there, other
// columns nothing. Nothing is cleared.
void DeriveForChange(BlowRow& entry, int changedColumn, const CellGrid& grid, const AutoCalcSwitches& switches);

// Copies a grid line into the entry and derives what the change of
// `changedColumn` affects (DeriveForChange); the derived Δh and Nd are
// written back into the line as well. Returns the entry.
BlowRow LoadBlowLine(CellGrid& grid, int line, int changedColumn, const AutoCalcSwitches& switches);

// ---- Checks and placement ------------------------------------------------

// Some field non-empty and the depth a number (else 903), the depth within
// −1000 … 1000000 cm (else 4006).
Refusal ValidateEntryRow(const BlowRow& entry);

// Recomputes and validates the entry and writes it into the line after the
// last used line. Returns that line, or the refusal: 903 / 4006, 902 with
// every line used, 908 when a line above the first blank depth has the same
// depth. A refusal changes neither the grid nor the entry.
Placement PlaceAdd(const BlowRow& entry, CellGrid& grid, const AutoCalcSwitches& switches);

enum class OverwriteMode {
    Silent = 0,
    // The Overwrite button: no current line (0) is accepted too, since the
    // line is found by its depth.
    Button = 2,
};

// Recomputes and validates the entry and writes it over the first line with
// the same depth, whichever line is current. Returns that line, or the
// refusal: 903 / 4006, 905 for a current line out of range, 904 for an empty
// grid, 907 when no line above the first blank depth has that depth.
Placement PlaceOverwrite(const BlowRow& entry, int currentLine, CellGrid& grid, const AutoCalcSwitches& switches,
                         OverwriteMode mode);

// Whether an entry typed while `currentLine` is current may be written into
// it: the line exists, the entry passes the silent validation, and the
// line's depth is not a number yet or is the same depth.
bool LiveUpdateAllowed(const BlowRow& entry, int currentLine, const CellGrid& grid);

// Recomputes a copy of the entry and writes it into the current line when
// LiveUpdateAllowed. Returns whether it was written.
bool ApplyLiveUpdate(const BlowRow& entry, int currentLine, CellGrid& grid, const AutoCalcSwitches& switches);

// Whether the entry fields hold a line the user typed that is in no line
// of the grid: some field holds text, and the entry neither stands in the
// current line nor would the live update write it there unchanged. OK then
// asks before the line is lost.
bool BlowEntryOutsideGrid(const BlowRow& entry, int currentLine, const CellGrid& grid,
                          const AutoCalcSwitches& switches);

// ---- Store ---------------------------------------------------------------

// Run when the dialog is confirmed. Lines without any text are skipped. A
// line that holds text but no numeric depth has no place in the depth order
// and would cut the table short on the sheet, so the store refuses: it names
// those grid lines in a message, changes nothing and returns false, and the
// dialog stays open for the user to enter a depth or delete the line.
// Otherwise it recomputes Δh and Nd of every line (writing them back into
// the grid), writes the lines as blow rows 1, 2, … ordered by depth (ties in
// grid order), empties the rows after them, shows the equal-depth warning
// when there are duplicates (all rows are stored) and returns true.
bool StoreBlowTable(CellGrid& grid, SurveyData& survey, const AutoCalcSwitches& switches);

}  // namespace vosk
