#include "settings/master_list_rules.h"

#include <gtest/gtest.h>

#include "platform/cp932.h"

namespace vosk {
namespace {

CellGrid Grid(std::initializer_list<const char*> lines) {
    CellGrid g(kMasterListLines, 1);
    int l = 0;
    for (const char* t : lines) g.SetCell(++l, 1, t);
    return g;
}

TEST(MasterList, SavesNonEmptyLinesAndReportsRepeats) {
    CellGrid g = Grid({"same", "", "same", "other", "same"});
    MasterListFile f = FormatMasterList(g);
    EXPECT_EQ(f.bytes, "same\r\nsame\r\nother\r\nsame\r\n");
    EXPECT_EQ(f.duplicates,
              "同じデータがあります\r\n"
              " 3行目と 1行目 [same]　\r\n"
              " 5行目と 1行目 [same]　\r\n"
              " 5行目と 3行目 [same]　\r\n");
    EXPECT_EQ(FormatMasterList(Grid({"a", "b"})).duplicates, "");
}

TEST(MasterList, ReportKeepsItsSixFirstPairs) {
    CellGrid g = Grid({"x", "x", "x", "x", "x"});  // 10 pairs
    MasterListFile f = FormatMasterList(g);
    size_t lines = 0;
    for (size_t at = f.duplicates.find("\r\n"); at != std::string::npos; at = f.duplicates.find("\r\n", at + 1)) ++lines;
    EXPECT_EQ(lines, 7u);  // the heading and six pairs
    EXPECT_EQ(f.bytes, "x\r\nx\r\nx\r\nx\r\nx\r\n");
}

TEST(MasterList, MovesStopAtTheEnds) {
    CellGrid g = Grid({"a", "b", "c"});
    EXPECT_EQ(MoveMasterLineUp(g, 1), 0);
    EXPECT_EQ(MoveMasterLineDown(g, 3), 0);  // the last used line does not move down
    EXPECT_EQ(MoveMasterLineDown(g, 1), 2);
    EXPECT_EQ(g.Cell(1, 1), "b");
    EXPECT_EQ(g.Cell(2, 1), "a");
    EXPECT_EQ(MoveMasterLineUp(g, 3), 2);
    EXPECT_EQ(g.Cell(2, 1), "c");
    EXPECT_EQ(g.Cell(3, 1), "a");
    EXPECT_EQ(MoveMasterLineUp(g, 5), 4);  // empty lines move too
}

}  // namespace
}  // namespace vosk
