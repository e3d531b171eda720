// The site: its rows and the values it checks, the site file (round trip,
// relative paths after a move, every refusal) and the test date.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "platform/cp932.h"
#include "platform/drive_map.h"
#include "platform/file_io.h"
#include "platform/message_service.h"
#include "site/site.h"
#include "site/site_file.h"
#include "site/test_date.h"
#include "survey/data_sheet.h"
#include "test_system.h"

namespace vosk {
namespace {

namespace fs = std::filesystem;

// Ten groups of 10 cm from ground level down to 1 m.
std::shared_ptr<SurveyData> Rising(const std::string& elevation, const std::string& point = "") {
    auto s = std::make_shared<SurveyData>();
    s->heading[5] = point;
    s->heading[12] = "TP";
    s->heading[13] = elevation;
    for (int k = 1; k <= 10; ++k) {
        s->blow[k][1] = std::to_string(2 * k);
        s->blow[k][2] = std::to_string(10 * k);
        s->blow[k][3] = "10";
        s->blow[k][4] = std::to_string(2 * k);
    }
    return s;
}

TEST(SiteTest, RowsPositionsAndRefusals) {
    Site site;
    EXPECT_FALSE(site.Add({"a.vkr", Rising("3", "A")}));
    EXPECT_FALSE(site.Add({"b.vkr", Rising("2", "B")}));
    EXPECT_EQ(site.Rows()[0].position, "0");
    EXPECT_EQ(site.Rows()[1].position, "10");
    site.SetPosition(1, "12.5");
    EXPECT_FALSE(site.Add({"c.vkr", Rising("1", "C")}));
    EXPECT_EQ(site.Rows()[2].position, "22.5");  // 10 m past the last row

    // Moving swaps the points with their locations; the positions stay in their rows.
    EXPECT_FALSE(site.SetPointField(2, PointField::Latitude, "35°40′12.3″"));
    EXPECT_EQ(site.Rows()[2].point.latitude, "35 40 12.3");
    EXPECT_TRUE(site.MoveUp(2));
    EXPECT_EQ(site.Rows()[1].point.sheet.file, "c.vkr");
    EXPECT_EQ(site.Rows()[1].point.latitude, "35 40 12.3");
    EXPECT_EQ(site.Rows()[1].position, "12.5");
    EXPECT_EQ(site.Rows()[2].point.sheet.file, "b.vkr");
    EXPECT_FALSE(site.MoveUp(0));
    EXPECT_FALSE(site.MoveDown(2));
    EXPECT_TRUE(site.MoveDown(0));
    EXPECT_EQ(site.Rows()[0].point.sheet.file, "c.vkr");

    SiteSection s;
    ASSERT_FALSE(site.Build(s));
    EXPECT_DOUBLE_EQ(s.points[1].x, 12.5);
    EXPECT_EQ(s.points[1].name, "A");

    // A position that is no number, or out of order; a bad threshold.
    site.SetPosition(2, "abc");
    EXPECT_EQ(site.Build(s).text, "位置 (3 行目) は数値で入れてください: abc");
    site.SetPosition(2, "5");
    EXPECT_EQ(site.Build(s).kind, SectionRefusal::PositionOrder);
    site.SetPosition(2, "30");
    site.SetThreshold("x");
    EXPECT_EQ(site.Build(s).kind, SectionRefusal::BadThreshold);
    site.SetThreshold("20");
    ASSERT_FALSE(site.Build(s));
    EXPECT_DOUBLE_EQ(s.threshold, 20);

    // Removing takes the row with its position.
    EXPECT_TRUE(site.Remove(0));
    EXPECT_EQ(site.Rows()[0].point.sheet.file, "a.vkr");
    EXPECT_EQ(site.Rows()[0].position, "12.5");
    EXPECT_FALSE(site.Remove(5));

    // No elevation: refused by elevation, taken by depth; by depth then stays on.
    EXPECT_EQ(site.Add({"flat.vkr", Rising("")}).text, "flat.vkr: 地盤高 (見出し 13) がありません");
    EXPECT_EQ(site.Count(), 2u);
    EXPECT_FALSE(site.SetByDepth(true));
    EXPECT_FALSE(site.Add({"flat.vkr", Rising("")}));
    EXPECT_EQ(site.SetByDepth(false).kind, SectionRefusal::NoElevation);
    EXPECT_TRUE(site.ByDepth());

    // A site holds more points than a section draws: the section takes 30 from the row asked for.
    while (site.Count() < 45) {
        ASSERT_FALSE(site.Add({"m.vkr", Rising("1", std::to_string(site.Count() + 1))}));
    }
    ASSERT_FALSE(site.Build(s, 10));
    ASSERT_EQ(s.points.size(), 30u);
    EXPECT_EQ(s.points.front().name, "11");
    ASSERT_FALSE(site.Build(s, 40));
    EXPECT_EQ(s.points.size(), 5u);
}

TEST(SiteTest, ValuesAreCheckedAsTheDeliveryNeedsThem) {
    struct Case {
        PointField field;
        const char* text;
        const char* refusal;  // empty: taken
    };
    const Case cases[] = {
        {PointField::Latitude, "", ""},
        {PointField::Latitude, "35 40 12.3", ""},
        {PointField::Latitude, "35:40:5", ""},
        {PointField::Latitude, "90 0 0", ""},
        {PointField::Latitude, "90 0 1", "緯度は 0 度から 90 度まで、分と秒は 60 未満です: 90 0 1"},
        {PointField::Latitude, "35 60 0", "緯度は 0 度から 90 度まで、分と秒は 60 未満です: 35 60 0"},
        {PointField::Latitude, "35 40 60", "緯度は 0 度から 90 度まで、分と秒は 60 未満です: 35 40 60"},
        {PointField::Latitude, "35.5", "緯度は 度 分 秒 で入れてください (例 35 40 12.3): 35.5"},
        {PointField::Latitude, "35 40 -1", "緯度は 度 分 秒 で入れてください (例 35 40 12.3): 35 40 -1"},
        {PointField::Longitude, "139 45 30.5", ""},
        {PointField::Longitude, "181 0 0", "経度は 0 度から 180 度まで、分と秒は 60 未満です: 181 0 0"},
        {PointField::Longitude, "a b c", "経度は 度 分 秒 で入れてください (例 139 45 30.5): a b c"},
        {PointField::MethodCode, "02", ""},
        {PointField::MethodCode, "２", "経緯度取得方法のコードは半角数字で入れてください: ２"},
        {PointField::Method, "GNSS 測量", ""},
        {PointField::Method, "a\tb", "経緯度取得方法に改行や制御文字は入れられません"},
        {PointField::Method, "😀", "経緯度取得方法に Shift_JIS で書けない文字があります: 😀"},
        {PointField::Accuracy, "0.1", ""},
        {PointField::Accuracy, "1秒", "経緯度読取精度は数値で入れてください: 1秒"},
    };
    for (const Case& c : cases) EXPECT_EQ(CheckPointField(c.field, c.text).text, c.refusal) << c.text;
    Site site;
    EXPECT_EQ(site.SetDatum("JGD").text, "測地系のコードは半角数字で入れてください: JGD");
    EXPECT_FALSE(site.SetClient("関東地方整備局"));
    EXPECT_EQ(site.Client(), "関東地方整備局");
}

class SiteFileTest : public ::testing::Test {
protected:
    void SetUp() override { dir_ = test::FreshTestFolder("vosk-site-file"); }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Sheet(const fs::path& relative, const std::string& point) {
        const fs::path path = dir_ / relative;
        fs::create_directories(path.parent_path());
        EXPECT_TRUE(WriteFileAtomically(path, FormatDataSheet(*Rising("5", point), "")));
        return PathToUtf8(path);
    }
    std::string Write(const std::string& name, const std::string& text) {
        EXPECT_TRUE(WriteFileAtomically(dir_ / name, text));
        return PathToUtf8(dir_ / name);
    }
    // A site of two points in the folder "survey": one sheet beside the site
    // file, one in a folder below it.
    Site TwoPoints() {
        Site site;
        EXPECT_FALSE(site.AddFile(Sheet("survey/P1.vkr", "No.1")));
        EXPECT_FALSE(site.AddFile(Sheet("survey/data/P2.vkr", "No.2")));
        site.SetPosition(1, "12.5");
        EXPECT_FALSE(site.SetClient("関東地方整備局 ○○河川事務所"));
        EXPECT_FALSE(site.SetDatum("01"));
        site.SetThreshold("15");
        EXPECT_FALSE(site.SetPointField(0, PointField::Latitude, "35 40 12.3"));
        EXPECT_FALSE(site.SetPointField(0, PointField::Longitude, "139 45 30.5"));
        EXPECT_FALSE(site.SetPointField(0, PointField::MethodCode, "02"));
        EXPECT_FALSE(site.SetPointField(0, PointField::Method, "GNSS 測量"));
        EXPECT_FALSE(site.SetPointField(0, PointField::Accuracy, "0.1"));
        return site;
    }

