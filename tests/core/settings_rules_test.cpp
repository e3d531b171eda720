// The rules behind the settings dialogs: warnings, standard examples, what
// OK stores, font files, the install location and the guide text.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "platform/cp932.h"
#include "platform/file_io.h"
#include "platform/message_service.h"
#include "platform/string_table.h"
#include "settings/digits_rules.h"
#include "settings/font_rules.h"
#include "settings/guide_rules.h"
#include "settings/layout_rules.h"
#include "settings/line_style_rules.h"
#include "settings/setup_rules.h"
#include "tests/core/test_system.h"

namespace vosk {
namespace {

namespace fs = std::filesystem;

TEST(LayoutRules, WarningsOnLeavingAndAtOk) {
    struct Case {
        int control;
        const char* text;
        int warning;
    };
    // Non-numeric text counts as 0.
    using namespace layout_control;
    const int unsuitable = message::kUnsuitableInput;
    const Case starts[] = {{kPointNoStart, "19.9", unsuitable},     {kPointNoStart, "20", 0},
                           {kPointNoStart, "abc", unsuitable},      {kElevationStart, "29.9", unsuitable},
                           {kElevationStart, "30", 0},              {kPointNoLabelWidth, "19", unsuitable},
                           {kPointNoLabelWidth, "20", 0}};
    for (const Case& c : starts) EXPECT_EQ(StartPositionWarning(c.control, c.text), c.warning) << c.control << c.text;

    // Bottom line + top margin, both read as integers.
    EXPECT_EQ(BottomLineWarning("231", "14"), message::kBottomGapTooSmall);  // 245 < 245.8
    EXPECT_EQ(BottomLineWarning("232", "14"), 0);
    EXPECT_EQ(BottomLineWarning("232.9", "13"), message::kBottomGapTooSmall);  // 232 + 13
    EXPECT_EQ(BottomLineWarning("266", "14"), 0);    // 280
    EXPECT_EQ(BottomLineWarning("267", "14"), message::kBottomOffPaper);  // 281

    EXPECT_EQ(TwoColumnTopWarning("110"), message::kTwoColumnTopMarginSmall);
    EXPECT_EQ(TwoColumnTopWarning("111"), 0);
    EXPECT_EQ(TwoColumnTopWarning(""), 0);
    EXPECT_EQ(TwoColumnTopWarning("x"), message::kTwoColumnTopMarginSmall);  // not empty, its value 0
}

TEST(LayoutRules, StandardExampleAndIntegerMargins) {
    SheetSettings s;
    s.hideMetreSign = 1;
    LayoutForm form = LoadLayoutForm(s);
    ASSERT_TRUE(LayoutNeedsStandardExample(form));
    ApplyStandardLayout(form);
    EXPECT_FALSE(LayoutNeedsStandardExample(form));
    ASSERT_EQ(StoreLayoutForm(form, s), 0);
    EXPECT_EQ(s.topMarginMm, 14);
    EXPECT_EQ(s.leftMarginMm, 20);
    EXPECT_EQ(s.hideMetreSign, 0);
    EXPECT_EQ(s.pointNoLabelWidthMm, "26");
    EXPECT_EQ(s.bottomLinePositionMm, "259");
    EXPECT_EQ(s.style2BlockTopTwoColumnMm, "122");
    EXPECT_EQ(s.style2BlockHeightMm, "100");

    // A margin that is no integer stores nothing and names its field.
    LayoutForm bad = form;
    bad.pointNoStartMm = "40";
    bad.leftMarginMm = "2.5";
    EXPECT_EQ(StoreLayoutForm(bad, s), layout_control::kLeftMargin);
    bad.topMarginMm = "";
    EXPECT_EQ(StoreLayoutForm(bad, s), layout_control::kTopMargin);
    EXPECT_EQ(s.pointNoStartMm, "31");
    bad.topMarginMm = " 7 ";
    bad.leftMarginMm = "-3";
    EXPECT_EQ(StoreLayoutForm(bad, s), 0);
    EXPECT_EQ(s.topMarginMm, 7);
    EXPECT_EQ(s.leftMarginMm, -3);
}

TEST(LineStyleRules, StandardSetsAndColourMode) {
    LineStyleForm form = LoadLineStyleForm(SheetSettings{});
    form.companyName = "kept";
    form.monochrome = true;
    ApplyStandardLineStyle(form, false);
    EXPECT_FALSE(form.monochrome);
    EXPECT_EQ(form.tableRuleDashPx, "4");
    EXPECT_EQ(form.tableRuleGapPx, "0");  // colour mode: solid rules
    EXPECT_EQ(form.grid2WidthPx, "0");
    EXPECT_EQ(form.grid2Colour, "0x808080");
    EXPECT_EQ(form.grid1Colour, "0x404040");
    EXPECT_EQ(form.companyName, "kept");
    ApplyStandardLineStyle(form, true);
    EXPECT_EQ(form.grid2WidthPx, "1");
    EXPECT_EQ(form.grid2Colour, "0xffff80");

    LineStyleForm mono = form;
    mono.monochrome = true;
    mono.tableRuleGapPx = "3";
    ApplyColourMode(mono);
    EXPECT_EQ(mono.tableRuleGapPx, "3");

    EXPECT_EQ(FormatColourText(0x808080), "0x808080");
    EXPECT_EQ(FormatColourText(0xff), "0x0000ff");
}

TEST(LineStyleRules, OkStoresSolidGridsAndRefusesNonIntegers) {
    SheetSettings s;
    s.grid1Dash = 3;
    s.grid1Gap = 4;
    s.grid2Dash = 0;
    s.grid2Gap = 7;
    s.tableRuleGapPx = 3;
    LineStyleForm form = LoadLineStyleForm(s);
    EXPECT_EQ(form.tableRuleGapPx, "3");
    form.plotMarkWidthPx = "3px";
    form.underlineDashPx = "x";
    // The first field in the order of the dialog is named.
    EXPECT_EQ(StoreLineStyleForm(form, s), line_style_control::kUnderlineDash);
    EXPECT_EQ(s.grid1Dash, 3);
    form.underlineDashPx = "6";
    EXPECT_EQ(StoreLineStyleForm(form, s), line_style_control::kPlotMarkWidth);
    form.plotMarkWidthPx = "3";
    form.monochrome = true;
    ASSERT_EQ(StoreLineStyleForm(form, s), 0);
    EXPECT_EQ(s.plotMarkWidthPx, 3);
    EXPECT_EQ(s.underlineDashPx, 6);
    EXPECT_EQ(s.monochrome, 1);
    EXPECT_EQ(s.tableRuleGapPx, 3);
    EXPECT_EQ(std::vector<long>({s.grid1Dash, s.grid1Gap, s.grid2Dash, s.grid2Gap}), std::vector<long>({5, 0, 5, 0}));
}

TEST(DigitsRules, StandardExampleAndTypedText) {
    SheetSettings s;
    DigitsForm form = LoadDigitsForm(s);
    ASSERT_TRUE(DigitsNeedStandardExample(form));
    ApplyStandardDigits(form);
    EXPECT_EQ(form.digitsN, "0");
    EXPECT_EQ(form.digitsDepth, Cp932Literal("自動"));
    EXPECT_EQ(form.ndItemName, Cp932Literal("Nd(回)"));
    form.digitsNd = "3";
    StoreDigitsForm(form, s);
    EXPECT_EQ(s.digitsNd, "3");
    EXPECT_EQ(s.digitsIncrement, Cp932Literal("自動"));
    EXPECT_EQ(DigitsChoices().size(), 4u);
    EXPECT_EQ(NdItemNameChoices().back(), "");
}

TEST(FontRules, SizeDisplayAndPixelHeights) {
    struct Case {
        double size;
        const char* shown;
    };
    // A blank, the whole points right-aligned in two places, five blanks.
    const Case cases[] = {{9.0, "  9     (9.0)"}, {10.5, " 11     (10.5)"}, {12.0, " 12     (12.0)"},
                          {9.75, " 10     (9.8)"}, {150.0, " 150     (150.0)"}};
    for (const Case& c : cases) EXPECT_EQ(FontSizeDisplay(c.size), c.shown) << c.size;

    EXPECT_EQ(FontHeightForSize(9.0, 96), 12);
    EXPECT_EQ(FontHeightForSize(10.0, 96), 13);  // truncated
    EXPECT_DOUBLE_EQ(FontSizeForHeight(-12, 96), 9.0);
    EXPECT_DOUBLE_EQ(FontSizeForHeight(13, 96), 9.75);
    // The height offered back unchanged keeps the size; another is taken.
    EXPECT_DOUBLE_EQ(FontSizeForChoice(10.0, 13, 96), 10.0);
    EXPECT_DOUBLE_EQ(FontSizeForChoice(10.0, -13, 96), 10.0);
    EXPECT_DOUBLE_EQ(FontSizeForChoice(10.0, 14, 96), 10.5);
    EXPECT_DOUBLE_EQ(FontSizeForChoice(10.0, 12, 96), 9.0);
    EXPECT_EQ(StandardFont(6).size, 10.0);
    EXPECT_EQ(StandardFont(1).face, kDefaultFontFace);
}

class SettingsFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = test::FreshTestFolder("vosk-rules");
        fs::create_directories(root_ / "drives" / "C" / "Tarvogx" / "Vosk2");
        fs::create_directories(root_ / "bundled");
        test::SetEnv("VOSK_DRIVES", root_ / "drives");
        test::SetEnv("VOSK_DATA_DIR", root_ / "bundled");
        survey_ = std::make_unique<SurveyData>();
    }
    void TearDown() override {
        fs::remove_all(root_);
        test::UnsetEnv("VOSK_DATA_DIR");
    }
    void Put(const fs::path& p, const std::string& bytes) {
        fs::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << bytes;
    }
    std::string Sys(int topMargin) {
        std::string s = "100\r\n";
        for (int line = 2; line <= 10; ++line) s += "\r\n";
        return s + std::to_string(topMargin) + "\r\n";
    }

