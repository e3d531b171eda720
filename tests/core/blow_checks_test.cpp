#include "entry/blow_checks.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "entry/converted_n.h"

namespace vosk {
namespace {

struct Row {
    const char* n;
    const char* h;
    const char* dh;
    const char* nd;
};

struct Sheet {
    const char* testDepth;   // heading field 16
    const char* soilBottom;  // the one soil layer's depth, "" for none
    std::vector<Row> rows;
};

std::unique_ptr<SurveyData> Survey(const Sheet& sheet) {
    auto survey = std::make_unique<SurveyData>();
    survey->heading[heading::kTestDepth] = sheet.testDepth;
    survey->soil[1][1] = sheet.soilBottom;
    int r = 0;
    for (const Row& row : sheet.rows) {
        BlowRow& b = survey->blow[++r];
        b[1] = row.n, b[2] = row.h, b[3] = row.dh, b[4] = row.nd;
    }
    return survey;
}

std::string Ids(const std::vector<CheckFinding>& findings) {
    std::string ids;
    for (const CheckFinding& f : findings) ids += (ids.empty() ? "" : " ") + std::string(f.id) + "@" + std::to_string(f.row);
    return ids;
}

// One sheet per rule, each a small change of a clean one.
struct RuleCase {
    const char* name;
    Sheet sheet;
    const char* findings;  // id@row, in the order reported
};

const Row kRow1{"5", "10", "10", "5"};

const RuleCase kRuleCases[] = {
    {"clean", {"0.30", "0.30", {kRow1, {"7", "20", "10", "7"}, {"4", "30", "10", "4"}}}, ""},
    {"order", {"0.15", "0.15", {kRow1, {"7", "20", "10", "7"}, {"4", "15", "-5", ""}}}, "order@3"},
    {"dh", {"0.20", "0.20", {kRow1, {"7", "20", "9", "7.78"}}}, "dh@2"},
    {"dh not a number", {"0.20", "0.20", {kRow1, {"7", "20", "", ""}}}, "dh@2"},
    {"nd", {"0.20", "0.20", {kRow1, {"7", "20", "10", "8"}}}, "nd@2"},
    {"nd missing", {"0.20", "0.20", {kRow1, {"7", "20", "10", ""}}}, "nd@2"},
    // 10 blows for under 2 cm is always Nd over 50.
    {"stop", {"0.135", "0.135", {kRow1, {"10", "11.5", "1.5", "66.6667"}, {"4", "13.5", "2", "20"}}},
     "stop@2 nd50@2"},
    {"end", {"0.115", "0.115", {kRow1, {"10", "11.5", "1.5", "66.6667"}}}, "end@2 nd50@2"},
    {"nd50", {"0.25", "0.25", {kRow1, {"30", "15", "5", "60"}, {"4", "25", "10", "4"}}}, "nd50@2"},
    {"sink", {"0.20", "0.20", {kRow1, {"0", "20", "10", "0"}}}, "sink@2"},
    {"depth", {"0.40", "0.30", {kRow1, {"7", "20", "10", "7"}, {"4", "30", "10", "4"}}}, "depth@0"},
    {"soil shallower", {"0.30", "0.25", {kRow1, {"7", "20", "10", "7"}, {"4", "30", "10", "4"}}}, "soil@0"},
    {"soil deeper", {"0.30", "0.35", {kRow1, {"7", "20", "10", "7"}, {"4", "30", "10", "4"}}}, "soil@0"},
    // "-nan" passes the numeric test of the sheet; it hides no fault.
    {"nan depth", {"0.30", "0.30", {kRow1, {"7", "-nan", "10", "7"}, {"4", "30", "10", "4"}}}, "order@2 dh@2 order@3 dh@3"},
    // A test depth of "-nan" is no number to compare; a soil bottom of "-nan" is a fault.
    {"nan test depth and soil", {"-nan", "-nan", {kRow1}}, "soil@0"},
    // Differences of exactly 1 cm are within the rule.
    {"depth within 0.01 m", {"0.31", "0.29", {kRow1, {"7", "20", "10", "7"}, {"4", "30", "10", "4"}}}, ""},
    {"no test depth, no soil", {"", "", {kRow1, {"7", "20", "10", "7"}}}, ""},
    // A Δh over three times the median and over 20 cm: a mistyped depth.
    {"step", {"7.50", "7.50", {kRow1, {"7", "20", "10", "7"}, {"4", "750", "730", "0.0548"}}}, "step@3"},
    {"step in row 1", {"1.20", "1.20", {{"5", "100", "100", "0.5"}, {"5", "110", "10", "5"}, {"5", "120", "10", "5"}}},
     "step@1"},
    {"step of 3 times the median", {"0.50", "0.50", {kRow1, {"5", "20", "10", "5"}, {"5", "50", "30", "1.67"}}}, ""},
    {"step not over 20 cm", {"0.28", "0.28", {{"5", "5", "5", "10"}, {"5", "10", "5", "10"}, {"5", "28", "18", "2.78"}}},
     ""},
    // Self-weight sinking neither gets the warning nor sets the median.
    {"sinking far", {"7.50", "7.50", {kRow1, {"0", "750", "740", "0"}}}, "sink@2"},
    {"sinking rows out of the median",
     {"1.10", "1.10",
      {{"0", "5", "5", "0"}, {"0", "10", "5", "0"}, {"0", "15", "5", "0"}, {"0", "20", "5", "0"}, {"3", "50", "30", "1"},
       {"3", "80", "30", "1"}, {"3", "110", "30", "1"}}},
     "sink@1 sink@2 sink@3 sink@4"},
};

TEST(BlowChecks, EachRuleFindsItsFault) {
    for (const RuleCase& c : kRuleCases) EXPECT_EQ(Ids(CheckSurvey(*Survey(c.sheet))), c.findings) << c.name;
}

TEST(BlowChecks, AFindingCarriesItsMessageAndTheValuesItCompared) {
    auto survey = Survey({"0.30", "0.30", {kRow1, {"7", "20", "", "7"}, {"4", "30", "10", "4"}}});
    const std::vector<CheckFinding> findings = CheckSurvey(*survey);
    ASSERT_EQ(findings.size(), 1u);
    const CheckFinding& f = findings[0];
    EXPECT_EQ(f.severity, Severity::Error);
    EXPECT_EQ(f.message, "貫入量 (空欄) が深さの差 10 cm と一致しません");
    ASSERT_EQ(f.values.size(), 2u);
    EXPECT_EQ(f.values[0].first, "dh");
    EXPECT_FALSE(f.values[0].second.has_value());
    EXPECT_EQ(f.values[1].first, "expected");
    EXPECT_DOUBLE_EQ(*f.values[1].second, 10);
}

// Each message names the values the rule compared: the fields as they stand,
// what they were held against as the sheet would show it.
TEST(BlowChecks, MessagesNameTheValuesCompared) {
    struct Case {
        Sheet sheet;
        const char* message;  // of the first finding
    };
    const Row last800{"6", "800", "10", "6"};
    const Case cases[] = {
        {{"", "1.42", {{"6", "790", "790", "0.0759"}, last800}}, "最終深さ 8.00 m と土質の最下端 1.42 m が一致しません"},
        {{"7.5", "", {{"6", "790", "790", "0.0759"}, last800}}, "最終深さ 8.00 m と試験深さ (見出し) 7.5 m が一致しません"},
        {{"", "0.10", {{"3", "10", "10", "3"}, {"3", "12.5", "2.5", "12"}}},
         "最終深さ 0.125 m と土質の最下端 0.10 m が一致しません"},
        {{"", "", {kRow1, {"3", "12", "2", "12"}}}, "Nd 12 は 10N/Δh = 15 と違います"},
        {{"", "", {{"5", "3", "3", "16.66"}}}, "Nd 16.66 は 10N/Δh = 16.67 と違います"},
        {{"", "", {{"5", "3", "3", ""}}}, "Nd (空欄) は 10N/Δh = 16.6667 と違います"},
        {{"", "", {kRow1, {"7", "20", "10", "7"}, {"4", "750", "730", "0.0548"}}},
         "貫入量 730 cm が他の行 (中央値 10 cm) と大きく違います"},
        {{"", "", {kRow1, {"7", "20", "10", "7"}, {"4", "15", "-5", "-8"}}}, "深さ 15 cm が前の行の 20 cm より浅いか同じです"},
        {{"", "", {kRow1, {"7", "20.3", "10", "7"}}}, "貫入量 10 cm が深さの差 10.3 cm と一致しません"},
        {{"", "", {kRow1, {"12", "11.5", "1.5", "80"}, {"4", "13.5", "2", "20"}}},
         "打撃 12 回で貫入量 1.5 cm (10 回で 2 cm 未満) の後にもデータがあります"},
        {{"", "", {kRow1, {"10", "11.5", "1.5", "66.6667"}}},
         "試験終了条件 (打撃10回で貫入量2cm未満) で終了: 打撃 10 回で貫入量 1.5 cm"},
        {{"", "", {kRow1, {"30", "15", "5", "60"}}}, "Nd 60 が 50 を超えています"},
        {{"", "", {kRow1, {"0", "20", "10", "0"}}}, "自沈 (貫入量 10 cm)"},
    };
    for (const Case& c : cases) {
        const std::vector<CheckFinding> findings = CheckSurvey(*Survey(c.sheet));
        ASSERT_FALSE(findings.empty()) << c.message;
        EXPECT_EQ(findings.front().message, c.message);
    }
    // The step warning keeps what it compared, as every finding does.
    const std::vector<CheckFinding> step =
        CheckSurvey(*Survey({"", "", {kRow1, {"7", "20", "10", "7"}, {"4", "750", "730", "0.0548"}}}));
    ASSERT_EQ(Ids(step), "step@3");
    EXPECT_EQ(step[0].severity, Severity::Warning);
    ASSERT_EQ(step[0].values.size(), 2u);
    EXPECT_EQ(step[0].values[1].first, "median");
    EXPECT_DOUBLE_EQ(*step[0].values[1].second, 10);
}

TEST(BlowChecks, NdIsComparedToTheDigitsItShows) {
    struct Case {
        const char* nd;
        bool finding;
    };
    // 10 × 5 / 3 = 16.666…
    for (const Case& c : {Case{"16.6667", false}, Case{"16.67", false}, Case{"17", false}, Case{"16.66", true},
                          Case{"16.7", false}, Case{"16.6", true}, Case{"1.66667e+01", false}, Case{"2e+01", false},
                          Case{"16", true}}) {
        auto survey = Survey({"", "", {{"5", "3", "3", c.nd}}});
        EXPECT_EQ(Ids(CheckSurvey(*survey)), c.finding ? "nd@1" : "") << c.nd;
    }
}

TEST(BlowChecks, OnlyTheRowsTheSheetDrawsAreChecked) {
    // Row 2 has no N: the table ends there, row 3 is not looked at.
    auto survey = Survey({"", "", {kRow1, {"", "20", "10", ""}, {"7", "5", "99", "1"}}});
    EXPECT_EQ(Ids(CheckSurvey(*survey)), "");
    EXPECT_FALSE(HasErrorOrWarning(CheckSurvey(*survey)));
    EXPECT_TRUE(HasErrorOrWarning(CheckSurvey(*Survey({"0.5", "", {kRow1}}))));
    EXPECT_FALSE(HasErrorOrWarning(CheckSurvey(*Survey({"", "", {kRow1, {"0", "20", "10", "0"}}}))));
}

TEST(ConvertedN, RelationsParseAsTyped) {
    struct Case {
        const char* text;
        bool parses;
        double a, b;
    };
    for (const Case& c : {Case{"nd/1.5", true, 0, 1 / 1.5}, Case{" ND / 1.5 ", true, 0, 1 / 1.5},
                          Case{"2+0.5*nd", true, 2, 0.5}, Case{"-1.2+0.7*Nd", true, -1.2, 0.7},
                          Case{"3-0.25*nd", true, 3, -0.25}, Case{"0.6*nd", true, 0, 0.6}, Case{"nd", true, 0, 1},
                          Case{"1+nd/2", true, 1, 0.5}, Case{"nd/0", false, 0, 0}, Case{"", false, 0, 0},
                          Case{"nd*2", false, 0, 0}, Case{"2+", false, 0, 0}, Case{"n/1.5", false, 0, 0},
                          Case{"nd/1.5x", false, 0, 0}, Case{"2+0.5*nd+1", false, 0, 0}}) {
        const std::optional<NRelation> r = ParseNRelation(c.text);
        ASSERT_EQ(r.has_value(), c.parses) << c.text;
        if (!r) continue;
        EXPECT_DOUBLE_EQ(r->a, c.a) << c.text;
        EXPECT_DOUBLE_EQ(r->b, c.b) << c.text;
    }
}

TEST(ConvertedN, TwoDecimalsAndEmptyWithoutNd) {
    const NRelation def = *ParseNRelation(kDefaultRelation);
    EXPECT_EQ(ConvertedN(def, "16.6667"), "11.11");
    EXPECT_EQ(ConvertedN(def, "3"), "2.00");
    EXPECT_EQ(ConvertedN(*ParseNRelation("2+0.5*nd"), "7"), "5.50");
    EXPECT_EQ(ConvertedN(def, ""), "");
    EXPECT_EQ(ConvertedN(def, "abc"), "");
    EXPECT_EQ(ConvertedN(*ParseNRelation("2*nd"), "1e308"), "");
    EXPECT_EQ(ConvertedN(def, "-nan"), "");
}

}  // namespace
}  // namespace vosk
