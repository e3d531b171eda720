// The report sheet drawn on the recording canvas: geometry in device units.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "platform/cp932.h"
#include "platform/recording_canvas.h"
#include "render/report_page.h"

namespace vosk {
namespace {

// 254 dpi: 10 device units per millimetre.
constexpr int kDpi = 254;

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        survey = std::make_unique<SurveyData>();
        ApplySettingsDefaults(settings.sheet);
        ApplyRangeDefaults(settings.sheet);
        for (int i = 1; i <= kSheetFontCount; ++i) settings.fonts[i] = DefaultFont(i);
        NormaliseHeading(*survey, settings.sheet.companyName);
    }

    // Blow rows 1..n with N = row number, depth = 10 cm steps, Nd = N.
    void FillBlowRows(int n, int depthStep = 10) {
        for (int r = 1; r <= n; ++r) {
            survey->blow[r][1] = std::to_string(r);
            survey->blow[r][2] = std::to_string(r * depthStep);
            survey->blow[r][3] = std::to_string(depthStep);
            survey->blow[r][4] = std::to_string(r);
        }
    }

    const std::vector<DrawOp>& Draw(int page) {
        canvas = std::make_unique<RecordingCanvas>(kDpi, kDpi);
        DrawSheetPage(*canvas, *survey, settings, page);
        return canvas->ops();
    }

    SheetContext Context(RecordingCanvas& c) {
        return SheetContext{c, MakeSheetMapping(kDpi, kDpi, 20, 5), *survey, settings};
    }

    // Texts of font `font` drawn with their anchor at device x `x`.
    std::vector<std::string> TextsAtX(const std::vector<DrawOp>& ops, int x, int font = 4) {
        int height = SheetFontMetrics(MakeSheetMapping(kDpi, kDpi, 0, 0), settings.fonts[font].size).heightDevice;
        std::vector<std::string> out;
        for (const DrawOp& op : ops)
            if (op.kind == DrawOp::Text && op.x1 == x && op.font.heightPx == height) out.push_back(op.text);
        return out;
    }

    static std::vector<std::string> Numbers(int from, int to) {
        std::vector<std::string> v;
        for (int i = from; i <= to; ++i) v.push_back(std::to_string(i));
        return v;
    }

    std::unique_ptr<SurveyData> survey;
    SettingsStore settings;
    PageState state;
    std::unique_ptr<RecordingCanvas> canvas;
};

TEST_F(RenderTest, MillimetresToDeviceUnits) {
    SheetMapping m = MakeSheetMapping(96, 96, 20, 5);
    EXPECT_EQ(MmToDeviceX(m, 0), 75);    // trunc(20 × 3.7795…)
    EXPECT_EQ(MmToDeviceY(m, 10), 56);   // trunc(15 × 3.7795…)
    EXPECT_EQ(MmToDeviceX(m, -30), -37);  // toward zero
    EXPECT_EQ(MmToDeviceX(m, 1e9), 32767);
    EXPECT_EQ(MmToDeviceY(m, -1e9), -32767);
    EXPECT_EQ(MmToDeviceX(m, std::nan("")), 0);
}

TEST_F(RenderTest, LinesAndDashes) {
    RecordingCanvas c(kDpi, kDpi);
    SheetContext cx = Context(c);
    cx.map.leftMarginMm = cx.map.topMarginMm = 0;
    DrawLineMm(cx, 0, 0, 10, 0, 0, 0);
    DrawDashedLineMm(cx, 0, 0, 10, 0, 5, 2, 0, 0);
    EXPECT_TRUE(c.ops().empty());  // width 0 draws nothing
    DrawDashedLineMm(cx, 0, 0, 10, 0, 0, 2, 1, 0);
    EXPECT_TRUE(c.ops().empty());  // no dash with a gap draws nothing
    DrawDashedLineMm(cx, 0, 0, 10, 0, 5, 0, 1, 0);
    ASSERT_EQ(c.ops().size(), 1u);  // no gap: solid
    EXPECT_EQ(c.ops()[0].x2 - c.ops()[0].x1, MmToDeviceX(cx.map, 10) - MmToDeviceX(cx.map, 0));
    c.Clear();
    // 10 px with dash 5 and gap 2: the second dash would start at 7, not before 10 − 5.
    cx.map = MakeSheetMapping(254, 254, 0, 0);
    cx.map.pxPerMmX = cx.map.contentScaleX = 1;  // 1 px per mm
    DrawDashedLineMm(cx, 0, 0, 10, 0, 5, 2, 1, 0);
    ASSERT_EQ(c.ops().size(), 1u);
    EXPECT_EQ(c.ops()[0].x1, 0);
    EXPECT_EQ(c.ops()[0].x2, 5);
    c.Clear();
    DrawDashedLineMm(cx, 0, 0, 20, 0, 5, 2, 1, 0);  // dashes at 0, 7 and 14 (before 20 − 5)
    EXPECT_EQ(c.ops().size(), 3u);
}