    fs::path root_;
    SettingsStore store_;
    std::unique_ptr<SurveyData> survey_;
};

TEST_F(SettingsFilesTest, FontFilesAreWrittenAndFailuresNamed) {
    MessageRecorder messages;
    LoadSettings(store_, *survey_, false);
    store_.fonts[3] = SheetFont{9.0, "Face", 0x0000ff, 1};
    EXPECT_TRUE(SaveFontFiles(store_).empty());
    fs::path folder = root_ / "drives" / "C" / "Tarvogx" / "Vosk2";
    EXPECT_EQ(ReadFileBytes(folder / "Font3.ndx"), "9.0\r\nFace\r\n255\r\n1\r\n");
    EXPECT_TRUE(fs::exists(folder / "Font6.ndx"));

    // A file that cannot be replaced keeps its old content and is named.
    fs::remove(folder / "Font2.ndx");
    fs::create_directories(folder / "Font2.ndx" / "inside");
    EXPECT_EQ(SaveFontFiles(store_), std::vector<std::string>{(folder / "Font2.ndx").string()});
    EXPECT_EQ(SaveFailedText({"/a", "/b"}), std::string(MessageText(message::kSaveFailed)) + "\n( /a )\n( /b )");
}

TEST(SetupRules, FolderAndDriveChecks) {
    struct Leave {
        const char* typed;
        const char* folder;
        bool tooShort;
    };
    const Leave leaves[] = {{"Data", "\\Data", false}, {"\\Data", "\\Data", false}, {"", "\\", true},
                            {"x", "\\x", true},        {"\\", "\\", true}};
    for (const Leave& l : leaves) {
        FolderCheck check = LeaveInstallFolder(l.typed);
        EXPECT_EQ(check.folder, l.folder) << l.typed;
        EXPECT_EQ(check.tooShort, l.tooShort) << l.typed;
    }

    auto location = CheckInstallLocation("d", "Survey");
    ASSERT_TRUE(location);
    EXPECT_EQ(location->drive, "D");
    EXPECT_EQ(location->folder, "\\Survey");  // OK without leaving the field
    for (auto [drive, folder] : {std::pair{"", "\\Data"}, {"1", "\\Data"}, {"C", "\\"}, {"C", ""}})
        EXPECT_FALSE(CheckInstallLocation(drive, folder)) << drive << "|" << folder;
    EXPECT_EQ(StandardInstallLocation().drive, "C");
    EXPECT_EQ(StandardInstallLocation().folder, "\\Tarvogx\\Vosk2");
}