    fs::path dir_;
};

TEST_F(SiteFileTest, RoundTripWithPathsRelativeToTheSiteFile) {
    const Site site = TwoPoints();
    const std::string file = PathToUtf8(dir_ / "survey" / "site.vks");
    ASSERT_FALSE(WriteSiteFile(site, file));
    const std::optional<std::string> bytes = ReadFileBytes(PathFromUtf8(file));
    ASSERT_TRUE(bytes);
    EXPECT_EQ(*bytes,
              "vosk-site 1\r\nclient=関東地方整備局 ○○河川事務所\r\ndatum=01\r\nthreshold=15\r\nby-depth=0\r\n"
              "\r\n[point]\r\nsheet=P1.vkr\r\nat=0\r\nlatitude=35 40 12.3\r\nlongitude=139 45 30.5\r\n"
              "method-code=02\r\nmethod=GNSS 測量\r\naccuracy=0.1\r\n"
              "\r\n[point]\r\nsheet=data/P2.vkr\r\nat=12.5\r\nlatitude=\r\nlongitude=\r\n"
              "method-code=\r\nmethod=\r\naccuracy=\r\n");

    // The folder moved elsewhere still opens: the sheets are found beside the site file.
    fs::rename(dir_ / "survey", dir_ / "moved");
    Site read;
    std::vector<std::string> notes;
    ASSERT_FALSE(ReadSiteFile(PathToUtf8(dir_ / "moved" / "site.vks"), read, notes));
    EXPECT_TRUE(notes.empty());
    ASSERT_EQ(read.Count(), 2u);
    EXPECT_EQ(read.Rows()[0].point.sheet.file, PathToUtf8(dir_ / "moved" / "P1.vkr"));
    EXPECT_EQ(read.Rows()[1].point.sheet.file, PathToUtf8(dir_ / "moved" / "data" / "P2.vkr"));
    ASSERT_TRUE(read.Rows()[1].point.sheet.survey);
    EXPECT_EQ(read.Rows()[1].point.sheet.survey->heading[5], "No.2");
    EXPECT_EQ(read.Rows()[1].position, "12.5");
    EXPECT_EQ(read.Client(), site.Client());
    EXPECT_EQ(read.Datum(), "01");
    EXPECT_EQ(read.Threshold(), "15");
    for (PointField f : {PointField::Latitude, PointField::Longitude, PointField::MethodCode, PointField::Method,
                         PointField::Accuracy})
        EXPECT_EQ(read.Rows()[0].point.Field(f), site.Rows()[0].point.Field(f));

    // Written again from where it now is, the file is the same bytes.
    std::string again;
    ASSERT_FALSE(FormatSiteFile(read, PathToUtf8(dir_ / "moved" / "site.vks"), again));
    EXPECT_EQ(again, *bytes);
}

TEST_F(SiteFileTest, AMissingSheetKeepsItsRowMarked) {
    const std::string file = Write("site.vks",
                                   "vosk-site 1\nthreshold=10\n\n[point]\nsheet=gone.vkr\nat=0\n\n"
                                   "[point]\nat=10\nsheet=" + Sheet("P1.vkr", "A") + "\n");
    Site site;
    std::vector<std::string> notes;
    MessageRecorder shown;
    ASSERT_FALSE(ReadSiteFile(file, site, notes));
    ASSERT_EQ(site.Count(), 2u);
    EXPECT_FALSE(site.Rows()[0].point.sheet.survey);
    EXPECT_FALSE(site.Rows()[0].point.unreadable.empty());
    EXPECT_TRUE(site.Rows()[1].point.sheet.survey);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].rfind(file + ": 5 行目: " + PathToUtf8(dir_ / "gone.vkr") + ": ", 0), 0u) << notes[0];
    // The section says which row cannot be drawn; the row can be mended by removing it.
    SiteSection s;
    EXPECT_EQ(site.Build(s).kind, SectionRefusal::NotASheet);
    site.Remove(0);
    EXPECT_FALSE(site.Build(s));
    EXPECT_TRUE(shown.texts.empty());
}

