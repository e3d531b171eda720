#include "soil/jacic_soil_rules.h"

#include <string>
#include <vector>

#include "platform/cp932.h"
#include "platform/message_service.h"
#include "platform/string_table.h"
#include "survey/numbers.h"

namespace vosk {
namespace {

using namespace jacic_column;

// An alternation without its share of the two soils is drawn half and half.
constexpr char kEvenShare[] = "50";

// The mark column of each underline bit; bits 6 to 8 have none.
constexpr std::array<int, 6> kMarkColumn = {kDepthMark, kNameMark, kPattern1Mark,
                                            kAuxNameMark, kPattern2Mark, kColourMark};

// Soil row fields 1 to 11 and the grid columns they are shown in.
constexpr std::array<int, kSoilFieldCount + 1> kFieldColumn = {
    0, kDepth, kName, kAuxName, kColour, kPattern1, kPattern2, kFlags, kSymbol, kPercent1, kPercent2, kDelimiter};

bool Numeric(std::string_view text) { return IsNumericText(text) == 1; }

// The percentage of one member of an alternation, "50" when the member is
// an alternation and its share is not positive.
void EvenShareIfAlternation(FieldText& percentage, const FieldText& name) {
    static const FieldText kAlternation = Cp932Literal("互層");
    if (ParseInteger(percentage) < 1 && FindCp932(name, kAlternation) != std::string::npos) percentage = kEvenShare;
}

}  // namespace

int EncodeSoilFlags(const std::array<bool, kFlagBits>& boxes) {
    int flags = 0;
    for (int bit = 0; bit < kFlagBits; ++bit)
        if (boxes[static_cast<size_t>(bit)] && bit != kColourUnderlineBit) flags |= 1 << bit;
    return flags;
}

std::array<bool, kFlagBits> DecodeSoilFlags(int flags) {
    std::array<bool, kFlagBits> boxes{};
    for (int bit = 0; bit < kFlagBits; ++bit) boxes[static_cast<size_t>(bit)] = (flags >> bit) & 1;
    return boxes;
}

void SetFlagColumns(JacicLine& line, int flags) {
    for (size_t bit = 0; bit < kMarkColumn.size(); ++bit)
        line[static_cast<size_t>(kMarkColumn[bit])] = (flags >> bit) & 1 ? "_" : ".";
    line[kFlags] = FormatInteger(flags);
}


const std::array<FieldText, 6>& DelimiterItems() {
    static const std::array<FieldText, 6> items = {Cp932Literal("･"), "/", "(", Cp932Literal("・"),
                                                   Cp932Literal("／"), Cp932Literal("（")};
    return items;
}

int DelimiterChoice(std::string_view value) {
    if (value.empty()) return -1;
    const auto& items = DelimiterItems();
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i] == value) return static_cast<int>(i);
    return 0;
}

CellGrid SoilRowsToGrid(const SurveyData& survey) {
    CellGrid grid(kJacicLines, kCount);
    for (int r = 1; r <= kSoilRowCount && r <= kJacicLines; ++r) {
        const SoilRow& row = survey.soil[static_cast<size_t>(r)];
        if (!Numeric(row[1])) continue;
        JacicLine line;
        for (int f = 1; f <= kSoilFieldCount; ++f) line[static_cast<size_t>(kFieldColumn[static_cast<size_t>(f)])] = row[f];
        // An old form of the empty second share.
        if (row[10] == Cp932Literal("・")) line[kPercent2].clear();
        SetFlagColumns(line, static_cast<int>(ParseInteger(row[7])));
        // The flag word stays as it was stored.
        line[kFlags] = row[7];
        WriteJacicLine(grid, r, line);
    }
    return grid;
}

bool SoilLineShown(const CellGrid& grid, int line) { return Numeric(grid.Cell(line, kDepth)); }

JacicLine ReadJacicLine(const CellGrid& grid, int line) {
    JacicLine entry;
    for (int c = 1; c <= kCount; ++c) entry[static_cast<size_t>(c)] = grid.Cell(line, c);
    return entry;
}

void WriteJacicLine(CellGrid& grid, int line, const JacicLine& entry) {
    for (int c = 1; c <= kCount; ++c) grid.SetCell(line, c, entry[static_cast<size_t>(c)]);
}

