#include "entry/blow_rules.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "platform/message_service.h"
#include "tests/core/shown_refusal.h"

namespace vosk {
namespace {

using test::Shown;


using namespace blow_column;

constexpr AutoCalcSwitches kBoth{true, true};
constexpr AutoCalcSwitches kNone{false, false};

struct Line {
    const char* n;
    const char* depth;
    const char* dh = "";
    const char* nd = "";
    const char* remark = "";
};

// Blow grid of 100 lines; the given lines fill it from line 1, a line of
// empty texts stays blank.
CellGrid Grid(std::initializer_list<Line> lines) {
    CellGrid grid(kBlowRowCount, kBlowFieldCount);
    int l = 0;
    for (const Line& line : lines) {
        ++l;
        grid.SetCell(l, kN, line.n);
        grid.SetCell(l, kDepth, line.depth);
        grid.SetCell(l, kDeltaH, line.dh);
        grid.SetCell(l, kNd, line.nd);
        grid.SetCell(l, kRemark, line.remark);
    }
    return grid;
}

BlowRow Entry(const char* n, const char* depth, const char* dh = "", const char* nd = "", const char* remark = "") {
    BlowRow row;
    row[kN] = n;
    row[kDepth] = depth;
    row[kDeltaH] = dh;
    row[kNd] = nd;
    row[kRemark] = remark;
    return row;
}

std::vector<std::string> Cells(const CellGrid& grid, int line) {
    std::vector<std::string> cells;
    for (int c = 1; c <= grid.Columns(); ++c) cells.push_back(grid.Cell(line, c));
    return cells;
}

std::vector<std::string> Fields(const BlowRow& row) {
    return {row[1], row[2], row[3], row[4], row[5]};
}

std::string Message(int id, std::string_view arg = {}) {
    MessageRecorder inner;
    ShowMessage(id, arg);
    return inner.texts.at(0);
}

// ---- Grid -----------------------------------------------------------------

TEST(CellGrid, UsedLengthsAndDeleteKeepTheLineCount) {
    CellGrid grid(5, 2);
    EXPECT_EQ(grid.UsedLength(), 0);
    grid.SetCell(2, 1, "1.00");
    grid.SetCell(4, 2, "x");
    EXPECT_EQ(grid.UsedLength(), 4);
    EXPECT_EQ(grid.UsedLength(1), 2);
    EXPECT_EQ(grid.UsedLength(2), 4);
    EXPECT_TRUE(grid.IsBlankLine(3));

    grid.DeleteLine(2);
    EXPECT_EQ(grid.Lines(), 5);
    EXPECT_EQ(grid.Cell(3, 2), "x");
    EXPECT_TRUE(grid.IsBlankLine(5));
    EXPECT_EQ(grid.UsedLength(1), 0);

    EXPECT_THROW(grid.Cell(6, 1), std::out_of_range);
    EXPECT_THROW(grid.SetCell(1, 3, "x"), std::out_of_range);
}

TEST(SameDepth, DiffersBelowOneMillionth) {
    struct Case {
        const char* a;
        const char* b;
        bool same;
    } cases[] = {
        {"10", "10.0000001", true},
        {"10", "10.00001", false},
        {"10", " 10.000", true},
        {"-5", "5", false},
    };
    for (const Case& c : cases) EXPECT_EQ(SameDepth(c.a, c.b), c.same) << c.a << " vs " << c.b;
}

// ---- Auto-calculation modes -------------------------------------------------

TEST(AutoCalc, BothSwitchesAreOnAtStart) {
    AutoCalcSwitches switches;
    EXPECT_TRUE(switches.deltaH);
    EXPECT_TRUE(switches.nd);
}

TEST(AutoCalc, ModeNumberTextAndEditableColumns) {
    struct Case {
        AutoCalcSwitches switches;
        int mode;
        const char* text;
        bool dhEditable;
        bool ndEditable;
    } cases[] = {
        {{false, false}, 0, "", true, true},
        {{true, false}, 1, "dh自動計算", false, true},
        {{false, true}, 2, "Nd自動計算", true, false},
        {{true, true}, 3, "dhNd自動計算", false, false},
    };
    for (const Case& c : cases) {
        int mode = AutoCalcMode(c.switches);
        EXPECT_EQ(mode, c.mode);
        EXPECT_EQ(AutoCalcModeText(mode), c.text);
        EXPECT_EQ(BlowColumnEditable(mode, kDeltaH), c.dhEditable) << mode;
        EXPECT_EQ(BlowColumnEditable(mode, kNd), c.ndEditable) << mode;
        EXPECT_EQ(BlowEntryFieldEnabled(mode, kDeltaH), c.dhEditable) << mode;
        EXPECT_EQ(BlowEntryFieldEnabled(mode, kNd), c.ndEditable) << mode;
        for (int column : {kN, kDepth, kRemark}) {
            EXPECT_TRUE(BlowColumnEditable(mode, column));
            EXPECT_TRUE(BlowEntryFieldEnabled(mode, column));
        }
    }
}

// ---- Derivations ----------------------------------------------------------

TEST(DeriveDeltaH, DistanceFromTheNearestShallowerPositiveDepthInAnyOrder) {
    const CellGrid grids[] = {
        Grid({{"1", "10"}, {"1", "20"}, {"1", "30"}}),
        Grid({{"1", "30"}, {"1", "10"}, {"1", "20"}}),
        Grid({{"1", "20"}, {"", ""}, {"1", "30"}, {"1", "0"}, {"1", "-5"}, {"1", "10"}}),
    };
    struct Case {
        const char* depth;
        const char* dh;
    } cases[] = {
        {"30", "10"}, {"10", "10"}, {"20", "10"}, {"25", "5"}, {"5", "5"}, {"40", "10"},
        {"0", "0"},   {"-5", "-5"}, {"abc", ""},  {"", ""},
    };
    for (const CellGrid& grid : grids)
        for (const Case& c : cases) EXPECT_EQ(DeriveDeltaH(c.depth, grid, kBoth), c.dh) << c.depth;

    EXPECT_EQ(DeriveDeltaH("25", grids[0], {false, true}), "");
}

TEST(DeriveNd, TenTimesNOverDeltaH) {
    struct Case {
        const char* n;
        const char* dh;
        const char* nd;
    } cases[] = {
        {"5", "3", "16.6667"}, {"10", "10", "10"}, {"3", "2.5", "12"}, {"5", "0.0002", "250000"},
        {"abc", "3", ""},      {"5", "", ""},      {"5", "0", ""},     {"5", "0.0001", ""},
        {"5", "-10", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(DeriveNd(c.n, c.dh, kBoth), c.nd) << c.n << " / " << c.dh;
    EXPECT_EQ(DeriveNd("5", "3", {true, false}), "");
}

TEST(RecomputeEntryRow, DerivesWhatItCanAndNeverClears) {
    CellGrid grid = Grid({{"3", "10"}, {"4", "20"}});
    struct Case {
        AutoCalcSwitches switches;
        BlowRow entry;
        std::vector<std::string> expected;
    } cases[] = {
        {kBoth, Entry("6", "30", "99", "1"), {"6", "30", "10", "6", ""}},
        // Δh of depth 0 is 0, too small for an Nd: the old Nd stays.
        {kBoth, Entry("6", "0", "", "7"), {"6", "0", "0", "7", ""}},
        {kBoth, Entry("-", "-4", "", "7"), {"-", "-4", "-4", "7", ""}},
        {kBoth, Entry("x", "25", "", "7"), {"x", "25", "5", "7", ""}},
        // Nd only: from the Δh as typed.
        {{false, true}, Entry("5", "30", "4", ""), {"5", "30", "4", "12.5", ""}},
        {kNone, Entry("6", "30", "99", "1", "r"), {"6", "30", "99", "1", "r"}},
    };
    for (Case& c : cases) {
        RecomputeEntryRow(c.entry, grid, c.switches);
        EXPECT_EQ(Fields(c.entry), c.expected);
    }
}

TEST(LoadBlowLine, DerivesForTheChangedColumnAndWritesBack) {
    CellGrid grid = Grid({{"4", "10"}, {"6", "30", "7", "1", "r"}});

    BlowRow whole = LoadBlowLine(grid, 2, 0, kBoth);
    EXPECT_EQ(Fields(whole), (std::vector<std::string>{"6", "30", "20", "3", "r"}));
    EXPECT_EQ(Cells(grid, 2), Fields(whole));

    // A Δh typed into the cell is kept; only Nd follows it.
    grid.SetCell(2, kDeltaH, "15");
    EXPECT_EQ(Fields(LoadBlowLine(grid, 2, kDeltaH, kBoth)), (std::vector<std::string>{"6", "30", "15", "4", "r"}));
    grid.SetCell(2, kN, "9");
    EXPECT_EQ(LoadBlowLine(grid, 2, kN, kBoth)[kNd], "6");
    EXPECT_EQ(grid.Cell(2, kNd), "6");

    grid.SetCell(2, kDepth, "40");
    grid.SetCell(2, kRemark, "x");
    EXPECT_EQ(LoadBlowLine(grid, 2, kRemark, kBoth)[kDeltaH], "15");
    EXPECT_EQ(LoadBlowLine(grid, 2, kDepth, kBoth)[kDeltaH], "30");
    EXPECT_EQ(grid.Cell(2, kNd), "3");

    EXPECT_EQ(Fields(LoadBlowLine(grid, 1, 0, kNone)), (std::vector<std::string>{"4", "10", "", "", ""}));
}

// ---- Validation -------------------------------------------------------------

TEST(ValidateEntryRow, RefusesEmptyNonNumericAndOutOfRangeDepths) {
    struct Case {
        BlowRow entry;
        int message;  // 0: accepted
    } cases[] = {
        {Entry("", ""), 903},
        {Entry("5", ""), 903},
        {Entry("5", "abc"), 903},
        {Entry("", "1000000"), 0},
        {Entry("", "1000000.5"), 4006},
        {Entry("", "-1000"), 0},
        {Entry("", "-1000.5"), 4006},
        {Entry("", "-nan"), 4006},
        {Entry("", "0", "", "", ""), 0},
    };
    for (const Case& c : cases) {
        MessageRecorder loud;
        EXPECT_EQ(Shown(ValidateEntryRow(c.entry)), c.message == 0) << c.entry[kDepth];
        if (c.message == 0) {
            EXPECT_TRUE(loud.texts.empty());
        } else {
            EXPECT_EQ(loud.texts, std::vector<std::string>{Message(c.message)});
        }

        MessageRecorder quiet;
        EXPECT_EQ(!ValidateEntryRow(c.entry), c.message == 0);
        EXPECT_TRUE(quiet.texts.empty());
    }
}

// ---- Add ------------------------------------------------------------------

TEST(PlaceAdd, WritesTheRecomputedEntryAfterTheLastUsedLine) {
    MessageRecorder messages;
    CellGrid grid = Grid({{"3", "10"}, {"", ""}, {"4", "30"}});
    EXPECT_EQ(Shown(PlaceAdd(Entry("5", "25", "", "", "r"), grid, kBoth)), 4);
    EXPECT_EQ(Cells(grid, 4), (std::vector<std::string>{"5", "25", "15", "3.33333", "r"}));
    EXPECT_TRUE(grid.IsBlankLine(2));
    EXPECT_TRUE(messages.texts.empty());
}

TEST(PlaceAdd, RefusalsShowTheirMessageAndLeaveTheGrid) {
    CellGrid full(kBlowRowCount, kBlowFieldCount);
    full.SetCell(kBlowRowCount, kRemark, "last");

    struct Case {
        CellGrid grid;
        BlowRow entry;
        std::string message;
    } cases[] = {
        {Grid({{"3", "10"}, {"4", "20"}}), Entry("5", "20.0000001"), Message(908, "深度")},
        {full, Entry("5", "10"), Message(902)},
        {Grid({{"3", "10"}}), Entry("5", ""), Message(903)},
        {Grid({{"3", "10"}}), Entry("5", "2000000"), Message(4006)},
    };
    for (Case& c : cases) {
        CellGrid before = c.grid;
        MessageRecorder messages;
        EXPECT_EQ(Shown(PlaceAdd(c.entry, c.grid, kBoth)), 0);
        EXPECT_EQ(messages.texts, std::vector<std::string>{c.message});
        for (int l = 1; l <= kBlowRowCount; ++l) ASSERT_EQ(Cells(c.grid, l), Cells(before, l)) << l;

        MessageRecorder quiet;
        EXPECT_EQ(PlaceAdd(c.entry, c.grid, kBoth).line, 0);
        EXPECT_TRUE(quiet.texts.empty());
    }
    EXPECT_EQ(Message(908, "深度"), "同じ 深度データがあります.\n修正なら上書きしてください.");
    // The rule itself shows nothing: it returns the message and its argument.
    MessageRecorder none;
    CellGrid grid = Grid({{"3", "10"}});
    const Placement placed = PlaceAdd(Entry("5", "10"), grid, kBoth);
    EXPECT_EQ(placed.line, 0);
    EXPECT_EQ(placed.refusal.id, 908);
    EXPECT_EQ(placed.refusal.arg, "深度");
    EXPECT_TRUE(none.texts.empty());
}

TEST(PlaceAdd, BlankDepthStopsTheDuplicateSearch) {
    MessageRecorder messages;
    CellGrid grid = Grid({{"3", "10"}, {"", ""}, {"4", "20"}});
    EXPECT_EQ(Shown(PlaceAdd(Entry("5", "20"), grid, kBoth)), 4);
    EXPECT_TRUE(messages.texts.empty());
}

// ---- Overwrite --------------------------------------------------------------

TEST(PlaceOverwrite, ReplacesTheLineWithTheSameDepthWhicheverIsCurrent) {
    MessageRecorder messages;
    CellGrid grid = Grid({{"3", "10"}, {"4", "20", "10", "4", "old"}, {"5", "30"}});
    for (int current : {0, 1, 2, 100}) {
        EXPECT_EQ(Shown(PlaceOverwrite(Entry("8", "20", "", "", "new"), current, grid, kBoth, OverwriteMode::Button)), 2);
    }
    EXPECT_EQ(Cells(grid, 2), (std::vector<std::string>{"8", "20", "10", "8", "new"}));
    EXPECT_TRUE(messages.texts.empty());
}

TEST(PlaceOverwrite, RefusalsShowTheirMessageAndLeaveTheGrid) {
    struct Case {
        CellGrid grid;
        BlowRow entry;
        int current;
        std::string message;
    } cases[] = {
        {Grid({{"3", "10"}}), Entry("5", "10"), 101, Message(905)},
        {Grid({{"3", "10"}}), Entry("5", "10"), -1, Message(905)},
        {Grid({}), Entry("5", "10"), 1, Message(904)},
        {Grid({{"3", "10"}, {"4", "20"}}), Entry("5", "25"), 1, Message(907, "深さh ")},
        // The search stops at the blank line.
        {Grid({{"3", "10"}, {"", ""}, {"4", "20"}}), Entry("5", "20"), 3, Message(907, "深さh ")},
        // The entry is checked before the line.
        {Grid({{"3", "10"}}), Entry("5", "x"), 101, Message(903)},
    };
    for (Case& c : cases) {
        CellGrid before = c.grid;
        MessageRecorder messages;
        EXPECT_EQ(Shown(PlaceOverwrite(c.entry, c.current, c.grid, kBoth, OverwriteMode::Button)), 0);
        EXPECT_EQ(messages.texts, std::vector<std::string>{c.message});
        for (int l = 1; l <= kBlowRowCount; ++l) ASSERT_EQ(Cells(c.grid, l), Cells(before, l)) << l;
    }
    EXPECT_EQ(Message(907, "深さh "), "上書きできません、同じ 深さh  がありません.");
}

TEST(PlaceOverwrite, SilentModeNeedsACurrentLine) {
    MessageRecorder messages;
    CellGrid grid = Grid({{"3", "10"}});
    EXPECT_EQ(PlaceOverwrite(Entry("5", "10"), 0, grid, kBoth, OverwriteMode::Silent).line, 0);
    EXPECT_EQ(PlaceOverwrite(Entry("5", "10"), 1, grid, kBoth, OverwriteMode::Silent).line, 1);
    EXPECT_EQ(grid.Cell(1, kN), "5");
    EXPECT_TRUE(messages.texts.empty());
}

// ---- Live update ------------------------------------------------------------

TEST(LiveUpdate, WritesOnlyIntoALineWithoutDepthOrWithTheSameDepth) {
    struct Case {
        BlowRow entry;
        int current;
        bool written;
    } cases[] = {
        {Entry("5", "20"), 2, true},   // line 2 has no depth yet
        {Entry("5", "10"), 1, true},   // same depth: a correction
        {Entry("5", "15"), 1, false},  // a new depth is for Add
        {Entry("5", ""), 2, false},
        {Entry("5", "2000000"), 2, false},
        {Entry("5", "20"), 0, false},
        {Entry("5", "20"), 101, false},
    };
    for (const Case& c : cases) {
        MessageRecorder messages;
        CellGrid grid = Grid({{"3", "10"}, {"4", ""}});
        CellGrid before = grid;
        EXPECT_EQ(LiveUpdateAllowed(c.entry, c.current, grid), c.written) << c.entry[kDepth] << " @" << c.current;
        EXPECT_EQ(ApplyLiveUpdate(c.entry, c.current, grid, kBoth), c.written);
        if (c.written) {
            EXPECT_EQ(grid.Cell(c.current, kDepth), c.entry[kDepth]);
            EXPECT_EQ(grid.Cell(c.current, kN), "5");
            EXPECT_FALSE(grid.Cell(c.current, kNd).empty());
        } else {
            for (int l = 1; l <= 2; ++l) EXPECT_EQ(Cells(grid, l), Cells(before, l));
        }
        EXPECT_TRUE(messages.texts.empty());
    }
}

// ---- Store ------------------------------------------------------------------

std::vector<std::string> Row(const SurveyData& s, int r) { return Fields(s.blow[r]); }

TEST(StoreBlowTable, OrdersByDepthRecomputesAndClearsTheRest) {
    MessageRecorder messages;
    auto survey = std::make_unique<SurveyData>();
    for (int r = 1; r <= kBlowRowCount; ++r) survey->blow[r][kRemark] = "stale";

    CellGrid grid = Grid({
        {"6", "30", "1", "1", "c"},
        {"", ""},
        {"4", "10", "", "", "a"},
        {"", "", "", "", "  "},  // spaces only: nothing to keep
        {"5", "20", "", "", "b"},
    });
    ASSERT_TRUE(StoreBlowTable(grid, *survey, kBoth));
    EXPECT_EQ(Row(*survey, 1), (std::vector<std::string>{"4", "10", "10", "4", "a"}));
    EXPECT_EQ(Row(*survey, 2), (std::vector<std::string>{"5", "20", "10", "5", "b"}));
    EXPECT_EQ(Row(*survey, 3), (std::vector<std::string>{"6", "30", "10", "6", "c"}));
    for (int r = 4; r <= kBlowRowCount; ++r) ASSERT_EQ(Row(*survey, r), std::vector<std::string>(5)) << r;
    EXPECT_EQ(Cells(grid, 1), (std::vector<std::string>{"6", "30", "10", "6", "c"}));
    EXPECT_TRUE(messages.texts.empty());
}

TEST(StoreBlowTable, ModeZeroOnlyReorders) {
    MessageRecorder messages;
    auto survey = std::make_unique<SurveyData>();
    CellGrid grid = Grid({{"6", "30", "1", "2", "c"}, {"4", "10"}});
    ASSERT_TRUE(StoreBlowTable(grid, *survey, kNone));
    EXPECT_EQ(Row(*survey, 1), (std::vector<std::string>{"4", "10", "", "", ""}));
    EXPECT_EQ(Row(*survey, 2), (std::vector<std::string>{"6", "30", "1", "2", "c"}));
}

TEST(StoreBlowTable, EqualDepthsAreStoredInGridOrderAndReportedOnce) {
    MessageRecorder messages;
    auto survey = std::make_unique<SurveyData>();
    CellGrid grid = Grid({
        {"1", "20", "", "", "x"},
        {"2", "10"},
        {"3", "20.0", "", "", "y"},
        {"4", "20", "", "", "z"},
    });
    ASSERT_TRUE(StoreBlowTable(grid, *survey, kBoth));
    EXPECT_EQ(survey->blow[2][kRemark], "x");
    EXPECT_EQ(survey->blow[3][kRemark], "y");
    EXPECT_EQ(survey->blow[4][kRemark], "z");
    EXPECT_EQ(survey->blow[4][kDeltaH], "10");
    // Two duplicates when the first 20 is taken, one when the second is.
    EXPECT_EQ(messages.texts, std::vector<std::string>{"同じ深度があります..\r\n 20 s \r\n 20 s \r\n 20.0 s \r\n"});
}

TEST(StoreBlowTable, DuplicateReportLimits) {
    struct Case {
        const char* name;
        std::vector<std::string> depths;
        int reportedLines;  // -1: no message at all
    } cases[] = {
        {"depth 0 and below are not reported", {"0", "0", "-5", "-5"}, -1},
        {"six lines at most", std::vector<std::string>(9, "20"), 6},
        // Each line is 108 bytes: after three the text passes 300 bytes.
        {"300 bytes stop the counting", std::vector<std::string>(5, "20" + std::string(100, ' ')), 3},
    };
    for (const Case& c : cases) {
        MessageRecorder messages;
        auto survey = std::make_unique<SurveyData>();
        CellGrid grid(kBlowRowCount, kBlowFieldCount);
        for (size_t i = 0; i < c.depths.size(); ++i) {
            grid.SetCell(static_cast<int>(i) + 1, kN, "1");
            grid.SetCell(static_cast<int>(i) + 1, kDepth, c.depths[i]);
        }
        ASSERT_TRUE(StoreBlowTable(grid, *survey, kBoth)) << c.name;
        EXPECT_EQ(CountBlowRows(*survey), static_cast<int>(c.depths.size())) << c.name;
        if (c.reportedLines < 0) {
            EXPECT_TRUE(messages.texts.empty()) << c.name;
            continue;
        }
        ASSERT_EQ(messages.texts.size(), 1u) << c.name;
        const std::string& text = messages.texts[0];
        int crlf = 0;
        for (size_t p = text.find("\r\n"); p != std::string::npos; p = text.find("\r\n", p + 2)) ++crlf;
        EXPECT_EQ(crlf, 1 + c.reportedLines) << c.name;
    }
}

TEST(StoreBlowTable, DuplicateReportShowsACp932DepthAsUtf8) {
    MessageRecorder messages;
    auto survey = std::make_unique<SurveyData>();
    const std::string depth = "20\x81\x40";  // 20 and a full-width space
    CellGrid grid = Grid({{"1", depth.c_str()}, {"2", depth.c_str()}});
    ASSERT_TRUE(StoreBlowTable(grid, *survey, kBoth));
    EXPECT_EQ(messages.texts, std::vector<std::string>{"同じ深度があります..\r\n 20\u3000 s \r\n"});
}

TEST(StoreBlowTable, LineWithTextButNoDepthIsRefusedAndNamed) {
    MessageRecorder messages;
    auto survey = std::make_unique<SurveyData>();
    survey->blow[1][kDepth] = "kept";
    CellGrid grid = Grid({
        {"4", "10"},
        {"7", ""},  // N without a depth
        {"5", "20"},
        {"", "", "", "", ""},
        {"", "abc", "", "", ""},
        {"", "", "", "", "remark only"},
    });
    CellGrid before = grid;
    EXPECT_FALSE(StoreBlowTable(grid, *survey, kBoth));
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_NE(messages.texts[0].find("行: 2, 5, 6\n"), std::string::npos) << messages.texts[0];
    EXPECT_EQ(survey->blow[1][kDepth], "kept");
    for (int l = 1; l <= 6; ++l) EXPECT_EQ(Cells(grid, l), Cells(before, l));
}

}  // namespace
}  // namespace vosk
