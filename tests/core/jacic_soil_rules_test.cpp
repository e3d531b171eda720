#include "soil/jacic_soil_rules.h"

#include <gtest/gtest.h>

#include "platform/cp932.h"
#include "platform/message_service.h"
#include "platform/string_table.h"
#include "soil/jacic_entry_state.h"
#include "tests/core/shown_refusal.h"

namespace vosk {
namespace {

using test::Shown;


using namespace jacic_column;

JacicLine Entry(const char* depth, const char* nameUtf8 = "") {
    JacicLine e;
    e[kDepth] = depth;
    e[kName] = Cp932Literal(nameUtf8);
    SetFlagColumns(e, kDefaultSoilFlags);
    return e;
}

void SetSoilRow(SurveyData& s, int r, std::initializer_list<const char*> fieldsUtf8) {
    int f = 0;
    for (const char* text : fieldsUtf8) s.soil[static_cast<size_t>(r)][++f] = Cp932Literal(text);
}

TEST(SoilFlags, DefaultWordAndItsMarks) {
    std::array<bool, kFlagBits> boxes = DecodeSoilFlags(kDefaultSoilFlags);
    EXPECT_EQ(boxes, (std::array<bool, kFlagBits>{true, true, true, false, true, false, true, true, false}));
    EXPECT_EQ(EncodeSoilFlags(boxes), kDefaultSoilFlags);
    // Bit 5 (colour tone underline) has no check box and is never stored.
    boxes.fill(true);
    EXPECT_EQ(EncodeSoilFlags(boxes), 511 - 32);

    JacicLine line;
    SetFlagColumns(line, kDefaultSoilFlags);
    EXPECT_EQ(line[kFlags], "215");
    // depth, name, auxiliary name, colour tone, pattern 1, pattern 2
    EXPECT_EQ((std::array<FieldText, 6>{line[kDepthMark], line[kNameMark], line[kAuxNameMark], line[kColourMark],
                                        line[kPattern1Mark], line[kPattern2Mark]}),
              (std::array<FieldText, 6>{"_", "_", ".", ".", "_", "_"}));
    SetFlagColumns(line, 8 | 32);
    EXPECT_EQ(line[kAuxNameMark], "_");
    EXPECT_EQ(line[kColourMark], "_");
    EXPECT_EQ(line[kDepthMark], ".");
}

TEST(SoilDepth, AcceptedRangeAndMessages) {
    struct Case {
        const char* depth;
        int message;  // 0: accepted
    } cases[] = {{"-1", 0}, {"3000", 0}, {" 2.5", 0}, {"-1.01", 4006}, {"3000.01", 4006},
                 {"", 903},  {"abc", 903}, {"nan", 903}};
    for (const Case& c : cases) {
        MessageRecorder messages;
        EXPECT_EQ(Shown(ValidateSoilDepth(c.depth)), c.message == 0) << c.depth;
        std::vector<std::string> expected;
        if (c.message) expected.push_back(FormatMessageText(c.message));
        EXPECT_EQ(messages.texts, expected) << c.depth;
        EXPECT_TRUE(ValidateSoilDepth("abc"));  // refused, and nothing shown
        EXPECT_EQ(messages.texts.size(), expected.size());
    }
    EXPECT_EQ(FormatSoilDepth("1.5"), "1.50");
    EXPECT_EQ(FormatSoilDepth("3"), "3.00");
}

TEST(SoilDelimiter, StoredValueSelectsAnItem) {
    EXPECT_EQ(DelimiterChoice(""), -1);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(DelimiterChoice(DelimiterItems()[static_cast<size_t>(i)]), i);
    EXPECT_EQ(DelimiterChoice(":"), 0);
    EXPECT_EQ(DelimiterItems()[0], "\xa5");      // half-width, one byte
    EXPECT_EQ(DelimiterItems()[3], "\x81\x45");  // full-width
}

TEST(SoilGrid, RowsOpenOnTheirOwnLines) {
    auto survey = std::make_unique<SurveyData>();
    SetSoilRow(*survey, 1, {"1.5", "粘土", "砂", "灰", "10000", "200", "73", "C", "0", "・", "/"});
    SetSoilRow(*survey, 2, {"abc", "砂"});
    SetSoilRow(*survey, 3, {"4", "礫"});
    survey->soil[1][12] = "kept";
    CellGrid grid = SoilRowsToGrid(*survey);
    JacicLine line = ReadJacicLine(grid, 1);
    EXPECT_EQ(line[kDepth], "1.5");
    EXPECT_EQ(line[kName], Cp932Literal("粘土"));
    EXPECT_EQ(line[kAuxName], Cp932Literal("砂"));
    EXPECT_EQ(line[kColour], Cp932Literal("灰"));
    EXPECT_EQ(line[kPattern1], "10000");
    EXPECT_EQ(line[kPattern2], "200");
    EXPECT_EQ(line[kFlags], "73");
    EXPECT_EQ(line[kSymbol], "C");
    EXPECT_EQ(line[kPercent1], "0");
    EXPECT_EQ(line[kDelimiter], "/");
    // 73 = 64 + 8 + 1: depth and auxiliary name underlined.
    EXPECT_EQ(line[kDepthMark], "_");
    EXPECT_EQ(line[kAuxNameMark], "_");
    EXPECT_EQ(line[kNameMark], ".");
    // The old empty second share is emptied on the line; loading leaves
    // the survey alone (a cancelled dialog must not change it).
    EXPECT_EQ(line[kPercent2], "");
    EXPECT_EQ(survey->soil[1][10], Cp932Literal("・"));
    EXPECT_TRUE(grid.IsBlankLine(2));
    EXPECT_FALSE(SoilLineShown(grid, 2));
    EXPECT_TRUE(SoilLineShown(grid, 3));
}

TEST(SoilPlacement, AddAndOverwriteFindTheLineByDepth) {
    CellGrid grid(kJacicLines, kCount);
    MessageRecorder messages;
    EXPECT_EQ(Shown(PlaceJacicOverwrite(Entry("1"), 0, grid)), 0);
    EXPECT_EQ(Shown(PlaceJacicAdd(Entry("1.5", "粘土"), grid)), 1);
    EXPECT_EQ(grid.Cell(1, kDepth), "1.50");
    EXPECT_EQ(Shown(PlaceJacicAdd(Entry("0.5", "砂"), grid)), 2);
    // 1.5 against 1.50: refused, nothing written.
    EXPECT_EQ(Shown(PlaceJacicAdd(Entry("1.5", "礫"), grid)), 0);
    EXPECT_EQ(grid.UsedLength(), 2);
    // Overwrite takes the line of that depth whichever line is current.
    EXPECT_EQ(Shown(PlaceJacicOverwrite(Entry("1.500", "礫"), 2, grid)), 1);
    EXPECT_EQ(grid.Cell(1, kName), Cp932Literal("礫"));
    EXPECT_EQ(grid.Cell(1, kDepth), "1.50");
    EXPECT_EQ(grid.Cell(2, kName), Cp932Literal("砂"));
    EXPECT_EQ(Shown(PlaceJacicOverwrite(Entry("7"), 0, grid)), 0);
    EXPECT_EQ(Shown(PlaceJacicOverwrite(Entry("1.5"), 101, grid)), 0);
    EXPECT_EQ(messages.texts,
              (std::vector<std::string>{FormatMessageText(904), FormatMessageText(908, "深度"),
                                        FormatMessageText(907, "深度"), FormatMessageText(905)}));

    for (int l = 3; l <= kJacicLines; ++l) grid.SetCell(l, kDepth, std::to_string(l));
    messages.texts.clear();
    EXPECT_EQ(Shown(PlaceJacicAdd(Entry("999"), grid)), 0);
    EXPECT_EQ(messages.texts, std::vector<std::string>{FormatMessageText(902)});
}

TEST(SoilWriteBack, OnlyIntoALineWithoutDepthOrTheSameDepth) {
    CellGrid grid(kJacicLines, kCount);
    MessageRecorder messages;
    grid.SetCell(1, kDepth, "2.00");
    EXPECT_TRUE(ApplyJacicWriteBack(Entry("2", "砂"), 1, grid));
    EXPECT_EQ(grid.Cell(1, kName), Cp932Literal("砂"));
    // A new depth typed while line 1 is current waits for Add or Overwrite.
    EXPECT_FALSE(ApplyJacicWriteBack(Entry("3", "礫"), 1, grid));
    EXPECT_EQ(grid.Cell(1, kDepth), "2.00");
    EXPECT_TRUE(ApplyJacicWriteBack(Entry("3", "礫"), 2, grid));
    EXPECT_EQ(grid.Cell(2, kDepth), "3.00");
    EXPECT_FALSE(ApplyJacicWriteBack(Entry("", "礫"), 3, grid));
    EXPECT_FALSE(ApplyJacicWriteBack(Entry("5000"), 3, grid));
    EXPECT_FALSE(ApplyJacicWriteBack(Entry("1"), 0, grid));
    EXPECT_TRUE(grid.IsBlankLine(3));
    EXPECT_TRUE(messages.texts.empty());
}

TEST(SoilStore, OrderedRowsEvenSharesAndOneReportPerDuplicate) {
    CellGrid grid(kJacicLines, kCount);
    auto survey = std::make_unique<SurveyData>();
    for (int r = 1; r <= kSoilRowCount; ++r) survey->soil[static_cast<size_t>(r)][1] = "9";
    survey->soil[7][12] = "kept";
    struct Line {
        const char* depth;
        const char* name;
        const char* aux;
        const char* percent1;
        const char* percent2;
    } lines[] = {{"3.00", "粘土・砂互層", "", "", ""},
                 {"1", "砂", "シルト・砂互層", "30", "0"},
                 {"2.00", "礫", "", "", ""},
                 {"1.000", "ローム", "", "", ""}};
    int l = 0;
    for (const Line& line : lines) {
        JacicLine e = Entry(line.depth, line.name);
        e[kAuxName] = Cp932Literal(line.aux);
        e[kPercent1] = line.percent1;
        e[kPercent2] = line.percent2;
        e[kColour] = "c";
        e[kPattern1] = "p1";
        e[kPattern2] = "p2";
        e[kSymbol] = "s";
        e[kDelimiter] = "/";
        WriteJacicLine(grid, ++l, e);
    }
    MessageRecorder messages;
    ASSERT_TRUE(StoreJacicTable(grid, *survey));
    auto field = [&](int r, int f) { return Cp932ToUtf8(survey->soil[static_cast<size_t>(r)][f]); };
    EXPECT_EQ((std::vector<std::string>{field(1, 1), field(2, 1), field(3, 1), field(4, 1), field(5, 1)}),
              (std::vector<std::string>{"1.00", "1.00", "2.00", "3.00", ""}));
    // Ties keep their grid order.
    EXPECT_EQ(field(1, 2), "砂");
    EXPECT_EQ(field(2, 2), "ローム");
    EXPECT_EQ((std::vector<std::string>{field(1, 3), field(1, 4), field(1, 5), field(1, 6), field(1, 7),
                                        field(1, 8), field(1, 9), field(1, 10), field(1, 11)}),
              (std::vector<std::string>{"シルト・砂互層", "c", "p1", "p2", "215", "s", "30", "50", "/"}));
    // An alternation name with an empty share gets half and half.
    EXPECT_EQ(field(4, 9), "50");
    EXPECT_EQ(field(4, 10), "");
    EXPECT_EQ(field(3, 9), "");
    EXPECT_EQ(survey->soil[7][12], "kept");
    EXPECT_EQ(messages.texts, std::vector<std::string>{"同じ深度があります\r\n 1.00 m \r\n"});
}

TEST(SoilStore, TextWithoutDepthKeepsTheDialogOpen) {
    CellGrid grid(kJacicLines, kCount);
    auto survey = std::make_unique<SurveyData>();
    survey->soil[1][1] = "5.00";
    WriteJacicLine(grid, 1, Entry("1"));
    grid.SetCell(3, kName, Cp932Literal("砂"));
    grid.SetCell(4, kDepth, "abc");
    MessageRecorder messages;
    EXPECT_FALSE(StoreJacicTable(grid, *survey));
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_NE(messages.texts[0].find("行: 3, 4"), std::string::npos) << messages.texts[0];
    EXPECT_EQ(survey->soil[1][1], "5.00");
}

// ---- Entry state ------------------------------------------------------------

TEST(JacicEntryState, TheListsFillTheGroupTheUserLastWorkedOn) {
    JacicEntryState state;
    EXPECT_EQ(state.TargetGroup(), 1);
    state.NameFocused(2);
    EXPECT_EQ(state.TargetGroup(), 2);
    state.FlagClicked(3);  // another mark keeps the group
    EXPECT_EQ(state.TargetGroup(), 2);
    state.FlagClicked(6);
    EXPECT_EQ(state.TargetGroup(), 1);
    for (int column : {kAuxName, kPattern2}) {
        state.CellEditorAt(column);
        EXPECT_EQ(state.TargetGroup(), 2) << column;
    }
    state.CellEditorAt(kSymbol);
    EXPECT_EQ(state.TargetGroup(), 1);
}

TEST(JacicEntryState, AlternationsComeFromTheBoxesAndTheLoadedNames) {
    JacicEntryState state;
    EXPECT_TRUE(state.SetAlternation(2, true));  // composed afresh: the group empties
    EXPECT_FALSE(state.Alternation(1));
    EXPECT_TRUE(state.Alternation(2));
    state.NameLoaded(1, Cp932Literal("粘土・砂互層"));
    state.NameLoaded(2, Cp932Literal("砂"));
    EXPECT_TRUE(state.Alternation(1));
    EXPECT_FALSE(state.Alternation(2));
    state.ClearAlternations();
    EXPECT_FALSE(state.Alternation(1));
}

TEST(JacicWriteBack, OnlyAWriteThatChangesTheLineCounts) {
    CellGrid grid(kJacicLines, kCount);
    auto writeBack = [](const JacicLine& entry) {
        return [entry](CellGrid& g) { return ApplyJacicWriteBack(entry, 1, g); };
    };
    EXPECT_TRUE(ChangesLine(grid, 1, writeBack(Entry("2", "砂"))));
    EXPECT_FALSE(ChangesLine(grid, 1, writeBack(Entry("2", "砂"))));  // written, nothing new
    EXPECT_FALSE(ChangesLine(grid, 1, writeBack(Entry("3", "礫"))));  // refused: another depth
}

}  // namespace
}  // namespace vosk
