#include "soil/simple_soil_rules.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/message_service.h"
#include "platform/string_table.h"
#include "test_bytes.h"
#include "tests/core/shown_refusal.h"

namespace vosk {
namespace {

using test::Shown;


using namespace soil_column;
using Texts = std::vector<std::string>;

// Soil grid of 100 lines filled from line 1 with depth and name pairs.
CellGrid Grid(std::initializer_list<std::pair<const char*, const char*>> lines) {
    CellGrid grid(kSoilRowCount, kSimpleSoilColumns);
    int l = 0;
    for (auto [depth, name] : lines) {
        ++l;
        grid.SetCell(l, kDepth, depth);
        grid.SetCell(l, kName, name);
    }
    return grid;
}

Texts Line(const CellGrid& grid, int line) { return {grid.Cell(line, kDepth), grid.Cell(line, kName)}; }

// Fields 1 to 11 of a soil row.
Texts Row(const SurveyData& survey, int r) {
    Texts fields;
    for (int f = 1; f <= kSoilFieldCount; ++f) fields.push_back(survey.soil[r][f]);
    return fields;
}

// A stored layer with a JACIC description that names it in every field.
void SetLayer(SurveyData& survey, int r, const std::string& depth, const std::string& tag) {
    survey.soil[r][1] = depth;
    survey.soil[r][2] = tag;
    for (int f = 3; f <= kSoilFieldCount; ++f) survey.soil[r][f] = tag + std::to_string(f);
    survey.soil[r][7] = "7";
}

TEST(SimpleSoilDepth, AddRewritesWithTwoDecimalsStoreOnlyShortFractions) {
    struct Case {
        const char* typed;
        const char* added;
        const char* stored;
    };
    for (const Case& c : {Case{"2", "2.00", "2.00"}, Case{"1.2", "1.20", "1.20"}, Case{"1.234", "1.23", "1.234"},
                          Case{"3", "3.00", "3.00"}, Case{"1.", "1.00", "1.00"}, Case{"-0.5", "-0.50", "-0.50"},
                          Case{"2.10", "2.10", "2.10"}, Case{" 12.3456", "12.35", " 12.3456"}}) {
        EXPECT_EQ(FormatSoilDepth(c.typed), c.added) << c.typed;
        EXPECT_EQ(StoredSoilDepth(c.typed), c.stored) << c.typed;
    }
}

TEST(SimpleSoilEntry, DepthMustBeANumberWithinMinusOneToThreeThousandMetres) {
    struct Case {
        const char* depth;
        const char* name;
        int message;  // 0 accepted
    };
    for (const Case& c : {Case{"3000", "", 0}, Case{"-1", "x", 0}, Case{"0", "", 0}, Case{"3000.01", "x", 4006},
                          Case{"-1.5", "x", 4006}, Case{"", "x", 903}, Case{"abc", "x", 903}, Case{"", "", 903},
                          Case{"-nan", "x", 4006}}) {
        MessageRecorder messages;
        EXPECT_EQ(Shown(ValidateSoilEntry({c.depth, c.name})), c.message == 0) << c.depth;
        EXPECT_EQ(messages.texts, c.message == 0 ? Texts{} : Texts{std::string(MessageText(c.message))}) << c.depth;
        MessageRecorder silent;
        EXPECT_EQ(!ValidateSoilEntry({c.depth, c.name}), c.message == 0);
        EXPECT_TRUE(silent.texts.empty());
    }
}

TEST(SimpleSoilAdd, GoesAfterTheLastUsedLineWithTwoDecimalsAndRefusesTheSameDepth) {
    MessageRecorder messages;
    CellGrid grid = Grid({{"1.00", "a"}, {"", ""}, {"3.00", "c"}});
    EXPECT_EQ(Shown(PlaceSoilAdd({"2", "b"}, grid)), 4);
    EXPECT_EQ(Line(grid, 4), (Texts{"2.00", "b"}));
    EXPECT_EQ(Line(grid, 2), (Texts{"", ""}));
    // 1.000 is depth 1: found above the blank line.
    EXPECT_EQ(Shown(PlaceSoilAdd({"1.000", "x"}, grid)), 0);
    // 2.004 becomes 2.00 before it is compared, but line 4 lies below the
    // blank line that ends the search.
    EXPECT_EQ(Shown(PlaceSoilAdd({"2.004", "x"}, grid)), 5);
    EXPECT_EQ(messages.texts, Texts{FormatMessageText(908, "深度")});
    EXPECT_EQ(Line(grid, 5), (Texts{"2.00", "x"}));

    CellGrid full(kSoilRowCount, kSimpleSoilColumns);
    full.SetCell(kSoilRowCount, kName, "last");
    messages.texts.clear();
    EXPECT_EQ(Shown(PlaceSoilAdd({"5", "x"}, full)), 0);
    EXPECT_EQ(messages.texts, Texts{std::string(MessageText(902))});
}

TEST(SimpleSoilOverwrite, CorrectsTheLineOfThatDepthKeepingTheTypedText) {
    MessageRecorder messages;
    CellGrid empty = Grid({});
    EXPECT_EQ(Shown(PlaceSoilOverwrite({"1", "a"}, 0, empty)), 0);
    EXPECT_EQ(Line(empty, 1), (Texts{"", ""}));

    CellGrid grid = Grid({{"1.00", "a"}, {"2.00", "b"}});
    EXPECT_EQ(Shown(PlaceSoilOverwrite({"4", "x"}, 1, grid)), 0);
    EXPECT_EQ(Shown(PlaceSoilOverwrite({"2", "x"}, 101, grid)), 0);
    EXPECT_EQ(messages.texts, (Texts{std::string(MessageText(904)), FormatMessageText(907, "深度"),
                                     std::string(MessageText(905))}));
    // Whichever line is current, the line of that depth takes the entry.
    EXPECT_EQ(Shown(PlaceSoilOverwrite({"2.0000001", "x"}, 1, grid)), 2);
    EXPECT_EQ(Line(grid, 2), (Texts{"2.0000001", "x"}));
    EXPECT_EQ(Line(grid, 1), (Texts{"1.00", "a"}));
}

TEST(SimpleSoilLiveUpdate, WritesIntoALineWithoutDepthOrWithTheSameDepth) {
    MessageRecorder messages;
    CellGrid grid = Grid({{"1.00", "a"}, {"", ""}});
    EXPECT_TRUE(ApplySoilLiveUpdate({"2", "b"}, 2, grid));
    EXPECT_EQ(Line(grid, 2), (Texts{"2.00", "b"}));
    EXPECT_TRUE(ApplySoilLiveUpdate({"1", "c"}, 1, grid));
    EXPECT_EQ(Line(grid, 1), (Texts{"1.00", "c"}));
    // A new depth while a line is current, a bad entry, no current line.
    EXPECT_FALSE(ApplySoilLiveUpdate({"5", "d"}, 1, grid));
    EXPECT_FALSE(ApplySoilLiveUpdate({"3001", "d"}, 3, grid));
    EXPECT_FALSE(ApplySoilLiveUpdate({"5", "d"}, 0, grid));
    EXPECT_EQ(Line(grid, 1), (Texts{"1.00", "c"}));
    EXPECT_EQ(Line(grid, 3), (Texts{"", ""}));
    EXPECT_TRUE(messages.texts.empty());
}

TEST(SimpleSoilStore, LayersKeepTheirDescriptionWhenReordered) {
    MessageRecorder messages;
    auto survey = std::make_unique<SurveyData>();
    SetLayer(*survey, 1, "3.00", "A");
    SetLayer(*survey, 2, "1.5", "B");
    SetLayer(*survey, 3, "2.123", "C");
    SetLayer(*survey, 4, "4", "D");
    survey->soil[5][7] = "5";  // a row past the table keeps its flags

    CellGrid grid = SimpleSoilTable(*survey);
    SoilLayerOrigins origins(grid);
    // Line 4 (D) deleted, a new layer added after C.
    grid.DeleteLine(4);
    origins.DeleteLine(4);
    int added = Shown(PlaceSoilAdd({"0.5", "N"}, grid));
    ASSERT_EQ(added, 4);
    origins.NewLayer(added);

    ASSERT_TRUE(StoreSoilTable(grid, origins, *survey));
    EXPECT_EQ(Row(*survey, 1), (Texts{"0.50", "N", "", "", "", "", "247", "", "", "", ""}));
    EXPECT_EQ(Row(*survey, 2), (Texts{"1.50", "B", "B3", "B4", "B5", "B6", "247", "B8", "B9", "B10", "B11"}));
    EXPECT_EQ(Row(*survey, 3), (Texts{"2.123", "C", "C3", "C4", "C5", "C6", "247", "C8", "C9", "C10", "C11"}));
    EXPECT_EQ(Row(*survey, 4), (Texts{"3.00", "A", "A3", "A4", "A5", "A6", "247", "A8", "A9", "A10", "A11"}));
    // The removed layer's description is gone with it; field 7 stays.
    EXPECT_EQ(Row(*survey, 5), (Texts{"", "", "", "", "", "", "5", "", "", "", ""}));
    EXPECT_EQ(CountSoilRows(*survey), 4);
    EXPECT_TRUE(messages.texts.empty());
}

TEST(SimpleSoilStore, ReportsEqualDepthsAndRefusesTextWithoutDepth) {
    auto survey = std::make_unique<SurveyData>();
    SetLayer(*survey, 1, "9", "keep");
    {
        MessageRecorder messages;
        CellGrid grid = Grid({{"2", "a"}, {"", ""}, {"", "no depth"}, {"   ", ""}});
        EXPECT_FALSE(StoreSoilTable(grid, SoilLayerOrigins(Grid({})), *survey));
        EXPECT_EQ(messages.texts.size(), 1u);
        EXPECT_NE(messages.texts[0].find("行: 3\n"), std::string::npos);
        EXPECT_EQ(survey->soil[1][1], "9");
    }
    MessageRecorder messages;
    // Three lines of 2 m, one of 0 m twice: 0 m is never reported.
    CellGrid grid = Grid({{"2", "a"}, {"0", "z"}, {"2.000", "b"}, {"", ""}, {"2.0", "c"}, {"0", "y"}});
    ASSERT_TRUE(StoreSoilTable(grid, SoilLayerOrigins(grid), *survey));
    Texts depths, names;
    for (int r = 1; r <= 6; ++r) {
        depths.push_back(survey->soil[r][1]);
        names.push_back(survey->soil[r][2]);
    }
    EXPECT_EQ(depths, (Texts{"0.00", "0.00", "2.00", "2.000", "2.00", ""}));
    EXPECT_EQ(names, (Texts{"z", "y", "a", "b", "c", ""}));
    EXPECT_EQ(messages.texts, Texts{"同じ深度があります\r\n 2.00 m \r\n 2.00 m \r\n 2.000 m \r\n"});
}

TEST(SimpleSoilNames, ListStartsAtThePeatLineAndTakesTheFirstField) {
    const std::string peat = "\x93\x44\x92\x59";  // 泥炭
    const std::string clay(test::kNendo);
    const std::vector<FieldText> entries = {"header," + peat + " list", "", clay + ",C", peat + ",Pt", "",
                                            clay + ",C", peat + "layer,x", "S"};
    EXPECT_EQ(SimpleSoilNames(entries), (Texts{peat, clay, peat + "layer", "S"}));
    EXPECT_TRUE(SimpleSoilNames({"a,b", "c"}).empty());
}

}  // namespace
}  // namespace vosk