TEST_F(RenderTest, SpreadTextPlacesEachCharacter) {
    RecordingCanvas c(kDpi, kDpi);
    SheetContext cx = Context(c);
    DrawSpreadText(cx, 10, 50, 20, 20, 4, 4, Cp932Literal("試"));
    ASSERT_EQ(c.ops().size(), 1u);
    EXPECT_EQ(c.ops()[0].x1, MmToDeviceX(cx.map, 10));  // one double-byte character at x1
    EXPECT_EQ(c.ops()[0].y1, MmToDeviceY(cx.map, 18));  // centred on y
    c.Clear();
    // "試 験 者": 8 bytes over 30 mm with em 4 → step (30 − 4) / 6; the last
    // character ends at x2.
    DrawSpreadText(cx, 10, 40, 20, 20, 4, 4, Cp932Literal("試 験 者"));
    ASSERT_EQ(c.ops().size(), 5u);
    EXPECT_EQ(c.ops()[4].text, Cp932Literal("者"));
    EXPECT_EQ(c.ops()[4].x1, MmToDeviceX(cx.map, 10 + 6 * 26.0 / 6));
}

TEST_F(RenderTest, TableValues) {
    struct Case {
        const char* cell;
        int column;
        const char* digits;
        const char* unit;
        const char* expected;
    } cases[] = {
        {"1.5", 3, "1", "mm", "15.0"},  {"1.5", 3, "1", "cm", "1.5"},  {"1.5", 3, "", "mm", "15"},
        {"12.6", 4, "0 (\x90\xae\x90\x94)", "", "13"},                  // "0 (整数)"
        {"2.5", 4, "7", "", "2.500000"}, {"2.5", 4, "2", "", "2.50"}, {"abc", 4, "2", "", ""},
        {"16.6667", 4, "\x8e\xa9\x93\xae", "", "16.6667"},             // "自動"
        {"5", 1, "0", "", " 5"},
    };
    for (const Case& c : cases) {
        survey->blow[1][c.column] = c.cell;
        SheetSettings s;
        FieldText* digits[] = {nullptr, &s.digitsN, &s.digitsDepth, &s.digitsIncrement, &s.digitsNd};
        *digits[c.column] = c.digits;
        EXPECT_EQ(FormatTableValue(*survey, s, 1, c.column, c.unit), c.expected) << c.cell << " " << c.digits;
    }
    EXPECT_EQ(InterpolateLinear(5, 3, 3, 0, 10), 0);
    EXPECT_EQ(InterpolateLinear(5, 0, 10, 0, 100), 50);
    EXPECT_EQ(InterpolateLinear(5e9, 0, 1, 0, 1), 0);
}

TEST_F(RenderTest, Style1PagesShowTheirRows) {
    FillBlowRows(100);
    const int x = MmToDeviceX(MakeSheetMapping(kDpi, kDpi, 20, 5), 15);
    EXPECT_EQ(TextsAtX(Draw(1), x), Numbers(1, 41));
    EXPECT_EQ(TextsAtX(Draw(3), x), Numbers(83, 100));
    EXPECT_TRUE(TextsAtX(Draw(4), x).empty());
    survey->heading[heading::kRowsPerPage] = "1";  // 40 rows, 5 mm each
    const auto& ops = Draw(1);
    EXPECT_EQ(TextsAtX(ops, x), Numbers(1, 40));
}