TEST_F(SiteFileTest, RefusalsNameTheFileAndTheLine) {
    const std::string sheet = Sheet("P1.vkr", "A");
    const std::string point = "[point]\nsheet=" + sheet + "\nat=0\n";
    struct Case {
        std::string text;
        std::string refusal;  // after "FILE: "
    };
    const Case cases[] = {
        {"", "1 行目: 地点ファイルではありません"},
        {"$$_VSKTARVO100\r\n", "1 行目: 地点ファイルではありません"},
        {"vosk-site 2\n", "1 行目: この版の地点ファイルは読めません (版 2)"},
        {"vosk-site 1\nthreshold=abc\n", "2 行目: しきい値 Nd は正の数にしてください: abc"},
        {"vosk-site 1\nthreshold=0\n", "2 行目: しきい値 Nd は正の数にしてください: 0"},
        {"vosk-site 1\nby-depth=yes\n", "2 行目: by-depth は 0 か 1 です: yes"},
        {"vosk-site 1\ncolour=red\n", "2 行目: 知らない項目です: colour"},
        {"vosk-site 1\ndatum=01\ndatum=02\n", "3 行目: 項目 datum が二度あります"},
        {"vosk-site 1\nclient\n", "2 行目: 「項目=値」の行ではありません: client"},
        {"vosk-site 1\ndatum=JGD2000\n", "2 行目: 測地系のコードは半角数字で入れてください: JGD2000"},
        {"vosk-site 1\n" + point + "at=5\n", "5 行目: 項目 at が二度あります"},
        {"vosk-site 1\n[point]\nsheet=" + sheet + "\nat=1,5\n", "4 行目: 位置は数値で入れてください: 1,5"},
        {"vosk-site 1\n" + point + "latitude=35 61 0\n",
         "5 行目: 緯度は 0 度から 90 度まで、分と秒は 60 未満です: 35 61 0"},
        {"vosk-site 1\n" + point + "accuracy=high\n", "5 行目: 経緯度読取精度は数値で入れてください: high"},
        {"vosk-site 1\n" + point + "client=x\n", "5 行目: 知らない項目です: client"},
        {"vosk-site 1\n\n[point]\nat=0\n", "3 行目: 地点に sheet がありません"},
        {"vosk-site 1\n" + point + "[point]\nsheet=" + sheet + "\n", "5 行目: 地点に at がありません"},
    };
    for (const Case& c : cases) {
        const std::string file = Write("bad.vks", c.text);
        Site site;
        EXPECT_FALSE(site.Add({"x.vkr", Rising("1")}));
        std::vector<std::string> notes;
        EXPECT_EQ(ReadSiteFile(file, site, notes).text, file + ": " + c.refusal) << c.text;
        EXPECT_EQ(site.Count(), 0u);  // nothing of a refused file is kept
    }
    Site site;
    std::vector<std::string> notes;
    const std::string missing = PathToUtf8(dir_ / "none.vks");
    EXPECT_EQ(ReadSiteFile(missing, site, notes).text, missing + ": ファイルが見つからないか読めません");

    // A position that would not read back is refused before anything is written.
    Site unsaved = TwoPoints();
    unsaved.SetPosition(1, "x");
    const std::string target = PathToUtf8(dir_ / "new.vks");
    EXPECT_EQ(WriteSiteFile(unsaved, target).text, "位置 (2 行目) は数値で入れてください: x");
    EXPECT_FALSE(fs::exists(dir_ / "new.vks"));
}

