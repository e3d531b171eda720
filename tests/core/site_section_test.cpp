// The site cross-section: the model built from surveys, the refusals, and
// the page drawn on the recording canvas (geometry in device units).

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <unistd.h>

#include "platform/cp932.h"
#include "platform/message_service.h"
#include "platform/recording_canvas.h"
#include "platform/string_table.h"
#include "render/sheet_drawing.h"
#include "render/site_section.h"
#include "render/site_section_drawing.h"
#include "survey/data_sheet.h"
#include "survey/numbers.h"

namespace vosk {
namespace {

namespace fs = std::filesystem;

// 254 dpi: 10 device units per millimetre.
constexpr int kDpi = 254;

// A point: ground elevation `elevation` (empty for none), blow rows of
// (N, h, Δh, Nd) and soil rows of (depth, name).
std::shared_ptr<SurveyData> Survey(const std::string& elevation,
                                   const std::vector<std::array<std::string, 4>>& blows,
                                   const std::vector<std::pair<std::string, std::string>>& soils = {},
                                   const std::string& point = "", const std::string& datum = "TP") {
    auto s = std::make_shared<SurveyData>();
    s->heading[heading::kPointNumber] = point;
    s->heading[heading::kDatumKind] = datum;
    s->heading[heading::kElevation] = elevation;
    for (size_t r = 0; r < blows.size(); ++r)
        for (int f = 0; f < 4; ++f) s->blow[static_cast<int>(r) + 1][f + 1] = blows[r][static_cast<size_t>(f)];
    for (size_t r = 0; r < soils.size(); ++r) {
        s->soil[static_cast<int>(r) + 1][1] = soils[r].first;
        s->soil[static_cast<int>(r) + 1][2] = soils[r].second;
    }
    return s;
}

// Ten groups of 10 cm with Nd 2, 4, … 20 from ground level down to 1 m.
std::shared_ptr<SurveyData> Rising(const std::string& elevation, const std::string& point = "") {
    std::vector<std::array<std::string, 4>> blows;
    for (int k = 1; k <= 10; ++k)
        blows.push_back({std::to_string(2 * k), std::to_string(10 * k), "10", std::to_string(2 * k)});
    return Survey(elevation, blows, {{"0.30", "A"}, {"1.00", "B"}}, point);
}

TEST(SiteSectionModelTest, GroupsTakeTheirElevationsFromDepthAndIncrement) {
    auto s = Survey("12.50", {{"3", "20", "20", "1.5"}, {"4", "35", "", ""}, {"6", "50", "10", ""}, {"2", "60", "x", ""},
                              {"x", "70", "10", "5"}});
    SectionPoint p = MakeSectionPoint(*s, "dir/A.vkr", 0, 10, false);
    ASSERT_EQ(p.groups.size(), 4u);  // row 5 has no number in field 1
    EXPECT_DOUBLE_EQ(p.ground, 12.5);
    EXPECT_NEAR(p.groups[0].top, 12.5, 1e-9);
    EXPECT_NEAR(p.groups[0].bottom, 12.3, 1e-9);
    EXPECT_DOUBLE_EQ(p.groups[0].nd, 1.5);  // as stored
    // No Δh: the previous group's bottom is the top; no Nd and no Δh: 0.
    EXPECT_NEAR(p.groups[1].top, 12.3, 1e-9);
    EXPECT_NEAR(p.groups[1].bottom, 12.15, 1e-9);
    EXPECT_DOUBLE_EQ(p.groups[1].nd, 0);
    // Δh but no Nd: 10 N / Δh; the top from h − Δh, not from the last bottom.
    EXPECT_NEAR(p.groups[2].top, 12.1, 1e-9);
    EXPECT_NEAR(p.groups[2].bottom, 12.0, 1e-9);
    EXPECT_DOUBLE_EQ(p.groups[2].nd, 6);
    EXPECT_DOUBLE_EQ(p.groups[2].n, 6);
    // A Δh that is no number counts as none for the top, as 0 for Nd.
    EXPECT_NEAR(p.groups[3].top, 12.0, 1e-9);
    EXPECT_DOUBLE_EQ(p.groups[3].nd, 0);
    EXPECT_NEAR(p.Top(), 12.5, 1e-9);
    EXPECT_NEAR(p.Bottom(), 11.9, 1e-9);
}

TEST(SiteSectionModelTest, FiguresOffAnyScaleEndTheProfile) {
    // A Δh larger than its depth reaches above the ground; the page must
    // make room for it.
    EXPECT_NEAR(MakeSectionPoint(*Survey("5", {{"3", "10", "30", "1"}}), "a.vkr", 0, 10, false).Top(), 5.2, 1e-9);
    auto s = Survey("5", {{"3", "10", "10", "3"}, {"3", "1e999", "10", "3"}, {"3", "30", "10", "3"}},
                    {{"0.1", "A"}, {"-nan", "B"}});
    SectionPoint p = MakeSectionPoint(*s, "a.vkr", 0, 10, false);
    EXPECT_EQ(p.groups.size(), 1u);
    EXPECT_EQ(p.layers.size(), 1u);
}

TEST(SiteSectionModelTest, LayersNameAndThreshold) {
    auto s = Rising("5");
    s->soil[1][3] = Cp932Literal("砂混じり");
    s->heading[heading::kSurveyName1] = "site";
    SectionPoint p = MakeSectionPoint(*s, "/data/No7.VKR", 20, 10, false);
    EXPECT_EQ(p.name, "No7");  // field 5 empty: the file name without .vkr
    EXPECT_EQ(p.surveyName, "site");
    EXPECT_DOUBLE_EQ(p.x, 20);
    ASSERT_EQ(p.layers.size(), 2u);
    EXPECT_DOUBLE_EQ(p.layers[0].top, 5);
    EXPECT_NEAR(p.layers[0].bottom, 4.7, 1e-9);
    EXPECT_EQ(p.layers[0].name, "A" + Cp932Literal("砂混じり"));
    EXPECT_NEAR(p.layers[1].top, 4.7, 1e-9);
    EXPECT_NEAR(p.layers[1].bottom, 4.0, 1e-9);
    // Nd 10 first in the fifth group, whose top is 0.40 m down.
    ASSERT_TRUE(p.thresholdDepth);
    EXPECT_NEAR(*p.thresholdDepth, 0.4, 1e-9);
    EXPECT_NEAR(*p.ThresholdElevation(), 4.6, 1e-9);
    EXPECT_FALSE(MakeSectionPoint(*s, "a.vkr", 0, 25, false).thresholdDepth);
    EXPECT_NEAR(*MakeSectionPoint(*s, "a.vkr", 0, 20, false).thresholdDepth, 0.9, 1e-9);

    // By depth every point starts at 0 and elevations are negative depths.
    SectionPoint d = MakeSectionPoint(*s, "a.vkr", 0, 10, true);
    EXPECT_DOUBLE_EQ(d.ground, 0);
    EXPECT_DOUBLE_EQ(d.elevation, 5);
    EXPECT_NEAR(d.groups[9].bottom, -1.0, 1e-9);
    EXPECT_NEAR(*d.ThresholdElevation(), -0.4, 1e-9);
    EXPECT_EQ(MakeSectionPoint(*Rising("5", "P-1"), "a.vkr", 0, 10, false).name, "P-1");
}

TEST(SiteSectionModelTest, FileStem) {
    EXPECT_EQ(SectionFileStem("a/b/c.vkr"), "c");
    EXPECT_EQ(SectionFileStem("C:\\x\\No.3.Vkr"), "No.3");
    EXPECT_EQ(SectionFileStem("plain"), "plain");
    EXPECT_EQ(SectionFileStem(".vkr"), ".vkr");
}

TEST(SiteSectionModelTest, NumbersOfPositionsAndThreshold) {
    double v = 0;
    EXPECT_TRUE(ParseSectionNumber(" 12.5 ", v));
    EXPECT_DOUBLE_EQ(v, 12.5);
    EXPECT_TRUE(ParseSectionNumber("-3", v));
    EXPECT_DOUBLE_EQ(v, -3);
    for (const char* bad : {"", " ", "1e3", "12m", "+", ".", "1.2.3", "nan", "inf"})
        EXPECT_FALSE(ParseSectionNumber(bad, v)) << bad;
    EXPECT_EQ(FormatSectionNumber(10), "10");
    EXPECT_EQ(FormatSectionNumber(12.5), "12.5");
    EXPECT_EQ(FormatSectionNumber(-0.0), "0");
    EXPECT_EQ(FormatSectionNumber(0.125), "0.125");
}

std::vector<SectionSheet> Sheets(std::vector<std::shared_ptr<SurveyData>> surveys) {
    std::vector<SectionSheet> out;
    for (size_t i = 0; i < surveys.size(); ++i) out.push_back({"P" + std::to_string(i + 1) + ".vkr", surveys[i]});
    return out;
}

TEST(SiteSectionRefusalTest, WhatTheSectionRefuses) {
    SiteSection s;
    SectionOptions o;
    // A point without ground elevation, unless by depth.
    SectionRefusal r = BuildSiteSection(Sheets({Rising("3"), Rising("")}), o, s);
    EXPECT_EQ(r.kind, SectionRefusal::NoElevation);
    EXPECT_EQ(r.text, "P2.vkr: 地盤高 (見出し 13) がありません");
    EXPECT_TRUE(s.points.empty());
    // A number too large for any scale is no elevation either.
    for (const char* far : {"1e400", "-1.7e308", "-nan"})
        EXPECT_EQ(BuildSiteSection(Sheets({Rising(far)}), o, s).kind, SectionRefusal::NoElevation) << far;
    o.byDepth = true;
    EXPECT_FALSE(BuildSiteSection(Sheets({Rising("3"), Rising("")}), o, s));
    EXPECT_EQ(s.points.size(), 2u);
    o.byDepth = false;

    // Positions: one per file, increasing.
    o.at = {0, 5};
    EXPECT_EQ(BuildSiteSection(Sheets({Rising("3")}), o, s).kind, SectionRefusal::PositionCount);
    o.at = {0, 5, 5};
    EXPECT_EQ(BuildSiteSection(Sheets({Rising("3"), Rising("2"), Rising("1")}), o, s).kind,
              SectionRefusal::PositionOrder);
    o.at = {0, 5, 4};
    EXPECT_EQ(BuildSiteSection(Sheets({Rising("3"), Rising("2"), Rising("1")}), o, s).kind,
              SectionRefusal::PositionOrder);
    o.at = {-5, 5, 40};
    ASSERT_FALSE(BuildSiteSection(Sheets({Rising("3"), Rising("2"), Rising("1")}), o, s));
    EXPECT_DOUBLE_EQ(s.points[2].x, 40);
    o.at.clear();

    // At most 30 points, at least one.
    std::vector<std::shared_ptr<SurveyData>> many(31, Rising("1"));
    EXPECT_EQ(BuildSiteSection(Sheets(many), o, s).kind, SectionRefusal::TooManyPoints);
    many.pop_back();
    ASSERT_FALSE(BuildSiteSection(Sheets(many), o, s));
    EXPECT_DOUBLE_EQ(s.points[29].x, 290);  // 0, 10, 20, …
    EXPECT_EQ(BuildSiteSection({}, o, s).kind, SectionRefusal::NoPoints);
    o.threshold = 0;
    EXPECT_EQ(BuildSiteSection(Sheets({Rising("3")}), o, s).kind, SectionRefusal::BadThreshold);
}

TEST(SiteSectionRefusalTest, DifferentDatumsWarnButDraw) {
    SiteSection s;
    auto ap = Rising("2");
    ap->heading[heading::kDatumKind] = "AP";
    auto none = Rising("2");
    none->heading[heading::kDatumKind] = "";
    ASSERT_FALSE(BuildSiteSection(Sheets({Rising("3"), none, Rising("1")}), {}, s));
    EXPECT_FALSE(s.datumsDiffer);  // a point without datum says nothing
    EXPECT_EQ(s.datum, "TP");
    EXPECT_EQ(DatumWarning(s), "");
    ASSERT_FALSE(BuildSiteSection(Sheets({Rising("3"), ap}), {}, s));
    EXPECT_TRUE(s.datumsDiffer);
    EXPECT_EQ(s.datum, "TP / AP");
    EXPECT_EQ(DatumWarning(s), "地盤高の基準 (見出し 12) が地点によって異なります: P1.vkr TP, P2.vkr AP");
    SectionOptions byDepth;
    byDepth.byDepth = true;
    ASSERT_FALSE(BuildSiteSection(Sheets({Rising("3"), ap}), byDepth, s));
    EXPECT_FALSE(s.datumsDiffer);
}

class SectionFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("vosk-section-" + std::to_string(getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Write(const std::string& name, const std::string& bytes) {
        std::ofstream((dir_ / name).string(), std::ios::binary) << bytes;
        return (dir_ / name).string();
    }
    fs::path dir_;
};

TEST_F(SectionFileTest, FilesThatAreNoDataSheetAreRefusedWithTheirMessageAfterTheName) {
    MessageRecorder shown;
    SectionSheet sheet;
    std::string bad = Write("x.vkr", "hello\r\n");
    SectionRefusal r = ReadSectionSheet(bad, sheet);
    EXPECT_EQ(r.kind, SectionRefusal::NotASheet);
    EXPECT_EQ(r.text, bad + ": " + std::string(MessageText(message::kNotADataSheet)));
    std::string missing = (dir_ / "missing.vkr").string();
    r = ReadSectionSheet(missing, sheet);
    EXPECT_EQ(r.kind, SectionRefusal::NotASheet);
    EXPECT_EQ(r.text, missing + ": " + FormatMessageText(message::kFileNotFound, missing));
    EXPECT_TRUE(shown.texts.empty());  // refused, not shown: the caller shows the refusal

    SurveyData survey;
    ClearSurvey(survey);
    survey.heading[heading::kElevation] = "4.5";
    std::string good = Write("good.vkr", FormatDataSheet(survey, ""));
    ASSERT_FALSE(ReadSectionSheet(good, sheet));
    EXPECT_EQ(sheet.file, good);
    EXPECT_EQ(sheet.survey->heading[heading::kElevation], "4.5");
}

class SectionDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        ApplySettingsDefaults(settings.sheet);
        ApplyRangeDefaults(settings.sheet);
        for (int i = 1; i <= kSheetFontCount; ++i) settings.fonts[i] = DefaultFont(i);
    }

