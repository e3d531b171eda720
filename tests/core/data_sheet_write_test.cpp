#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "platform/drive_map.h"
#include "platform/file_io.h"
#include "platform/message_service.h"
#include "platform/string_table.h"
#include "survey/data_sheet.h"
#include "survey/open_data_sheet.h"
#include "test_bytes.h"
#include "tests/core/test_system.h"

namespace vosk {
namespace {

std::unique_ptr<SurveyData> ReadBack(const std::string& bytes) {
    auto s = std::make_unique<SurveyData>();
    EXPECT_EQ(ReadDataSheet(*s, bytes, ReadPath::OpenCommand), 100);
    return s;
}

// The tables as the program sees them: heading, counted soil rows, stored
// blow rows.
void ExpectSameTables(const SurveyData& a, const SurveyData& b) {
    for (int i = 1; i <= kHeadingFieldCount; ++i) EXPECT_EQ(a.heading[i], b.heading[i]) << "heading " << i;
    ASSERT_EQ(CountSoilRows(a), CountSoilRows(b));
    for (int r = 1; r <= CountSoilRows(a); ++r)
        for (int f = 1; f <= kSoilFieldCount; ++f) EXPECT_EQ(a.soil[r][f], b.soil[r][f]) << r << "/" << f;
    ASSERT_EQ(CountStoredBlowRows(a), CountStoredBlowRows(b));
    for (int r = 1; r <= CountStoredBlowRows(a); ++r)
        for (int f = 1; f <= kBlowFieldCount; ++f) EXPECT_EQ(a.blow[r][f], b.blow[r][f]) << r << "/" << f;
}

TEST(WriteDataSheet, WritesTheDocumentedLines) {
    auto s = std::make_unique<SurveyData>();
    s->heading[heading::kSurveyName1] = std::string(test::kNendo);
    s->soil[1][1] = "1.20";
    s->soil[1][2] = "clay";
    s->blow[1][1] = "5";
    s->blow[1][2] = "10";
    s->blow[1][3] = "10";
    s->blow[1][4] = "5";
    s->blow[2][2] = "25";  // a depth without N is stored, not listed in $$c
    std::string out = FormatDataSheet(*s, "1");

    std::string expected = "$$_VSKTARVO100\r\n$$Z\r\n" + std::string(test::kNendo) + "\r\n";
    for (int i = 2; i <= 70; ++i) expected += i == 30 ? "1\r\n" : i == 32 ? "1.20\r\n" : "\r\n";
    expected += "$$A\r\n1.20,clay,,,,,,,,,\r\n";
    expected += "$$C\r\n5,10,10,5,\r\n,25,,,\r\n";
    expected += "$$c\r\n0.10,5,\r\n";
    EXPECT_EQ(out, expected);
}

TEST(ComputeMaxDepth, TakesTheDeeperOfSoilAndBlowTables) {
    auto s = std::make_unique<SurveyData>();
    EXPECT_EQ(ComputeMaxDepth(*s), "0.00");
    s->soil[1][1] = "3.5";
    EXPECT_EQ(ComputeMaxDepth(*s), "3.50");
    s->blow[1][1] = "4";
    s->blow[1][2] = "452";
    EXPECT_EQ(ComputeMaxDepth(*s), "4.52");
    s->soil[2][1] = "6";
    EXPECT_EQ(ComputeMaxDepth(*s), "6.00");
}

TEST(WriteDataSheet, TextTheFormatCannotCarryStaysReadable) {
    auto s = std::make_unique<SurveyData>();
    s->heading[heading::kSurveyName1] = "price $$5";
    s->heading[heading::kSurveyName2] = "a \"quoted\" title";
    s->heading[3] = "two\nlines";
    s->heading[4] = "ends with its line end\r\n";
    s->soil[1][1] = "1.00";
    s->soil[1][2] = "sand, fine";
    s->soil[1][3] = "say \"x\"";
    s->soil[1][4] = "$$A";
    auto r = ReadBack(FormatDataSheet(*s, ""));
    EXPECT_EQ(r->heading[heading::kSurveyName1], "price \x81\x90\x81\x90" "5");
    EXPECT_EQ(r->heading[heading::kSurveyName2], "a \"quoted\" title");  // heading lines are not split
    EXPECT_EQ(r->heading[3], "two lines");
    EXPECT_EQ(r->heading[4], "ends with its line end");
    EXPECT_EQ(r->heading[heading::kPointNumber], "");
    EXPECT_EQ(r->soil[1][2], "sand, fine");
    EXPECT_EQ(r->soil[1][3], "say \xfa\x57x\xfa\x57");
    EXPECT_EQ(r->soil[1][4], "$$A");  // written as $""$A, read back whole
    EXPECT_EQ(r->soil[1][5], "");
}

// Any survey the reader can produce is written and read back unchanged.
TEST(WriteDataSheet, RoundTripOfRandomSurveys) {
    std::mt19937 rng(20261209);
    const std::string alphabet[] = {"0", "1", "5", ".", "-", " ", "a", ",", "\r", "$",
                                    std::string(test::kNendo), "\x81", "\t", std::string(1, '\0')};
    auto randomText = [&](bool numericStart) {
        std::string t = numericStart ? std::to_string(rng() % 500) : "";
        for (int n = rng() % 6; n > 0; --n) t += alphabet[rng() % std::size(alphabet)];
        return t;
    };
    for (int round = 0; round < 200; ++round) {
        auto s = std::make_unique<SurveyData>();
        for (int i = 1; i <= kHeadingFieldCount; ++i) s->heading[i] = randomText(false);
        int soil = rng() % 101, blow = rng() % 101;
        for (int r = 1; r <= soil; ++r)
            for (int f = 1; f <= kSoilFieldCount; ++f) s->soil[r][f] = randomText(f == 1);
        for (int r = 1; r <= blow; ++r)
            for (int f = 1; f <= kBlowFieldCount; ++f) s->blow[r][f] = randomText(f == 1 + static_cast<int>(rng() % 2));
        // What the reader can hold: no line feed, "$$" or quote in a table
        // field, no "$$" or line feed in a heading field.
        auto first = ReadBack(FormatDataSheet(*s, "2"));
        auto second = ReadBack(FormatDataSheet(*first, "2"));
        ExpectSameTables(*first, *second);
        EXPECT_EQ(second->heading[heading::kDigitsNd], "2");
        if (HasFailure()) break;
    }
}

TEST(WriteDataSheet, DollarsJoinedByTheReaderComeBackWhole) {
    // The reader drops the quote of "$"$": the field holds "$$", which the
    // file can carry only split by quotes.
    auto s = ReadBack("$$_VSKTARVO100\r\n$$C\r\n1,10,10,1,\"a$\"$\"$b,c\"\r\n");
    EXPECT_EQ(s->blow[1][5], "a$$$b,c");
    std::string written = FormatDataSheet(*s, "");
    EXPECT_NE(written.find(",\"a$\"\"$\"\"$b,c\"\r\n"), std::string::npos) << written;
    auto r = ReadBack(written);
    EXPECT_EQ(r->blow[1][5], "a$$$b,c");
    EXPECT_EQ(CountStoredBlowRows(*r), 1);
}

TEST(WriteDataSheet, StoredOnlyHeadingFieldsSurvive) {
    auto s = std::make_unique<SurveyData>();
    const int storedOnly[] = {3, 4, 6, 11, 14, 15, 20, 24, 25, 26, 27, 40, 50, 52, 60, 70};
    for (int f : storedOnly) s->heading[f] = "keep " + std::to_string(f);
    auto r = ReadBack(FormatDataSheet(*s, ""));
    for (int f : storedOnly) EXPECT_EQ(r->heading[f], "keep " + std::to_string(f));
}

// Users name their sheets and folders in Japanese: such a sheet is saved and
// opened again whole, and a missing one is named in the message as it is.
TEST(WriteDataSheet, SheetsWithJapaneseNamesAreSavedAndOpened) {
    const std::filesystem::path root = test::FreshTestFolder("vosk-sheet");
    const std::filesystem::path folder = root / PathFromUtf8("調査地点");
    std::filesystem::create_directories(folder);
    const std::filesystem::path file = folder / PathFromUtf8("ボーリング柱状図Ｎ値.vkr");
    auto s = std::make_unique<SurveyData>();
    s->heading[heading::kSurveyName1] = std::string(test::kNendo);
    s->soil[1][1] = "1.20";
    s->soil[1][2] = std::string(test::kJichin);
    s->blow[1][1] = "5";
    s->blow[1][2] = "10";
    AtomicFile out(file);
    ASSERT_TRUE(WriteDataSheet(*s, "", out));
    ASSERT_TRUE(out.Commit());

    MessageRecorder messages;
    OpenedSheet opened = OpenDataSheetFile(file, PathToUtf8(file), ReadPath::OpenCommand, std::nullopt);
    ASSERT_TRUE(opened.Ok());
    ExpectSameTables(*s, *opened.survey);
    const std::filesystem::path missing = folder / PathFromUtf8("無い.vkr");
    EXPECT_FALSE(OpenDataSheetFile(missing, PathToUtf8(missing), ReadPath::OpenCommand, std::nullopt).Ok());
    EXPECT_EQ(messages.texts, std::vector<std::string>{FormatMessageText(32795, PathToUtf8(missing))});
    EXPECT_NE(messages.texts.front().find("調査地点"), std::string::npos);
    std::filesystem::remove_all(root);
}

class FailingOutput : public OutputFile {
public:
    bool Write(std::string_view) override { return false; }
};

TEST(WriteDataSheet, ReportsAFailedWrite) {
    auto s = std::make_unique<SurveyData>();
    FailingOutput out;
    EXPECT_FALSE(WriteDataSheet(*s, "", out));
    MemoryOutput memory;
    EXPECT_TRUE(WriteDataSheet(*s, "", memory));
    EXPECT_TRUE(memory.bytes().starts_with("$$_VSKTARVO100\r\n"));
}

}  // namespace
}  // namespace vosk