TEST_F(RenderTest, Style1DepthFiguresFollowTheScale) {
    FillBlowRows(5);
    const int x = MmToDeviceX(MakeSheetMapping(kDpi, kDpi, 20, 5), 98);
    struct Case {
        const char* scale;
        int page;
        std::vector<std::string> figures;
    } cases[] = {
        {"20", 1, {"0.2", "0.4", "0.6", "0.8", "1.0", "1.2", "1.4", "1.6", "1.8", "2.0",
                   "2.2", "2.4", "2.6", "2.8", "3.0", "3.2", "3.4", "3.6", "3.8", "4.0"}},
        {"20", 2, {"4.2", "4.4", "4.6", "4.8", "5.0", "5.2", "5.4", "5.6", "5.8", "6.0",
                   "6.2", "6.4", "6.6", "6.8", "7.0", "7.2", "7.4", "7.6", "7.8", "8.0"}},
        {"25", 1, {"0.5", "1.0", "1.5", "2.0", "2.5", "3.0", "3.5", "4.0", "4.5", "5.0"}},
        {"100", 1, Numbers(1, 20)},
        {"200", 1, {"2", "4", "6", "8", "10", "12", "14", "16", "18", "20",
                    "22", "24", "26", "28", "30", "32", "34", "36", "38", "40"}},
    };
    for (const Case& c : cases) {
        survey->heading[heading::kDepthScale] = c.scale;
        EXPECT_EQ(TextsAtX(Draw(c.page), x, 5), c.figures) << c.scale << " page " << c.page;
    }
}

TEST_F(RenderTest, NdPlotIsClippedAndBrokenAtMissingNd) {
    survey->heading[heading::kNdScale] = "10";
    settings.sheet.plotLineWidthPx = 1;
    const char* rows[][4] = {{"1", "50", "50", "75"}, {"1", "100", "50", "100"}, {"1", "150", "50", ""},
                             {"1", "200", "50", "10"}, {"1", "250", "50", "20"}};
    for (int r = 0; r < 5; ++r)
        for (int f = 0; f < 4; ++f) survey->blow[r + 1][f + 1] = rows[r][f];
    const auto& ops = Draw(1);
    SheetMapping m = MakeSheetMapping(kDpi, kDpi, 20, 5);
    auto clip = std::find_if(ops.begin(), ops.end(), [](const DrawOp& o) { return o.kind == DrawOp::Clip; });
    ASSERT_NE(clip, ops.end());
    EXPECT_EQ(clip->x2, MmToDeviceX(m, 174 + 1.2));
    std::vector<DrawOp> circles, lines;
    for (auto it = clip + 1; it != ops.end() && it->kind != DrawOp::Unclip; ++it)
        (it->kind == DrawOp::Circle ? circles : lines).push_back(*it);
    ASSERT_EQ(circles.size(), 8u);  // two per plotted row; row 3 has no Nd
    EXPECT_EQ(circles[0].x1, MmToDeviceX(m, 174));         // Nd 75 reaches the right edge
    EXPECT_EQ(circles[2].x1, MmToDeviceX(m, 174 + 25));    // Nd 100: 25 mm beyond, cut by the clip
    EXPECT_EQ(circles[0].radius, 10);
    EXPECT_EQ(circles[1].radius, 2);
    // Lines join rows 1–2 and 4–5, never across the gap of row 3.
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].y1, circles[4].y1);
}

TEST_F(RenderTest, MonochromeRowRulesWithoutDashDrawNothing) {
    settings.sheet.monochrome = 1;
    settings.sheet.tableRuleWidthPx = 1;
    settings.sheet.tableRuleDashPx = 0;
    settings.sheet.tableRuleGapPx = 3;
    SheetMapping m = MakeSheetMapping(kDpi, kDpi, 20, 5);
    auto rowRules = [&](const std::vector<DrawOp>& ops) {
        return std::count_if(ops.begin(), ops.end(), [&](const DrawOp& o) {
            return o.kind == DrawOp::Line && o.x1 == MmToDeviceX(m, 1) && o.y1 == o.y2 && o.x2 <= MmToDeviceX(m, 87);
        });
    };
    EXPECT_EQ(rowRules(Draw(1)), 0);
    settings.sheet.tableRuleDashPx = 5;
    EXPECT_EQ(rowRules(Draw(1)), 41);  // the first dash of every row rule
}

TEST_F(RenderTest, Style2TwoColumnPages) {
    survey->heading[heading::kSheetStyle] = "1";
    survey->heading[heading::kTwoColumns] = "1";
    FillBlowRows(100, 2);
    SheetMapping m = MakeSheetMapping(kDpi, kDpi, 20, 5);
    const auto& page1 = Draw(1);
    EXPECT_EQ(TextsAtX(page1, MmToDeviceX(m, 19)), Numbers(1, 38));
    EXPECT_EQ(TextsAtX(page1, MmToDeviceX(m, 116)), Numbers(39, 51));
    const auto& page2 = Draw(2);
    EXPECT_EQ(TextsAtX(page2, MmToDeviceX(m, 19)), Numbers(52, 89));
    EXPECT_EQ(TextsAtX(page2, MmToDeviceX(m, 116)), Numbers(90, 100));
    survey->heading[heading::kTwoColumns] = "0";
    EXPECT_EQ(TextsAtX(Draw(3), MmToDeviceX(m, 19)), Numbers(77, 100));
}

