#include "survey/list_file.h"

#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace vosk {
namespace {

constexpr size_t kAll = std::numeric_limits<size_t>::max();

TEST(ListFileTest, EveryLineEndIsRemovedAndNoTextCharacter) {
    // CR LF, LF alone, and a last line without line end; an empty line stays
    // an entry.
    EXPECT_EQ(SplitListEntries("ab\r\ncd\n\r\nef", 59, kAll), (std::vector<FieldText>{"ab", "cd", "", "ef"}));
    EXPECT_TRUE(SplitListEntries("", 59, kAll).empty());
}

TEST(ListFileTest, LongLinesArriveInPiecesOfAtMostThePieceSize) {
    const std::string line58(58, 'a'), line59(59, 'b'), line60(60, 'c');
    // A text that fills the piece exactly is one entry, whatever its line end.
    EXPECT_EQ(SplitListEntries(line58 + "\r\n" + line59 + "\r\nx", 59, kAll),
              (std::vector<FieldText>{line58, line59, "x"}));
    EXPECT_EQ(SplitListEntries(line60 + "\r\n", 59, kAll), (std::vector<FieldText>{std::string(59, 'c'), "c"}));
}

TEST(ListFileTest, APieceNeverEndsInsideADoubleByteCharacter) {
    // "あ" is 0x82 0xA0: with a 3-byte piece the second one cannot fit.
    const std::string a = "\x82\xa0";
    EXPECT_EQ(SplitListEntries("x" + a + a + "\r\n", 3, kAll), (std::vector<FieldText>{"x" + a, a}));
}

TEST(ListFileTest, StopsAtTheEntryLimit) {
    EXPECT_EQ(SplitListEntries("1\r\n2\r\n3\r\n", 59, 2), (std::vector<FieldText>{"1", "2"}));
    EXPECT_EQ(SplitListEntries("abcdef\r\n", 2, 2), (std::vector<FieldText>{"ab", "cd"}));
}

}  // namespace
}  // namespace vosk
