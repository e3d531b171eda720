#include "entry/grid_rules.h"

#include <gtest/gtest.h>

namespace vosk {
namespace {

TEST(GridRulesTest, EditorReachesTheVisibleLinesAndOneBeyondEachEdge) {
    // Lines 10 to 29 visible (0-based top 10, 20 lines).
    struct Case {
        int line;
        LineReach reach;
    } cases[] = {
        {8, LineReach::Unreachable}, {9, LineReach::ScrollUp},   {10, LineReach::Visible},
        {29, LineReach::Visible},    {30, LineReach::ScrollDown}, {31, LineReach::Unreachable},
    };
    for (const Case& c : cases) EXPECT_EQ(ReachLine(c.line, 10, 20), c.reach) << c.line;
    // At the top of the list there is no line above to scroll to.
    EXPECT_EQ(ReachLine(-1, 0, 20), LineReach::ScrollUp);
    EXPECT_EQ(ReachLine(0, 0, 20), LineReach::Visible);
}

TEST(GridRulesTest, EditorCoversOnlyTheVisiblePartOfTheCell) {
    struct Case {
        int left, width, visibleRight;
        bool placed;
        int spanLeft, spanWidth;
    } cases[] = {
        {60, 70, 400, true, 60, 70},    // wholly visible
        {350, 70, 400, true, 350, 50},  // cut at the right edge
        {396, 70, 400, false, 0, 0},    // 4 pixels left: too narrow
        {395, 70, 400, true, 395, 5},   // 5 pixels are enough
        {-30, 70, 400, true, 0, 40},    // scrolled partly off to the left
        {-66, 70, 400, false, 0, 0},    // 4 pixels left on the left side
    };
    for (const Case& c : cases) {
        auto span = ClipEditorSpan(c.left, c.width, c.visibleRight);
        ASSERT_EQ(span.has_value(), c.placed) << c.left;
        if (span) {
            EXPECT_EQ(span->left, c.spanLeft) << c.left;
            EXPECT_EQ(span->width, c.spanWidth) << c.left;
        }
    }
}

TEST(GridRulesTest, EnterSkipsColumnsThatAreNoStop) {
    // The blow grid with both auto switches on: Δh and Nd are derived.
    const std::vector<bool> stops{true, true, false, false, true};
    EXPECT_EQ(NextEnterStop(stops, 1), 2);
    EXPECT_EQ(NextEnterStop(stops, 2), 5);
    EXPECT_EQ(NextEnterStop(stops, 5), 0);
    EXPECT_EQ(NextEnterStop(stops, 0), 1);
    EXPECT_EQ(NextEnterStop({true, false}, 1), 0);
}

}  // namespace
}  // namespace vosk