TEST_F(RenderTest, FooterPageText) {
    survey->heading[heading::kFooterBefore] = "-";
    survey->heading[heading::kFooterStartPage] = "3";
    survey->heading[heading::kFooterAfter] = "-";
    survey->heading[heading::kFooterLeftMm] = "100";
    auto footer = [&](int page) {
        const auto& ops = Draw(page);
        // The footer is the last text of the page.
        auto it = std::find_if(ops.rbegin(), ops.rend(), [](const DrawOp& o) { return o.kind == DrawOp::Text; });
        return it == ops.rend() ? std::string() : it->text;
    };
    EXPECT_EQ(footer(2), "-4-");       // style 1 counts on from the first page number
    survey->heading[heading::kSheetStyle] = "1";
    EXPECT_EQ(footer(2), "-3-");       // style 2 prints the number as it stands
    survey->heading[heading::kFooterStartPage] = "A";
    EXPECT_EQ(footer(2), "-A-");
}

TEST_F(RenderTest, ElevationText) {
    survey->heading[heading::kDatumKind] = "TP";
    survey->heading[heading::kElevation] = "12.3";
    auto hasText = [&](const std::string& text, double xMm) {
        const auto& ops = Draw(1);
        int x = MmToDeviceX(MakeSheetMapping(kDpi, kDpi, 20, 5), xMm);
        return std::any_of(ops.begin(), ops.end(), [&](const DrawOp& o) { return o.text == text && o.x1 == x; });
    };
    EXPECT_TRUE(hasText("TP 12.3m", 71));
    survey->heading[heading::kElevationInParentheses] = "1";
    EXPECT_TRUE(hasText("( TP 12.3m )", 70));
    settings.sheet.hideMetreSign = 1;
    EXPECT_TRUE(hasText("( TP 12.3 )", 70));
}

class VerticalNameTest : public RenderTest {
protected:
    // The texts and their left/top in mm of one vertical name.
    struct Glyph {
        std::string text;
        double left, top;
    };
    std::vector<Glyph> Name(double y1, double y2, double ch, const std::string& utf8) {
        RecordingCanvas c(kDpi, kDpi);
        SheetContext cx = Context(c);
        cx.map = MakeSheetMapping(kDpi, kDpi, 0, 0);
        DrawVerticalSoilName(cx, 0, y1, 10, y2, ch, Cp932Literal(utf8), 1);
        std::vector<Glyph> out;
        for (const DrawOp& o : c.ops()) out.push_back({Cp932ToUtf8(o.text), (o.x1 - (o.kind == DrawOp::TextBox)) / 10.0,
                                                       (o.y1 - (o.kind == DrawOp::TextBox)) / 10.0});
        return out;
    }
};

TEST_F(VerticalNameTest, StackedSqueezedOrHorizontal) {
    // Two characters, ch 2.8, in a 3 mm band: written horizontally.
    auto g = Name(10, 13, 2.8, "粘土");
    ASSERT_EQ(g.size(), 1u);
    EXPECT_EQ(g[0].text, "粘土");
    // In a 4 mm band: stacked with the squeezed step 4 / 3.
    g = Name(10, 14, 2.8, "粘土");
    ASSERT_EQ(g.size(), 2u);
    EXPECT_NEAR(g[1].top - g[0].top, 4.0 / 3, 0.11);
    // Five characters in a 20 mm band: step 2.8, starting one step below the top.
    g = Name(10, 30, 2.8, "シルト質砂");
    ASSERT_EQ(g.size(), 5u);
    EXPECT_NEAR(g[0].top, 12.8, 0.11);
    EXPECT_NEAR(g[4].top - g[0].top, 4 * 2.8, 0.11);
    EXPECT_EQ(g[1].text, "ル");
}