TEST_F(SettingsFilesTest, ChangingTheInstallLocationReloadsFromTheNewFolder) {
    MessageRecorder messages;
    Put(root_ / "drives" / "C" / "Tarvogx" / "Vosk2" / "Sys.ndx", Sys(9));
    LoadSettings(store_, *survey_, false);
    EXPECT_EQ(store_.sheet.topMarginMm, 9);
    Put(root_ / "drives" / "D" / "Other" / "Sys.ndx", Sys(33));
    Put(root_ / "drives" / "D" / "Other" / "Font1.ndx", "20.0\r\nNew Face\r\n0\r\n0\r\n");
    ASSERT_TRUE(ChangeInstallLocation(store_, *survey_, InstallLocation{"D", "\\Other"}));
    EXPECT_EQ(store_.installFolder, "D:\\Other");
    EXPECT_EQ(store_.sheet.topMarginMm, 33);
    EXPECT_EQ(store_.fonts[1].face, "New Face");
    EXPECT_EQ(ReadFileBytes(root_ / "drives" / "C" / "Tarvogx" / "Rilwe2.whr"), "D:\\Other\r\n");
    // The next run finds it.
    SettingsStore next;
    LoadSettings(next, *survey_, false);
    EXPECT_EQ(next.installFolder, "D:\\Other");

    // An unwritable location file: reported by the caller, the folder used anyway.
    fs::remove(root_ / "drives" / "C" / "Tarvogx" / "Rilwe2.whr");
    fs::create_directories(root_ / "drives" / "C" / "Tarvogx" / "Rilwe2.whr" / "inside");
    EXPECT_FALSE(ChangeInstallLocation(store_, *survey_, InstallLocation{"C", "\\Tarvogx\\Vosk2"}));
    EXPECT_EQ(store_.sheet.topMarginMm, 9);
}

