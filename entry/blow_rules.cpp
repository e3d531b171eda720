#include "entry/blow_rules.h"

#include <algorithm>
#include <string>

#include "platform/message_service.h"
#include "platform/string_table.h"
#include "survey/numbers.h"

namespace vosk {
namespace {

using namespace blow_column;

constexpr double kMinDepth = -1000;
constexpr double kMaxDepth = 1000000;
// Below this Δh the Nd would be meaningless, so it is left as it was.
constexpr double kMinDeltaHForNd = 0.0001;

bool Numeric(std::string_view text) { return IsNumericText(text) == 1; }

BlowRow ReadLine(const CellGrid& grid, int line) {
    BlowRow row;
    for (int c = 1; c <= kBlowFieldCount; ++c) row[c] = grid.Cell(line, c);
    return row;
}

void WriteLine(CellGrid& grid, int line, const BlowRow& row) {
    for (int c = 1; c <= kBlowFieldCount; ++c) grid.SetCell(line, c, row[c]);
}

}  // namespace

int AutoCalcMode(const AutoCalcSwitches& switches) {
    return (switches.deltaH ? 1 : 0) + (switches.nd ? 2 : 0);
}

std::string_view AutoCalcModeText(int mode) {
    switch (mode) {
        case 1: return "dh自動計算";
        case 2: return "Nd自動計算";
        case 3: return "dhNd自動計算";
        default: return "";
    }
}

bool BlowColumnEditable(int mode, int column) {
    if (column == kDeltaH) return (mode & 1) == 0;
    if (column == kNd) return (mode & 2) == 0;
    return true;
}

bool BlowEntryFieldEnabled(int mode, int column) { return BlowColumnEditable(mode, column); }

FieldText DeriveDeltaH(std::string_view depth, const CellGrid& grid, const AutoCalcSwitches& switches) {
    if (!switches.deltaH || !Numeric(depth)) return {};
    double d = ParseDecimal(depth);
    // The nearest shallower positive depth, whatever the grid order; the line
    // being edited and other lines of the same depth are not below d.
    double p = 0;
    int last = grid.UsedLength(kDepth);
    for (int l = 1; l <= last; ++l) {
        double v = ParseDecimal(grid.Cell(l, kDepth));
        if (p < v && v < d) p = v;
    }
    return FormatG(d - p);
}

FieldText DeriveNd(std::string_view n, std::string_view deltaH, const AutoCalcSwitches& switches) {
    if (!switches.nd || !Numeric(n) || !Numeric(deltaH)) return {};
    double e = ParseDecimal(deltaH);
    if (!(e > kMinDeltaHForNd)) return {};
    return FormatG(ParseDecimal(n) * 10 / e);
}

void RecomputeEntryRow(BlowRow& entry, const CellGrid& grid, const AutoCalcSwitches& switches) {
    if (FieldText dh = DeriveDeltaH(entry[kDepth], grid, switches); !dh.empty()) entry[kDeltaH] = std::move(dh);
    if (FieldText nd = DeriveNd(entry[kN], entry[kDeltaH], switches); !nd.empty()) entry[kNd] = std::move(nd);
}

void DeriveForChange(BlowRow& entry, int changedColumn, const CellGrid& grid, const AutoCalcSwitches& switches) {
    if (changedColumn == 0 || changedColumn == kDepth) {
        RecomputeEntryRow(entry, grid, switches);
    } else if (changedColumn == kN || changedColumn == kDeltaH) {
        // A new N changes Nd as much as a new Δh does; a Δh the user typed
        // stays.
        if (FieldText nd = DeriveNd(entry[kN], entry[kDeltaH], switches); !nd.empty()) entry[kNd] = std::move(nd);
    }
}

BlowRow LoadBlowLine(CellGrid& grid, int line, int changedColumn, const AutoCalcSwitches& switches) {
    BlowRow entry = ReadLine(grid, line);
    DeriveForChange(entry, changedColumn, grid, switches);
    grid.SetCell(line, kDeltaH, entry[kDeltaH]);
    grid.SetCell(line, kNd, entry[kNd]);
    return entry;
}

Refusal ValidateEntryRow(const BlowRow& entry) {
    bool any = false;
    for (int c = 1; c <= kBlowFieldCount; ++c) any = any || !entry[c].empty();
    if (!any || !Numeric(entry[kDepth])) return {message::kNoData};
    double h = ParseDecimal(entry[kDepth]);
    // Written so that a depth read as NaN ("-nan") is refused too.
    if (!(h >= kMinDepth && h <= kMaxDepth)) return {message::kBadNumber};
    return {};
}

Placement PlaceAdd(const BlowRow& entry, CellGrid& grid, const AutoCalcSwitches& switches) {
    BlowRow row = entry;
    RecomputeEntryRow(row, grid, switches);
    if (Refusal refused = ValidateEntryRow(row)) return {0, refused};
    int used = grid.UsedLength();
    if (used >= grid.Lines()) return {0, {message::kMaxLines}};
    if (FindSameDepthLine(grid, kDepth, row[kDepth], used) != 0) return {0, {message::kSameDepth, "深度"}};
    // After the last used line, so blank lines above stay blank.
    WriteLine(grid, used + 1, row);
    return {used + 1, {}};
}

Placement PlaceOverwrite(const BlowRow& entry, int currentLine, CellGrid& grid, const AutoCalcSwitches& switches,
                         OverwriteMode mode) {
    BlowRow row = entry;
    RecomputeEntryRow(row, grid, switches);
    if (Refusal refused = ValidateEntryRow(row)) return {0, refused};
    bool inRange = currentLine >= 1 && currentLine <= grid.Lines();
    if (!inRange && !(currentLine == 0 && mode == OverwriteMode::Button)) return {0, {message::kLineOutOfRange}};
    int used = grid.UsedLength();
    if (used == 0) return {0, {message::kCannotOverwrite}};
    // Overwrite corrects an existing depth and never creates a new one.
    int line = FindSameDepthLine(grid, kDepth, row[kDepth], used);
    if (line == 0) return {0, {message::kNoSuchDepth, "深さh "}};
    WriteLine(grid, line, row);
    return {line, {}};
}

bool LiveUpdateAllowed(const BlowRow& entry, int currentLine, const CellGrid& grid) {
    if (currentLine < 1 || currentLine > grid.Lines()) return false;
    if (ValidateEntryRow(entry)) return false;
    const FieldText& lineDepth = grid.Cell(currentLine, kDepth);
    // A different depth means the user is typing a new entry, not correcting
    // the current line.
    return !Numeric(lineDepth) || SameDepth(lineDepth, entry[kDepth]);
}

bool ApplyLiveUpdate(const BlowRow& entry, int currentLine, CellGrid& grid, const AutoCalcSwitches& switches) {
    BlowRow row = entry;
    RecomputeEntryRow(row, grid, switches);
    if (!LiveUpdateAllowed(row, currentLine, grid)) return false;
    WriteLine(grid, currentLine, row);
    return true;
}

bool BlowEntryOutsideGrid(const BlowRow& entry, int currentLine, const CellGrid& grid,
                          const AutoCalcSwitches& switches) {
    bool typed = false;
    for (int c = 1; c <= kBlowFieldCount; ++c) typed = typed || IsNumericText(entry[c]) != -1;
    if (!typed) return false;
    EntryCells cells;
    for (int c = 1; c <= kBlowFieldCount; ++c) cells.emplace_back(c, entry[c]);
    return !EntryInLine(grid, currentLine, cells,
                        [&](CellGrid& g) { return ApplyLiveUpdate(entry, currentLine, g, switches); });
}

bool StoreBlowTable(CellGrid& grid, SurveyData& survey, const AutoCalcSwitches& switches) {
    if (std::vector<int> missing = LinesWithoutDepth(grid, kDepth); !missing.empty()) {
        ShowMessage(MissingDepthMessage(missing, "深さh ", "深さ"));
        return false;
    }

    std::vector<int> lines;
    int used = std::min(grid.UsedLength(), kBlowRowCount);
    for (int l = 1; l <= used; ++l) {
        if (!grid.HasText(l)) continue;
        lines.push_back(l);
        // The whole grid is the context of each line's Δh.
        BlowRow row = ReadLine(grid, l);
        RecomputeEntryRow(row, grid, switches);
        grid.SetCell(l, kDeltaH, row[kDeltaH]);
        grid.SetCell(l, kNd, row[kNd]);
    }

    DuplicateDepthReport report("同じ深度があります..", "s");
    int stored = 0;
    for (const DepthPick& pick : OrderByDepth(grid, kDepth, lines)) {
        report.Add(grid.Cell(pick.line, kDepth), pick.sameDepthLeft);
        survey.blow[++stored] = ReadLine(grid, pick.line);
    }
    for (int r = stored + 1; r <= kBlowRowCount; ++r)
        for (int f = 1; f <= kBlowFieldCount; ++f) survey.blow[r][f].clear();

    report.ShowIfAny();
    return true;
}

}  // namespace vosk
