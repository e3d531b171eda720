#include "entry/blow_table_text.h"

#include "platform/cp932.h"
#include "platform/string_table.h"
#include "survey/csv_text.h"
#include "survey/numbers.h"

namespace vosk {
namespace {

using namespace blow_column;
constexpr size_t kNone = TableLayout::kNotInLine;

// Spreadsheet programs expect CR LF.
constexpr std::string_view kCsvLineEnd = "\r\n";

std::optional<TableLayout> ExportHeader(const std::vector<std::string>& fields) {
    if (fields.size() < kBlowCsvColumns.size()) return std::nullopt;
    for (size_t i = 0; i < kBlowCsvColumns.size(); ++i)
        if (fields[i] != kBlowCsvColumns[i]) return std::nullopt;
    // Δh and Nd of the file are derived again, as Add derives them.
    TableLayout layout{{1, 2, kNone, kNone, 5}, kBlowCsvColumns.size()};
    if (fields.size() > layout.width && fields[layout.width].starts_with(kConvertedNColumn)) ++layout.width;
    return layout;
}

// A line of the grid's five columns as the grid copies them: Δh and Nd are
// numbers or empty, so a remark with an unquoted comma is not taken for them.
std::optional<TableLayout> GridColumns(const std::vector<std::string>& fields) {
    if (fields.size() != static_cast<size_t>(kBlowFieldCount) || !TextBeyond(fields, 3)) return std::nullopt;
    for (int c : {kDeltaH, kNd})
        if (IsNumericText(fields[static_cast<size_t>(c - 1)]) == 0) return std::nullopt;
    return TableLayout{{0, 1, 2, 3, 4}, 5};
}

}  // namespace

const TableTextRules& BlowTextRules() {
    static const TableTextRules rules{TableLayout{{0, 1, kNone, kNone, 2}, 3}, 1, ExportHeader, GridColumns};
    return rules;
}

TableTextResult EnterBlowText(std::string_view text, char separator, CellGrid& grid,
                              const AutoCalcSwitches& switches) {
    return EnterTableText(text, separator, BlowTextRules(), grid,
                          [&switches](const std::vector<FieldText>& values, CellGrid& cells) {
                              BlowRow entry;
                              for (int c = kN; c <= kRemark; ++c) entry[c] = values[static_cast<size_t>(c - 1)];
                              return PlaceAdd(entry, cells, switches);
                          });
}

BlowCsvImport ImportBlowCsv(std::string_view bytes) {
    BlowCsvImport result;
    std::string text;
    if (!DecodeCsvText(bytes, text)) {
        result.refusal = MessageText(message::kNotUtf8OrCp932);
        return result;
    }
    // The dialog as it opens on a new survey: an empty grid, both auto
    // switches on whatever the window's switches are.
    CellGrid grid(kBlowRowCount, kBlowFieldCount);
    const AutoCalcSwitches switches{true, true};
    TableTextResult entered = EnterBlowText(text, ',', grid, switches);
    if (!entered.Ok()) {
        result.refusedLine = entered.refusedLine;
        result.refusal = std::move(entered.refusal);
        return result;
    }
    auto survey = std::make_unique<SurveyData>();
    // Every line has a numeric depth: the store cannot refuse.
    if (StoreBlowTable(grid, *survey, switches)) result.survey = std::move(survey);
    return result;
}

std::string FormatBlowCsv(const SurveyData& survey, const NRelation* relation, std::string_view relationText) {
    std::string csv;
    for (size_t i = 0; i < kBlowCsvColumns.size(); ++i) {
        if (i > 0) csv += ',';
        csv += kBlowCsvColumns[i];
    }
    if (relation) csv += "," + QuoteTableField(std::string(kConvertedNColumn) + std::string(relationText) + ")", ',');
    csv += kCsvLineEnd;
    // The rows the sheet draws: from row 1 while the depth is a number.
    for (int r = 1; r <= kBlowRowCount && IsNumericText(survey.blow[r][kDepth]) == 1; ++r) {
        const BlowRow& row = survey.blow[r];
        csv += FormatFixed(ParseDecimal(row[kDepth]) / 100, 2);
        for (int f = 1; f <= kBlowFieldCount; ++f) csv += "," + QuoteTableField(Cp932ToUtf8(row[f]), ',');
        if (relation) csv += "," + ConvertedN(*relation, row[kNd]);
        csv += kCsvLineEnd;
    }
    return csv;
}

std::string BlowLinesAsText(const CellGrid& grid, const std::vector<int>& lines) {
    return GridLinesAsText(grid, lines, {kN, kDepth, kDeltaH, kNd, kRemark});
}

}  // namespace vosk