TEST(TestDateTest, EraPrefixesAndFourDigitYears) {
    struct Case {
        const char* prefix;  // UTF-8
        const char* year;
        const char* month;
        const char* day;
        const char* date;  // empty: none
    };
    const Case cases[] = {
        {"令和", "5", "7", "12", "2023-07-12"},
        {"R", " 5", "07", "1", "2023-07-01"},
        {"Ｒ", "元", "5", "1", "2019-05-01"},
        {"平成", "31", "4", "30", "2019-04-30"},
        {"H", "32", "1", "1", ""},  // past the era
        {"h", "8", "2", "29", "1996-02-29"},
        {"昭和", "64", "1", "7", "1989-01-07"},
        {"S", "0", "1", "1", ""},
        {"", "2024", "2", "29", "2024-02-29"},
        {"令和", "2023", "2", "29", ""},  // a four-digit year stands as it is: 2023 has no 29 February
        {"20", "23", "12", "31", "2023-12-31"},
        {"", "23", "12", "31", ""},  // no era, no century
        {"　令和 ", "6", "12", "1", "2024-12-01"},
        {"令和", "6", "13", "1", ""},
        {"大正", "5", "1", "1", ""},
        {"令和", "5", "", "1", ""},
        {"令和", "5", "4", "31", ""},
    };
    for (const Case& c : cases) {
        HeadingFields h;
        h[6] = Cp932Literal(c.prefix);
        h[7] = Cp932Literal(c.year);
        h[8] = c.month;
        h[9] = c.day;
        EXPECT_EQ(DeliveryDate(h).value_or(""), c.date) << c.prefix << c.year << "/" << c.month << "/" << c.day;
    }
}

}  // namespace
}  // namespace vosk
