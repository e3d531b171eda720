#include "entry/table_text.h"

#include "platform/cp932.h"
#include "platform/string_table.h"
#include "survey/csv_text.h"
#include "survey/field_check.h"
#include "survey/text_lines.h"

namespace vosk {
namespace {

bool IsBlank(std::string_view text) { return text.find_first_not_of(" \t") == std::string_view::npos; }

bool AllBlank(const std::vector<std::string>& fields) { return !TextBeyond(fields, 0); }

std::string FieldAt(const std::vector<std::string>& fields, size_t i) {
    return i < fields.size() ? fields[i] : std::string();
}

}  // namespace

bool TextBeyond(const std::vector<std::string>& fields, size_t width) {
    for (size_t i = width; i < fields.size(); ++i)
        if (!IsBlank(fields[i])) return true;
    return false;
}

TableTextResult EnterTableText(std::string_view text, char separator, const TableTextRules& rules, CellGrid& grid,
                               const TableAdd& add) {
    CellGrid working = grid;
    TableTextResult result;
    TableLayout layout = rules.entry;
    bool firstLine = true, firstData = true;
    int number = 0;
    std::vector<std::string> fields;
    std::string problem;
    auto refuse = [&](std::string why) {
        result.refusedLine = number;
        result.refusal = std::move(why);
        return false;
    };
    ForEachLine(text, [&](std::string_view raw) {
        ++number;
        if (!SplitTableLine(StripLineEnd(raw), separator, fields, problem)) return refuse(problem);
        if (AllBlank(fields)) return true;
        if (firstLine) {
            firstLine = false;
            if (rules.knownHeader) {
                if (std::optional<TableLayout> headed = rules.knownHeader(fields)) {
                    layout = *headed;
                    firstData = false;
                    return true;
                }
            }
            if (IsNumericText(FieldAt(fields, rules.depthField)) == 0) return true;
        }
        if (firstData) {
            firstData = false;
            if (rules.dataLayout)
                if (std::optional<TableLayout> own = rules.dataLayout(fields)) layout = *own;
        }
        if (TextBeyond(fields, layout.width))
            return refuse(FormatMessageText(message::kTooManyFields, std::to_string(layout.width)));
        std::vector<FieldText> values;
        for (size_t at : layout.at) {
            FieldCheck check = CheckEnteredText(at == TableLayout::kNotInLine ? std::string() : FieldAt(fields, at),
                                                FieldKind::Table);
            if (!check.ok()) return refuse(check.refusal);
            values.push_back(std::move(check.bytes));
        }
        const Placement placed = add(values, working);
        if (placed.line == 0) return refuse(FormatMessageText(placed.refusal.id, placed.refusal.arg));
        ++result.entered;
        result.gridLines.push_back(placed.line);
        return true;
    });
    if (!result.Ok()) {
        // Nothing of a refused text is kept.
        result.entered = 0;
        result.gridLines.clear();
        return result;
    }
    grid = std::move(working);
    return result;
}

std::string GridLinesAsText(const CellGrid& grid, const std::vector<int>& lines, const std::vector<int>& columns) {
    std::string text;
    for (int line : lines) {
        for (size_t i = 0; i < columns.size(); ++i) {
            if (i > 0) text += '\t';
            text += QuoteTableField(Cp932ToUtf8(grid.Cell(line, columns[i])), '\t');
        }
        text += '\n';
    }
    return text;
}

}  // namespace vosk