    const std::vector<DrawOp>& Draw(const SiteSection& s) {
        canvas = std::make_unique<RecordingCanvas>(kDpi, kDpi);
        DrawSiteSection(*canvas, s, settings);
        layout = LayOutSection(s, settings, kDpi, kDpi);
        return canvas->ops();
    }

    static int X(double mm) { return MmToDeviceX(MakeSheetMapping(kDpi, kDpi, 0, 0), mm); }
    static int Y(double mm) { return MmToDeviceY(MakeSheetMapping(kDpi, kDpi, 0, 0), mm); }

    static bool HasLine(const std::vector<DrawOp>& ops, int x1, int y1, int x2, int y2) {
        return std::any_of(ops.begin(), ops.end(), [&](const DrawOp& op) {
            return op.kind == DrawOp::Line && op.x1 == x1 && op.y1 == y1 && op.x2 == x2 && op.y2 == y2;
        });
    }

    SettingsStore settings;
    std::unique_ptr<RecordingCanvas> canvas;
    SectionLayout layout;
};

TEST_F(SectionDrawTest, ColumnsStandAtTheirPositionsAlongTheLine) {
    SiteSection s;
    SectionOptions o;
    o.at = {0, 10, 40};
    ASSERT_FALSE(BuildSiteSection(Sheets({Rising("3", "No.A"), Rising("2", "No.B"), Rising("1", "No.C")}), o, s));
    const auto& ops = Draw(s);
    ASSERT_EQ(layout.columnX.size(), 3u);
    // Spaced in proportion to the positions, the last profile ending inside the frame.
    const double first = layout.columnX[0], span = layout.columnX[2] - first;
    EXPECT_NEAR((layout.columnX[1] - first) / span, 0.25, 1e-9);
    EXPECT_LT(layout.NdRight(2), layout.plotRight);
    EXPECT_GT(layout.SoilLeft(0), layout.plotLeft);
    for (size_t i = 0; i < 3; ++i) {
        // The soil column's sides from the ground down to the last layer.
        const SectionPoint& p = s.points[i];
        EXPECT_TRUE(HasLine(ops, X(layout.SoilLeft(i)), Y(layout.Y(p.ground)), X(layout.SoilLeft(i)),
                            Y(layout.Y(p.layers.back().bottom))))
            << i;
        // Name and ground elevation centred over it; position below.
        auto text = [&](const std::string& t) {
            return std::find_if(ops.begin(), ops.end(),
                                [&](const DrawOp& op) { return op.kind == DrawOp::Text && op.text == t; });
        };
        auto name = text(p.name);
        ASSERT_NE(name, ops.end());
        EXPECT_EQ(name->x1, X(layout.columnX[i]));
        EXPECT_EQ(name->hAlign, HAlign::Center);
        EXPECT_NE(text(FormatFixed(p.elevation, 2)), ops.end());
        auto position = text(FormatSectionNumber(o.at[i]));
        ASSERT_NE(position, ops.end());
        EXPECT_EQ(position->x1, X(layout.columnX[i]));
        EXPECT_GT(position->y1, Y(layout.plotBottom));
    }
    // One scale for all: the same width for every profile.
    EXPECT_GT(layout.ndWidth, 0);
    EXPECT_DOUBLE_EQ(layout.NdX(0, layout.ndFull) - layout.NdLeft(0), layout.NdX(2, layout.ndFull) - layout.NdLeft(2));
}

TEST_F(SectionDrawTest, AGroupBottomLiesAtItsElevation) {
    SiteSection s;
    ASSERT_FALSE(BuildSiteSection(Sheets({Survey("7.25", {{"4", "30", "30", "8"}, {"6", "50", "20", "12"}})}), {}, s));
    const auto& ops = Draw(s);
    // The axis spans the point with whole ticks around it.
    EXPECT_GE(layout.elevTop, 7.25);
    EXPECT_LE(layout.elevBottom, 6.75);
    EXPECT_DOUBLE_EQ(layout.tick, 0.5);
    EXPECT_DOUBLE_EQ(std::fmod(layout.elevTop, 0.5), 0);
    // Group 1: Nd 8 from 7.25 down to 6.95, then a step to Nd 12 at 6.95.
    const int x8 = X(layout.NdX(0, 8)), x12 = X(layout.NdX(0, 12));
    const int yTop = Y(layout.Y(7.25)), yStep = Y(layout.Y(6.95)), yEnd = Y(layout.Y(6.75));
    EXPECT_TRUE(HasLine(ops, x8, yTop, x8, yStep));
    EXPECT_TRUE(HasLine(ops, x8, yStep, x12, yStep));
    EXPECT_TRUE(HasLine(ops, x12, yStep, x12, yEnd));
    // Back to Nd 0 at the last bottom.
    EXPECT_TRUE(HasLine(ops, x12, yEnd, X(layout.NdLeft(0)), yEnd));
    // The mapping: 6.95 lies 0.3 / (top − bottom) of the frame down.
    EXPECT_NEAR(layout.Y(6.95),
                layout.plotTop + (layout.elevTop - 6.95) / (layout.elevTop - layout.elevBottom) *
                                     (layout.plotBottom - layout.plotTop),
                1e-9);
}

TEST_F(SectionDrawTest, TheThresholdLineJoinsThePointsThatReachIt) {
    // Points 1, 2 and 4 reach T = 10; point 3 never does.
    std::vector<std::array<std::string, 4>> weak = {{"1", "50", "50", "2"}, {"1", "100", "50", "2"}};
    SiteSection s;
    ASSERT_FALSE(BuildSiteSection(Sheets({Rising("4"), Rising("3"), Survey("2", weak), Rising("1")}), {}, s));
    ASSERT_FALSE(s.points[2].thresholdDepth);
    const auto& ops = Draw(s);
    const int width = static_cast<int>(std::max(settings.sheet.boxLineWidthPx, 1L));
    auto dashesBetween = [&](double x1, double x2, double elevation) {
        // The dashes of a horizontal run at `elevation` from x1 to x2.
        std::vector<DrawOp> out;
        for (const DrawOp& op : ops)
            if (op.kind == DrawOp::Line && op.y1 == Y(layout.Y(elevation)) && op.y2 == op.y1 &&
                op.width == width && op.x1 >= X(x1) && op.x2 <= X(x2) && op.x2 > op.x1)
                out.push_back(op);
        return out;
    };
    for (size_t i : {0u, 1u, 3u}) {
        const double e = *s.points[i].ThresholdElevation();
        auto dashes = dashesBetween(layout.SoilLeft(i), layout.NdRight(i), e);
        ASSERT_GE(dashes.size(), 2u) << i;
        // The run starts at the soil column's left edge and reaches the profile's right edge.
        EXPECT_EQ(dashes.front().x1, X(layout.SoilLeft(i)));
        EXPECT_GE(dashes.back().x2, X(layout.NdRight(i) - 2.0));
        EXPECT_LE(dashes.back().x2, X(layout.NdRight(i)) + 1);
    }
    // From point 1 to point 2 the line goes on: a dash starts at point 1's
    // right edge at its threshold; none leaves point 2 towards point 3, and
    // none arrives at point 4 from point 3.
    auto startsAt = [&](double x, double elevation) {
        return std::count_if(ops.begin(), ops.end(), [&](const DrawOp& op) {
            return op.kind == DrawOp::Line && op.width == width && op.x1 == X(x) && op.y1 == Y(layout.Y(elevation));
        });
    };
    EXPECT_EQ(startsAt(layout.NdRight(0), *s.points[0].ThresholdElevation()), 1);
    EXPECT_EQ(startsAt(layout.NdRight(1), *s.points[1].ThresholdElevation()), 0);
    EXPECT_EQ(startsAt(layout.NdRight(2), 2), 1);  // the ground line only
    // The joining dashes end no further than point 2's left edge.
    const double e0 = *s.points[0].ThresholdElevation(), e1 = *s.points[1].ThresholdElevation();
    int lastX = 0;
    for (const DrawOp& op : ops)
        if (op.kind == DrawOp::Line && op.width == width && op.x1 >= X(layout.NdRight(0)) &&
            op.x2 <= X(layout.SoilLeft(1)) + 1 && op.y1 >= Y(layout.Y(e0)) && op.y2 <= Y(layout.Y(e1)) + 1 &&
            op.y1 != op.y2)
            lastX = std::max(lastX, op.x2);
    EXPECT_GT(lastX, X(layout.SoilLeft(1) - 2.5));
}

TEST_F(SectionDrawTest, LegendShowsThresholdAndDatum) {
    SiteSection s;
    SectionOptions o;
    o.threshold = 15;
    ASSERT_FALSE(BuildSiteSection(Sheets({Rising("4"), Rising("3")}), o, s));
    const auto& ops = Draw(s);
    auto has = [&](const std::string& t) {
        return std::any_of(ops.begin(), ops.end(), [&](const DrawOp& op) {
            return op.kind == DrawOp::Text && op.text.find(t) != std::string::npos;
        });
    };
    EXPECT_TRUE(has("T = 15"));
    EXPECT_TRUE(has(Cp932Literal("基準: ") + "TP"));
    EXPECT_TRUE(has(Cp932Literal("断面図")));
    // The Nd scale bar is one profile wide.
    EXPECT_TRUE(has(FormatG(layout.ndFull)));
    // The largest Nd (20) lifted to 1.5 T (22.5) and rounded up to a round figure.
    EXPECT_DOUBLE_EQ(layout.ndFull, 50);
}

TEST_F(SectionDrawTest, CrowdedNamesGoUpARow) {
    std::vector<std::shared_ptr<SurveyData>> surveys;
    for (int i = 0; i < 30; ++i) surveys.push_back(Rising(std::to_string(10 - i * 0.2), Cp932Literal("地点") + std::to_string(i + 1)));
    SiteSection s;
    ASSERT_FALSE(BuildSiteSection(Sheets(surveys), {}, s));
    Draw(s);
    // "地点1" … "地点9" and their elevations fit the 8.7 mm between the
    // columns; from "地点10" on the labels are wider and neighbours never
    // share a row.
    for (size_t i = 0; i < 9; ++i) EXPECT_EQ(layout.nameRow[i], 0) << i;
    for (size_t i = 10; i < 30; ++i) EXPECT_NE(layout.nameRow[i], layout.nameRow[i - 1]) << i;
    EXPECT_LE(*std::max_element(layout.nameRow.begin(), layout.nameRow.end()), 1);
    EXPECT_GT(layout.ndWidth, 0);
    EXPECT_LT(layout.NdRight(29), layout.plotRight);
}

TEST(SectionScaleTest, NiceCeiling) {
    EXPECT_DOUBLE_EQ(NiceCeiling(15), 20);
    EXPECT_DOUBLE_EQ(NiceCeiling(20), 20);
    EXPECT_DOUBLE_EQ(NiceCeiling(40), 50);
    EXPECT_DOUBLE_EQ(NiceCeiling(51), 100);
    EXPECT_DOUBLE_EQ(NiceCeiling(0.3), 0.5);
}

}  // namespace
}  // namespace vosk