Placement PlaceJacicAdd(const JacicLine& entry, CellGrid& grid) {
    if (Refusal refused = ValidateSoilDepth(entry[kDepth])) return {0, refused};
    const int used = grid.UsedLength();
    if (used >= grid.Lines()) return {0, {message::kMaxLines}};
    JacicLine row = entry;
    row[kDepth] = FormatSoilDepth(entry[kDepth]);
    if (FindSameDepthLine(grid, kDepth, row[kDepth], used) != 0) return {0, {message::kSameDepth, "深度"}};
    // After the last used line; the store puts the lines in depth order.
    WriteJacicLine(grid, used + 1, row);
    return {used + 1, {}};
}

Placement PlaceJacicOverwrite(const JacicLine& entry, int currentLine, CellGrid& grid) {
    if (Refusal refused = ValidateSoilDepth(entry[kDepth])) return {0, refused};
    if (currentLine < 0 || currentLine > grid.Lines()) return {0, {message::kLineOutOfRange}};
    const int used = grid.UsedLength();
    if (used == 0) return {0, {message::kCannotOverwrite}};
    JacicLine row = entry;
    row[kDepth] = FormatSoilDepth(entry[kDepth]);
    // The line is found by its depth, not by which line is current.
    const int line = FindSameDepthLine(grid, kDepth, row[kDepth], used);
    if (line == 0) return {0, {message::kNoSuchDepth, "深度"}};
    WriteJacicLine(grid, line, row);
    return {line, {}};
}

bool ApplyJacicWriteBack(const JacicLine& entry, int currentLine, CellGrid& grid) {
    if (currentLine < 1 || currentLine > grid.Lines()) return false;
    if (ValidateSoilDepth(entry[kDepth])) return false;
    JacicLine row = entry;
    row[kDepth] = FormatSoilDepth(entry[kDepth]);
    const FieldText& lineDepth = grid.Cell(currentLine, kDepth);
    // A different depth is a new layer being typed: it waits for Add or
    // Overwrite.
    if (Numeric(lineDepth) && !SameDepth(lineDepth, row[kDepth])) return false;
    WriteJacicLine(grid, currentLine, row);
    return true;
}

bool StoreJacicTable(const CellGrid& grid, SurveyData& survey) {
    if (std::vector<int> missing = LinesWithoutDepth(grid, kDepth); !missing.empty()) {
        ShowMessage(MissingDepthMessage(missing, "深度 ", "深度"));
        return false;
    }
    std::vector<int> lines;
    for (int l = 1; l <= grid.Lines(); ++l)
        if (Numeric(grid.Cell(l, kDepth))) lines.push_back(l);

    DuplicateDepthReport report("同じ深度があります", "m");
    int stored = 0;
    for (const DepthPick& pick : OrderByDepth(grid, kDepth, lines)) {
        if (stored >= kSoilRowCount) break;
        const FieldText depth = FormatSoilDepth(grid.Cell(pick.line, kDepth));
        report.Add(depth, pick.sameDepthLeft);
        SoilRow& row = survey.soil[static_cast<size_t>(++stored)];
        row[1] = depth;
        for (int f = 2; f <= kSoilFieldCount; ++f)
            row[f] = grid.Cell(pick.line, kFieldColumn[static_cast<size_t>(f)]);
        EvenShareIfAlternation(row[9], row[2]);
        EvenShareIfAlternation(row[10], row[3]);
    }
    for (int r = stored + 1; r <= kSoilRowCount; ++r)
        for (int f = 1; f <= kSoilFieldCount; ++f) survey.soil[static_cast<size_t>(r)][f].clear();

    report.ShowIfAny();
    return true;
}

bool JacicEntryOutsideGrid(const JacicLine& entry, int currentLine, const CellGrid& grid) {
    using namespace jacic_column;
    // The cells the user types; the flags and the rest follow the line.
    EntryCells cells;
    bool typed = false;
    for (int c : {kDepth, kName, kAuxName, kPattern1, kPattern2, kSymbol, kPercent1, kPercent2}) {
        cells.emplace_back(c, entry[static_cast<size_t>(c)]);
        typed = typed || IsNumericText(entry[static_cast<size_t>(c)]) != -1;
    }
    if (!typed) return false;
    return !EntryInLine(grid, currentLine, cells,
                        [&](CellGrid& g) { return ApplyJacicWriteBack(entry, currentLine, g); });
}

}  // namespace vosk
