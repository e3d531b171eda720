#include "soil/soil_table_text.h"

#include "soil/jacic_soil_rules.h"
#include "soil/simple_soil_rules.h"

namespace vosk {

const TableTextRules& SoilTextRules() {
    static const TableTextRules rules{TableLayout{{0, 1}, 2}, 0, nullptr, nullptr};
    return rules;
}

TableTextResult EnterSimpleSoilText(std::string_view text, char separator, CellGrid& grid) {
    return EnterTableText(text, separator, SoilTextRules(), grid,
                          [](const std::vector<FieldText>& values, CellGrid& cells) {
                              return PlaceSoilAdd(SoilEntry{values[0], values[1]}, cells);
                          });
}

TableTextResult EnterJacicSoilText(std::string_view text, char separator, CellGrid& grid, int flags) {
    return EnterTableText(text, separator, SoilTextRules(), grid,
                          [flags](const std::vector<FieldText>& values, CellGrid& cells) {
                              JacicLine entry{};
                              entry[jacic_column::kDepth] = values[0];
                              entry[jacic_column::kName] = values[1];
                              SetFlagColumns(entry, flags);
                              return PlaceJacicAdd(entry, cells);
                          });
}

std::string SimpleSoilLinesAsText(const CellGrid& grid, const std::vector<int>& lines) {
    return GridLinesAsText(grid, lines, {soil_column::kDepth, soil_column::kName});
}

std::string JacicSoilLinesAsText(const CellGrid& grid, const std::vector<int>& lines) {
    return GridLinesAsText(grid, lines, {jacic_column::kDepth, jacic_column::kName});
}

}  // namespace vosk