TEST_F(SettingsFilesTest, LocationFileFolderIsMadeWhenMissing) {
    fs::remove_all(root_ / "drives" / "C");
    MessageRecorder messages;
    ASSERT_TRUE(ChangeInstallLocation(store_, *survey_, InstallLocation{"E", "\\V"}));
    EXPECT_EQ(ReadFileBytes(root_ / "drives" / "C" / "TarvoGX" / "Rilwe2.whr"), "E:\\V\r\n");
}

TEST(GuideRules, LinesAndPieces) {
    EXPECT_EQ(GuideLines("one\r\ntwo\nlast"), (std::vector<FieldText>{"one", "two", "last"}));
    EXPECT_EQ(GuideLines("a\r\n\r\nb\r\n"), (std::vector<FieldText>{"a", "", "b"}));
    EXPECT_TRUE(GuideLines("").empty());

    std::string longLine(200, 'x');
    EXPECT_EQ(GuideLines(longLine + "\r\n"), (std::vector<FieldText>{std::string(159, 'x'), std::string(41, 'x')}));
    EXPECT_EQ(GuideLines(std::string(159, 'y')), std::vector<FieldText>{std::string(159, 'y')});
    // A double-byte character that would straddle the cut starts the next piece.
    std::string kanji = "\x88\xc4";  // 案
    auto pieces = GuideLines(std::string(158, 'z') + kanji + "end");
    EXPECT_EQ(pieces, (std::vector<FieldText>{std::string(158, 'z'), kanji + "end"}));
}

}  // namespace
}  // namespace vosk
