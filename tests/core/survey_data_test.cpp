#include "survey/survey_data.h"

#include <gtest/gtest.h>
#include <memory>

#include "test_bytes.h"

namespace vosk {
namespace {

TEST(SurveyData, TablesEndAtTheFirstRowWithoutANumericKey) {
    auto s = std::make_unique<SurveyData>();
    s->soil[1][1] = "1.00";
    s->soil[2][1] = "  2.50";
    s->soil[3][1] = "";
    s->soil[4][1] = "4.00";
    EXPECT_EQ(CountSoilRows(*s), 2);

    s->blow[1][1] = "5";
    s->blow[1][2] = "10";
    s->blow[2][2] = "20";  // depth without N: stored, not counted
    s->blow[3][1] = "abc";
    EXPECT_EQ(CountBlowRows(*s), 1);
    EXPECT_EQ(CountStoredBlowRows(*s), 2);
}

TEST(SurveyData, FullTablesCountOneHundred) {
    auto s = std::make_unique<SurveyData>();
    for (int r = 1; r <= kBlowRowCount; ++r) {
        s->blow[r][1] = "1";
        s->blow[r][2] = std::to_string(r);
        s->soil[r][1] = "1";
    }
    EXPECT_EQ(CountBlowRows(*s), 100);
    EXPECT_EQ(CountStoredBlowRows(*s), 100);
    EXPECT_EQ(CountSoilRows(*s), 100);
    ClearSurvey(*s);
    EXPECT_EQ(CountBlowRows(*s), 0);
    EXPECT_EQ(CountSoilRows(*s), 0);
}

TEST(SurveyData, ClearEmptiesTheUnstoredSoilFields) {
    auto s = std::make_unique<SurveyData>();
    s->soil[7][14] = "x";
    s->heading[70] = "x";
    ClearSurvey(*s);
    EXPECT_EQ(s->soil[7][14], "");
    EXPECT_EQ(s->heading[70], "");
}

TEST(NormaliseHeading, NewDocumentGetsTheSheetDefaults) {
    auto s = std::make_unique<SurveyData>();
    NormaliseHeading(*s, test::kKabushikiGaisha);
    EXPECT_EQ(s->heading[heading::kDepthScale], "20");
    EXPECT_EQ(s->heading[heading::kJgsFrame], "0");
    EXPECT_EQ(s->heading[heading::kCompanyName], test::kKabushikiGaisha);
    EXPECT_EQ(s->heading[heading::kVerticalSoilNames], "1");
    EXPECT_EQ(s->heading[heading::kNdScale], "10");
}

TEST(NormaliseHeading, ScalesOutsideTheirRangeAreReplaced) {
    struct Case {
        const char* depthScale;
        const char* expectedDepth;
        const char* ndScale;
        const char* expectedNd;
    } cases[] = {
        {"1", "20", "0", "10"},         {"2", "2", "1", "1"},        {"5000", "5000", "100", "100"},
        {"5001", "20", "101", "10"},    {"abc", "20", "x5", "10"},   {" 100", " 100", "15", "15"},
    };
    for (const Case& c : cases) {
        auto s = std::make_unique<SurveyData>();
        s->heading[heading::kDepthScale] = c.depthScale;
        s->heading[heading::kNdScale] = c.ndScale;
        s->heading[heading::kJgsFrame] = "1";
        s->heading[heading::kCompanyName] = "ABC";
        s->heading[heading::kVerticalSoilNames] = "0";
        NormaliseHeading(*s, "X");
        EXPECT_EQ(s->heading[heading::kDepthScale], c.expectedDepth) << c.depthScale;
        EXPECT_EQ(s->heading[heading::kNdScale], c.expectedNd) << c.ndScale;
        EXPECT_EQ(s->heading[heading::kJgsFrame], "1");
        EXPECT_EQ(s->heading[heading::kCompanyName], "ABC");
        EXPECT_EQ(s->heading[heading::kVerticalSoilNames], "0");
    }
}

}  // namespace
}  // namespace vosk
