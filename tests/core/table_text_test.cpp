// Tables as text: CSV files and rows pasted from a spreadsheet, entered into
// the grids as their Add enters them, and the lines the grids copy.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "entry/blow_table_text.h"
#include "platform/cp932.h"
#include "platform/message_service.h"
#include "platform/string_table.h"
#include "soil/jacic_soil_rules.h"
#include "soil/simple_soil_rules.h"
#include "soil/soil_table_text.h"
#include "survey/csv_text.h"
#include "survey/field_check.h"

namespace vosk {
namespace {

using namespace blow_column;
using Texts = std::vector<std::string>;

Texts Cells(const CellGrid& grid, int line) {
    Texts cells;
    for (int c = 1; c <= grid.Columns(); ++c) cells.push_back(grid.Cell(line, c));
    return cells;
}

CellGrid BlowGrid(std::initializer_list<Texts> lines) {
    CellGrid grid(kBlowRowCount, kBlowFieldCount);
    int l = 0;
    for (const Texts& line : lines) {
        ++l;
        for (size_t c = 0; c < line.size(); ++c) grid.SetCell(l, static_cast<int>(c) + 1, line[c]);
    }
    return grid;
}

std::string Cp932(const char* utf8) { return *Utf8ToCp932(utf8); }

TEST(TableText, SplitsLinesBetweenCommasOrTabsWithQuotedFields) {
    struct Case {
        const char* line;
        char separator;
        Texts fields;
    } cases[] = {
        {"5,10,", ',', {"5", "10", ""}},
        {"5\t10\t礫, 多い", '\t', {"5", "10", "礫, 多い"}},
        {"5,\"a,b\",\"say \"\"hi\"\"\"", ',', {"5", "a,b", "say \"hi\""}},
        {"\"a\tb\"\t2", '\t', {"a\tb", "2"}},
        {"", ',', {""}},
    };
    for (const Case& c : cases) {
        Texts fields;
        std::string problem;
        EXPECT_TRUE(SplitTableLine(c.line, c.separator, fields, problem)) << c.line;
        EXPECT_EQ(fields, c.fields) << c.line;
    }
    Texts fields;
    std::string problem;
    EXPECT_FALSE(SplitTableLine("5,\"open", ',', fields, problem));
    EXPECT_EQ(problem, MessageText(message::kUnclosedQuote));
    EXPECT_FALSE(SplitTableLine("\"a\"b,2", ',', fields, problem));
    EXPECT_EQ(problem, MessageText(message::kTextAfterQuote));

    EXPECT_EQ(QuoteTableField("a,b", ','), "\"a,b\"");
    EXPECT_EQ(QuoteTableField("a,b", '\t'), "a,b");
    EXPECT_EQ(QuoteTableField("x\ty\"", '\t'), "\"x\ty\"\"\"");
    EXPECT_EQ(TableSeparator("5,10\t3"), '\t');
    EXPECT_EQ(TableSeparator("5,10\n3,20"), ',');
    EXPECT_TRUE(IsSeveralLines("5\t10\r\n3\t20"));
    EXPECT_FALSE(IsSeveralLines("5\t10\r\n"));
    EXPECT_EQ(WithoutLastLineEnd("5\r\n"), "5");
}

TEST(TableText, CsvBytesAreUtf8OrCp932) {
    std::string text;
    EXPECT_TRUE(DecodeCsvText("\xEF\xBB\xBF" "5,10,自沈", text));
    EXPECT_EQ(text, "5,10,自沈");
    EXPECT_TRUE(DecodeCsvText(Cp932("5,10,自沈"), text));
    EXPECT_EQ(text, "5,10,自沈");
    EXPECT_FALSE(DecodeCsvText("5,10,\xFF", text));
    EXPECT_FALSE(DecodeCsvText("\xEF\xBB\xBF" + Cp932("自沈"), text));
    BlowCsvImport bad = ImportBlowCsv("5,10,\xFF\r\n");
    EXPECT_FALSE(bad.survey);
    EXPECT_EQ(bad.refusedLine, 0);
    EXPECT_EQ(bad.refusal, MessageText(message::kNotUtf8OrCp932));
}

TEST(BlowText, PastedRowsAreEnteredAsAddEntersThemWithTheDialogsSwitches) {
    // A spreadsheet's copy: a header row, tabs, CR LF, an empty row.
    CellGrid grid = BlowGrid({{"3", "10", "10", "3", ""}});
    const AutoCalcSwitches deltaHOnly{true, false};
    TableTextResult r = EnterBlowText("回数\t深さ\t記事\r\n5\t25\t\r\n\t\t\r\n2\t30\t自沈\r\n", '\t', grid, deltaHOnly);
    ASSERT_TRUE(r.Ok()) << r.refusal;
    EXPECT_EQ(r.entered, 2);
    EXPECT_EQ(r.gridLines, (std::vector<int>{2, 3}));
    // Δh derived from the depths above, Nd not (its switch is off).
    EXPECT_EQ(Cells(grid, 2), (Texts{"5", "25", "15", "", ""}));
    EXPECT_EQ(Cells(grid, 3), (Texts{"2", "30", "5", "", Cp932("自沈")}));
}

TEST(BlowText, TheFirstRefusedLineStopsAndNothingIsKept) {
    const AutoCalcSwitches both{true, true};
    struct Case {
        const char* text;
        int line;
        std::string refusal;
    } cases[] = {
        {"4,15\n6,10\n7,40\n", 2, FormatMessageText(message::kSameDepth, "深度")},
        {"N,h\n4,15\n5,\n", 3, std::string(MessageText(message::kNoData))},
        {"4,15,a$$b\n", 1, CheckEnteredText("$$", FieldKind::Table).refusal},
        // An unquoted comma in a remark is no column of the grid's own.
        {"4,15,gravel, some\n", 1, FormatMessageText(message::kTooManyFields, "3")},
        {"4,15\n5,\"open\n", 2, std::string(MessageText(message::kUnclosedQuote))},
    };
    for (const Case& c : cases) {
        CellGrid grid = BlowGrid({{"3", "10", "10", "3", ""}});
        const CellGrid before = grid;
        TableTextResult r = EnterBlowText(c.text, ',', grid, both);
        EXPECT_EQ(r.refusedLine, c.line) << c.text;
        EXPECT_EQ(r.refusal, c.refusal) << c.text;
        EXPECT_EQ(r.entered, 0) << c.text;
        for (int l = 1; l <= 3; ++l) EXPECT_EQ(Cells(grid, l), Cells(before, l)) << c.text;
    }
}

TEST(BlowText, CopiedLinesPasteBackWithAllFiveColumns) {
    CellGrid grid = BlowGrid({{"3", "10", "10", "3", Cp932("砂")}, {"5", "25", "12", "4", "a,b\tc"}});
    const std::string copied = BlowLinesAsText(grid, {1, 2});
    EXPECT_EQ(copied, "3\t10\t10\t3\t砂\n5\t25\t12\t4\t\"a,b\tc\"\n");
    // Typed Δh and Nd stay where the switches do not derive them.
    CellGrid pasted(kBlowRowCount, kBlowFieldCount);
    TableTextResult r = EnterBlowText(copied, '\t', pasted, AutoCalcSwitches{false, false});
    ASSERT_TRUE(r.Ok()) << r.refusal;
    EXPECT_EQ(Cells(pasted, 1), Cells(grid, 1));
    EXPECT_EQ(Cells(pasted, 2), (Texts{"5", "25", "12", "4", "a,b\tc"}));
}

TEST(SoilText, LayersArePastedAsEachSoilDialogsAddEntersThem) {
    CellGrid simple(kSoilRowCount, kSimpleSoilColumns);
    TableTextResult r = EnterSimpleSoilText("深度\t土質名\n1.5\t砂\n3\t粘土\n", '\t', simple);
    ASSERT_TRUE(r.Ok()) << r.refusal;
    EXPECT_EQ(Cells(simple, 1), (Texts{"1.50", Cp932("砂")}));
    EXPECT_EQ(Cells(simple, 2), (Texts{"3.00", Cp932("粘土")}));
    r = EnterSimpleSoilText("2\tx\n3.000\ty\n", '\t', simple);
    EXPECT_EQ(r.refusedLine, 2);
    EXPECT_EQ(r.refusal, FormatMessageText(message::kSameDepth, "深度"));
    EXPECT_EQ(simple.UsedLength(), 2);
    EXPECT_EQ(SimpleSoilLinesAsText(simple, {1, 2}), "1.50\t砂\n3.00\t粘土\n");

    // The JACIC grid takes depth and name, with the flags the dialog's boxes show.
    CellGrid jacic(kJacicLines, jacic_column::kCount);
    r = EnterJacicSoilText("1.2,礫\n", ',', jacic, kDefaultSoilFlags);
    ASSERT_TRUE(r.Ok()) << r.refusal;
    JacicLine expected{};
    expected[jacic_column::kDepth] = "1.20";
    expected[jacic_column::kName] = Cp932("礫");
    SetFlagColumns(expected, kDefaultSoilFlags);
    EXPECT_EQ(ReadJacicLine(jacic, 1), expected);
    EXPECT_EQ(JacicSoilLinesAsText(jacic, {1}), "1.20\t礫\n");
}

TEST(EntryOutsideGrid, ALineTypedButInNoLineOfTheGrid) {
    const AutoCalcSwitches both{true, true};
    const CellGrid grid = BlowGrid({{"3", "10", "10", "3", ""}, {"", "", "", "", "memo"}});
    BlowRow entry;
    EXPECT_FALSE(BlowEntryOutsideGrid(entry, 1, grid, both));  // nothing typed
    entry[kN] = "3", entry[kDepth] = "10", entry[kDeltaH] = "10", entry[kNd] = "3";
    EXPECT_FALSE(BlowEntryOutsideGrid(entry, 1, grid, both));  // it is line 1
    EXPECT_TRUE(BlowEntryOutsideGrid(entry, 0, grid, both));   // no line current
    entry[kDepth] = "35";
    EXPECT_TRUE(BlowEntryOutsideGrid(entry, 1, grid, both));  // another depth: not line 1
    BlowRow memo;
    memo[kRemark] = "memo";
    EXPECT_FALSE(BlowEntryOutsideGrid(memo, 2, grid, both));  // as line 2 holds it, without depth

    CellGrid soil(kSoilRowCount, kSimpleSoilColumns);
    soil.SetCell(1, soil_column::kDepth, "1.50");
    EXPECT_FALSE(SoilEntryOutsideGrid(SoilEntry{"1.5", ""}, 1, soil));  // written there it changes nothing
    EXPECT_TRUE(SoilEntryOutsideGrid(SoilEntry{"1.5", "x"}, 1, soil));
    EXPECT_TRUE(SoilEntryOutsideGrid(SoilEntry{"2", ""}, 1, soil));

    // JACIC: only what the user types counts, not the flags the boxes show.
    CellGrid jacic(kJacicLines, jacic_column::kCount);
    JacicLine layer{};
    layer[jacic_column::kDepth] = "1.20";
    SetFlagColumns(layer, kDefaultSoilFlags);
    WriteJacicLine(jacic, 1, layer);
    SetFlagColumns(layer, 0);
    EXPECT_FALSE(JacicEntryOutsideGrid(layer, 1, jacic));
    layer[jacic_column::kName] = Cp932("礫");
    EXPECT_TRUE(JacicEntryOutsideGrid(layer, 1, jacic));
}

TEST(FieldCheck, RefusalNamesWhereTheOffendingCharactersStand) {
    struct Case {
        const char* text;
        FieldKind kind;
        size_t from, length;
    } cases[] = {
        {"ab\r\ncd", FieldKind::Heading, 2, 2},
        {"ab\ncd", FieldKind::Table, 2, 1},
        {"cost $$5", FieldKind::Heading, 5, 2},
        {"a\"b", FieldKind::Table, 1, 1},
        {"礫\xF0\x9F\x98\x80x\xF0\x9F\x98\x80", FieldKind::Table, 3, 4},
        {"北の한국", FieldKind::Heading, 6, 3},
    };
    for (const Case& c : cases) {
        FieldCheck check = CheckEnteredText(c.text, c.kind);
        EXPECT_FALSE(check.ok()) << c.text;
        EXPECT_EQ(check.badFrom, c.from) << c.text;
        EXPECT_EQ(check.badLength, c.length) << c.text;
    }
    EXPECT_TRUE(CheckEnteredText("a\"b", FieldKind::Heading).ok());
}

}  // namespace
}  // namespace vosk