TEST_F(VerticalNameTest, LongVowelAndSmallKana) {
    auto g = Name(0, 40, 2.8, "ローム");
    ASSERT_EQ(g.size(), 3u);
    EXPECT_EQ(g[1].text, "｜");
    g = Name(0, 40, 2.8, "ボックス");
    ASSERT_EQ(g.size(), 4u);
    EXPECT_EQ(g[1].text, "ッ");
    EXPECT_NEAR(g[1].left - g[0].left, 0.9 * 2.8, 0.11);  // the small kana sits right
    EXPECT_NEAR(g[0].left, 5 - 1.4, 0.11);
}

TEST_F(VerticalNameTest, SingleByteNamesOnTheLastLines) {
    auto g = Name(0, 20, 3, "Ts/Tc");
    ASSERT_EQ(g.size(), 2u);
    EXPECT_EQ(g[0].text, "Ts");
    EXPECT_NEAR(g[0].top, 14, 0.11);
    EXPECT_EQ(g[1].text, "/Tc");
    EXPECT_NEAR(g[1].top, 17, 0.11);
    // Nothing stands before the "/": the empty first line draws nothing.
    g = Name(0, 20, 3, "/ab");
    ASSERT_EQ(g.size(), 1u);
    EXPECT_EQ(g[0].text, "/ab");
    EXPECT_NEAR(g[0].top, 17, 0.11);
}

TEST_F(RenderTest, PageCount) {
    PageState s;
    EXPECT_EQ(CountSheetPages(*survey, s), 1);  // empty table
    FillBlowRows(30);
    survey->blow[30][2] = "550";
    survey->heading[heading::kDepthScale] = "20";
    EXPECT_EQ(CountSheetPages(*survey, s), 2);  // by depth: floor(5.5 / 4 + 0.01) + 1
    survey->heading[heading::kSheetStyle] = "1";
    survey->heading[heading::kTwoColumns] = "1";
    FillBlowRows(52);
    EXPECT_EQ(CountSheetPages(*survey, s), 2);  // 38 + 13 rows a page
    s.currentPage = 3;
    FillBlowRows(10);
    survey->blow[11][2] = "";
    EXPECT_EQ(CountSheetPages(*survey, s), 1);
    EXPECT_EQ(s.currentPage, 1);
}

// The count takes the rows per page of the survey it is given, before any
// page of it was drawn: style 2 has 38, style 1 by heading field 38.
TEST_F(RenderTest, PageCountFollowsTheRowsPerPageOfTheSurvey) {
    FillBlowRows(39);
    struct Case {
        const char* style;
        const char* rowsPerPage;
        int pages;
    };
    for (const Case& c : {Case{"1", "", 2}, Case{"0", "0", 1}, Case{"0", "1", 1}, Case{"1", "2", 2}, Case{"0", "", 1}}) {
        survey->heading[heading::kSheetStyle] = c.style;
        survey->heading[heading::kRowsPerPage] = c.rowsPerPage;
        PageState fresh;
        EXPECT_EQ(CountSheetPages(*survey, fresh), c.pages) << c.style << " " << c.rowsPerPage;
    }
    FillBlowRows(45, 5);  // 41 rows a page, 40, 50; 2.25 m, within page 1 by depth
    for (auto [choice, pages] : {std::pair{"0", 2}, {"1", 2}, {"2", 1}}) {
        survey->heading[heading::kRowsPerPage] = choice;
        EXPECT_EQ(CountSheetPages(*survey, state), pages) << choice;
    }
}

TEST_F(RenderTest, AnySurveyDrawsWithoutTrouble) {
    // Broken numbers everywhere: drawing must neither crash nor hang.
    for (int r = 1; r <= 100; ++r) {
        survey->blow[r][1] = "1e308";
        survey->blow[r][2] = r % 2 ? "-1e300" : "nan";
        survey->blow[r][4] = "10000";
        survey->soil[r][1] = r % 3 ? "1e200" : "-5";
        survey->soil[r][2] = std::string(600, '\x82');
    }
    for (const char* scale : {"0", "-5", "1e9", "abc"}) {
        survey->heading[heading::kDepthScale] = scale;
        survey->heading[heading::kNdScale] = scale;
        settings.sheet.style2GraphWidthMm = scale;
        settings.sheet.tableRuleDashPx = 1;
        settings.sheet.tableRuleGapPx = 1;
        settings.sheet.monochrome = 1;
        settings.sheet.tableRuleWidthPx = 1;
        for (const char* style : {"0", "1"}) {
            survey->heading[heading::kSheetStyle] = style;
            EXPECT_FALSE(Draw(1).empty());
            EXPECT_GE(CountSheetPages(*survey, state), 1);
        }
    }
}

}  // namespace
}  // namespace vosk
