#include "soil/simple_soil_rules.h"

#include <algorithm>

#include "platform/message_service.h"
#include "platform/string_table.h"
#include "survey/numbers.h"

namespace vosk {
namespace {

using namespace soil_column;


constexpr int kDisplayFlagsField = 7;
// "泥炭" in CP932: the list starts at the first name beginning with it.
constexpr std::string_view kFirstListedName = "\x93\x44\x92\x59";

bool Numeric(std::string_view text) { return IsNumericText(text) == 1; }

void WriteEntry(CellGrid& grid, int line, const SoilEntry& entry) {
    grid.SetCell(line, kDepth, entry.depth);
    grid.SetCell(line, kName, entry.name);
}

}  // namespace

CellGrid SimpleSoilTable(const SurveyData& survey) {
    CellGrid table(kSoilRowCount, kSimpleSoilColumns);
    for (int r = 1; r <= kSoilRowCount; ++r) {
        table.SetCell(r, kDepth, survey.soil[r][1]);
        table.SetCell(r, kName, survey.soil[r][2]);
    }
    return table;
}

bool SoilLineHoldsData(const CellGrid& table, int line) { return Numeric(table.Cell(line, kDepth)); }

SoilLayerOrigins::SoilLayerOrigins(const CellGrid& opened) : origin_(static_cast<size_t>(opened.Lines()) + 1, 0) {
    for (int l = 1; l <= opened.Lines(); ++l)
        if (SoilLineHoldsData(opened, l)) origin_[static_cast<size_t>(l)] = l;
}

void SoilLayerOrigins::DeleteLine(int line) {
    if (line < 1 || line >= static_cast<int>(origin_.size())) return;
    origin_.erase(origin_.begin() + line);
    origin_.push_back(0);
}


FieldText StoredSoilDepth(std::string_view depth) {
    size_t point = depth.find('.');
    if (point != std::string_view::npos && depth.size() - point - 1 > 2) return FieldText(depth);
    return FormatSoilDepth(depth);
}

Refusal ValidateSoilEntry(const SoilEntry& entry) { return ValidateSoilDepth(entry.depth); }

Placement PlaceSoilAdd(const SoilEntry& entry, CellGrid& grid) {
    if (Refusal refused = ValidateSoilEntry(entry)) return {0, refused};
    int used = grid.UsedLength();
    if (used >= grid.Lines()) return {0, {message::kMaxLines}};
    SoilEntry row{FormatSoilDepth(entry.depth), entry.name};
    if (FindSameDepthLine(grid, kDepth, row.depth, used) != 0) return {0, {message::kSameDepth, "深度"}};
    // After the last used line, so blank lines above stay blank.
    WriteEntry(grid, used + 1, row);
    return {used + 1, {}};
}

Placement PlaceSoilOverwrite(const SoilEntry& entry, int currentLine, CellGrid& grid) {
    if (Refusal refused = ValidateSoilEntry(entry)) return {0, refused};
    // No current line is fine: the line is found by its depth.
    if (currentLine < 0 || currentLine > grid.Lines()) return {0, {message::kLineOutOfRange}};
    int used = grid.UsedLength();
    if (used == 0) return {0, {message::kCannotOverwrite}};
    // Overwrite corrects an existing layer and never creates a new depth.
    int line = FindSameDepthLine(grid, kDepth, entry.depth, used);
    if (line == 0) return {0, {message::kNoSuchDepth, "深度"}};
    WriteEntry(grid, line, entry);
    return {line, {}};
}

bool ApplySoilLiveUpdate(const SoilEntry& entry, int currentLine, CellGrid& grid) {
    if (currentLine < 1 || currentLine > grid.Lines()) return false;
    if (ValidateSoilEntry(entry)) return false;
    SoilEntry row{FormatSoilDepth(entry.depth), entry.name};
    const FieldText& lineDepth = grid.Cell(currentLine, kDepth);
    // A different depth means the user is typing a new layer, not
    // correcting the current one.
    if (Numeric(lineDepth) && !SameDepth(lineDepth, row.depth)) return false;
    WriteEntry(grid, currentLine, row);
    return true;
}

bool StoreSoilTable(const CellGrid& grid, const SoilLayerOrigins& origins, SurveyData& survey) {
    if (std::vector<int> missing = LinesWithoutDepth(grid, kDepth); !missing.empty()) {
        ShowMessage(MissingDepthMessage(missing, "深度", "深度"));
        return false;
    }

    std::vector<int> lines;
    const int used = std::min(grid.UsedLength(), kSoilRowCount);
    for (int l = 1; l <= used; ++l)
        if (grid.HasText(l)) lines.push_back(l);

    // The rows as they were: a layer's description is read from where the
    // layer was, whatever has been written over that row by now.
    const auto before = survey.soil;
    DuplicateDepthReport report("同じ深度があります", "m");
    int stored = 0;
    for (const DepthPick& pick : OrderByDepth(grid, kDepth, lines)) {
        FieldText depth = StoredSoilDepth(grid.Cell(pick.line, kDepth));
        report.Add(depth, pick.sameDepthLeft);
        const int origin = origins.Of(pick.line);
        SoilRow row = origin >= 1 && origin <= kSoilRowCount ? before[static_cast<size_t>(origin)] : SoilRow{};
        row[1] = std::move(depth);
        row[2] = grid.Cell(pick.line, kName);
        row[kDisplayFlagsField] = kSimpleSoilDisplayFlags;
        survey.soil[static_cast<size_t>(++stored)] = std::move(row);
    }
    for (int r = stored + 1; r <= kSoilRowCount; ++r)
        for (int f = 1; f <= kSoilFieldCapacity; ++f)
            if (f != kDisplayFlagsField) survey.soil[static_cast<size_t>(r)][f].clear();

    report.ShowIfAny();
    return true;
}

std::vector<FieldText> SimpleSoilNames(const std::vector<FieldText>& entries) {
    std::vector<FieldText> names;
    bool listing = false;
    for (const FieldText& entry : entries) {
        // An empty entry is a line that held only its line end.
        if (entry.empty()) continue;
        FieldText name;
        GetCsvField(name, entry, 1);
        if (!listing && name.compare(0, kFirstListedName.size(), kFirstListedName) == 0) listing = true;
        if (listing) names.push_back(std::move(name));
    }
    return names;
}

bool SoilEntryOutsideGrid(const SoilEntry& entry, int currentLine, const CellGrid& grid) {
    if (IsNumericText(entry.depth) == -1 && IsNumericText(entry.name) == -1) return false;
    return !EntryInLine(grid, currentLine, {{soil_column::kDepth, entry.depth}, {soil_column::kName, entry.name}},
                        [&](CellGrid& g) { return ApplySoilLiveUpdate(entry, currentLine, g); });
}

}  // namespace vosk
