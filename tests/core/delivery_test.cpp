// The electronic delivery: the exchange XML of two fixture points byte for
// byte (and as xmllint reads it), the depth in metres, the tables that
// cannot be delivered, the folder plan and the delivery on disk.

#include <gtest/gtest.h>


#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>

#include "platform/cp932.h"
#include "platform/drive_map.h"
#include "platform/file_io.h"
#include "platform/recording_canvas.h"
#include "site/delivery.h"
#include "site/exchange_xml.h"
#include "test_system.h"

namespace vosk {
namespace {

// A path as messages show it: with the system's own separators.
std::string ShownPath(std::filesystem::path path) { return PathToUtf8(path.make_preferred()); }

namespace fs = std::filesystem;

std::string Sjis(const char* utf8) { return Cp932Literal(utf8); }

// Point 1: an era date, a self-weight sinking row (N = 0), remarks that need
// escaping, every location value.
std::shared_ptr<SurveyData> FirstPoint() {
    auto s = std::make_shared<SurveyData>();
    HeadingFields& h = s->heading;
    h[1] = Sjis("○○川堤防補強");
    h[2] = Sjis("地質調査業務");
    h[5] = "No.1";
    h[6] = Sjis("令和");
    h[7] = "5";
    h[8] = "7";
    h[9] = "12";
    h[10] = Sjis("山田 太郎");
    h[12] = "TP";
    h[13] = "12.35";
    h[21] = Sjis("水位 <GL-1.20m> & 湧水あり");
    h[23] = Sjis("孔壁崩壊");
    h[heading::kCompanyName] = Sjis("株式会社 地盤技研");
    const char* rows[][4] = {{"0", "25", "25", "0"}, {"3", "35", "10", "3"}, {"5", "45", "10", "5"},
                             {"8", "52.5", "7.5", "10.667"}};
    for (int r = 0; r < 4; ++r)
        for (int f = 0; f < 4; ++f) s->blow[r + 1][f + 1] = rows[r][f];
    return s;
}

// Point 2: a four-digit year, no point number (the file names it), no
// remarks, no location, a row without Nd, deeper than a metre.
std::shared_ptr<SurveyData> SecondPoint() {
    auto s = std::make_shared<SurveyData>();
    HeadingFields& h = s->heading;
    h[1] = Sjis("○○川堤防補強");
    h[7] = "2024";
    h[8] = "2";
    h[9] = "29";
    const char* rows[][4] = {{"2", "40", "40", "0.5"}, {"4", "100", "60", ""}, {"6", "135", "35", "1.7"}};
    for (int r = 0; r < 3; ++r)
        for (int f = 0; f < 4; ++f) s->blow[r + 1][f + 1] = rows[r][f];
    return s;
}

SitePoint Point(const std::string& file, std::shared_ptr<SurveyData> survey) {
    SitePoint p;
    p.sheet = {file, std::move(survey)};
    return p;
}

SitePoint Located(SitePoint p) {
    p.latitude = "35 40 12.3";
    p.longitude = "139 45 30.5";
    p.methodCode = "02";
    p.method = "GNSS 測量";
    p.accuracy = "0.1";
    return p;
}

SettingsStore DeliverySettings() {
    SettingsStore s;
    ApplySettingsDefaults(s.sheet);
    ApplyRangeDefaults(s.sheet);
    for (int i = 1; i <= kSheetFontCount; ++i) s.fonts[i] = DefaultFont(i);
    s.sheet.digitsNd = "1";
    return s;
}

std::string Fixture(const char* name) {
    std::optional<std::string> bytes = ReadFileBytes(fs::path(VOSK_SOURCE_DIR) / "tests/core/site" / name);
    EXPECT_TRUE(bytes) << name;
    return bytes.value_or("");
}

// xmllint reads `bytes` (as the Shift_JIS they declare) without complaint.
void ExpectXmllintReads(const std::string& bytes, const fs::path& dir) {
#ifndef _WIN32
    if (std::system("command -v xmllint >/dev/null 2>&1") != 0) GTEST_SKIP() << "xmllint is not installed";
    const fs::path file = dir / "read.xml";
    ASSERT_TRUE(WriteFileAtomically(file, bytes));
    EXPECT_EQ(std::system(("xmllint --noout '" + file.string() + "'").c_str()), 0);
#else
    (void)bytes;
    (void)dir;
#endif
}

class DeliveryTest : public ::testing::Test {
protected:
    void SetUp() override { dir_ = test::FreshTestFolder("vosk-delivery"); }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
    const SettingsStore settings_ = DeliverySettings();
};

TEST_F(DeliveryTest, ExchangeXmlOfTwoPointsByteForByte) {
    SitePoint first = Located(Point("/survey/P1.vkr", FirstPoint()));
    SitePoint second = Point("/survey/B-2.vkr", SecondPoint());
    std::string xml;
    std::vector<std::string> warnings;
    ASSERT_FALSE(FormatExchangeXml({*first.sheet.survey, first, "関東地方整備局 ○○河川事務所", "01", "SIT0001"},
                                   settings_.sheet, xml, warnings));
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ(xml, Fixture("point1.xml"));
    ExpectXmllintReads(xml, dir_);

    ASSERT_FALSE(FormatExchangeXml({*second.sheet.survey, second, "", "", "SIT0002"}, settings_.sheet, xml, warnings));
    EXPECT_EQ(xml, Fixture("point2.xml"));
    ExpectXmllintReads(xml, dir_);
}

TEST_F(DeliveryTest, DoubtfulTextsAreWrittenWithAWarning) {
    SurveyData s = *FirstPoint();
    s.heading[7] = "";                                 // no year: the date stays empty
    s.heading[10] = std::string("\x87\x40") + "\x01";  // ① and a control character
    SitePoint p = Point("P1.vkr", nullptr);
    std::string xml;
    std::vector<std::string> warnings;
    ASSERT_FALSE(FormatExchangeXml({s, p, "", "", "SIT0001"}, settings_.sheet, xml, warnings));
    EXPECT_NE(xml.find(Sjis("<試験開始年月日></試験開始年月日>")), std::string::npos);
    EXPECT_NE(xml.find(Sjis("<試験者>") + "\x87\x40 " + Sjis("</試験者>")), std::string::npos);
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_EQ(warnings[0], "P1.vkr: 試験年月日 (見出し 6〜9) が日付になりません: 令和/7/12 (空のまま書きます)");
    EXPECT_EQ(warnings[1], "P1.vkr: 試験者: 機種依存文字があります (Shift_JIS にない文字)");
}

// The bottom depth is the last depth rounded half up to the centimetre,
// whether or not the metres are exact in binary (0.625 is, 0.525 is not);
// the depth axis ends on the next half metre, 1 m at the least.
TEST_F(DeliveryTest, BottomDepthAndDepthAxis) {
    struct Case {
        const char* lastCm;
        const char* bottom;
        const char* axisMax;
    };
    const Case cases[] = {
        {"52.5", "0.53", "1"},  {"62.5", "0.63", "1"},   {"37.5", "0.38", "1"},    {"112.5", "1.13", "1.5"},
        {"52.45", "0.52", "1"}, {"150", "1.50", "1.5"},  {"150.5", "1.51", "2"},   {"1000", "10.00", "10"},
    };
    for (const Case& c : cases) {
        SurveyData s = *FirstPoint();
        s.blow[4][2] = c.lastCm;
        SitePoint p = Point("P1.vkr", nullptr);
        std::string xml;
        std::vector<std::string> warnings;
        ASSERT_FALSE(FormatExchangeXml({s, p, "", "", "SIT0001"}, settings_.sheet, xml, warnings));
        EXPECT_NE(xml.find(Sjis("<下端深度>") + c.bottom + Sjis("</下端深度>")), std::string::npos) << c.lastCm;
        const size_t axis = xml.find(Sjis("<軸番号>2</軸番号>"));
        ASSERT_NE(axis, std::string::npos);
        EXPECT_NE(xml.find(Sjis("<最大値>") + c.axisMax + Sjis("</最大値>"), axis), std::string::npos) << c.lastCm;
    }
}

TEST(CentimetresAsMetresTest, KeepsTheSignificantDigits) {
    const std::pair<const char*, const char*> cases[] = {
        {"150", "1.50"}, {"5", "0.05"}, {"52.5", "0.525"}, {"0.5", "0.005"}, {"1000", "10.00"},
        {" 012 ", "0.12"}, {"+35", "0.35"}, {"0", "0.00"}, {"-0", "0.00"}, {"-20", "-0.20"},
    };
    for (const auto& [cm, m] : cases) EXPECT_EQ(CentimetresAsMetres(cm), m) << cm;
}

TEST(DeliverableTableTest, RefusesWhatTheExchangeDataCannotHold) {
    SurveyData s = *FirstPoint();
    EXPECT_FALSE(CheckDeliverableTable(s, "P1.vkr"));
    s.blow[2][2] = "3.5m";
    EXPECT_EQ(CheckDeliverableTable(s, "P1.vkr").text, "P1.vkr: 2 行目の貫入深さが数値ではありません: 3.5m");
    s.blow[2][2] = "35";
    s.blow[3][4] = "-";
    EXPECT_EQ(CheckDeliverableTable(s, "P1.vkr").text, "P1.vkr: 3 行目のNdが数値ではありません: -");
    s.blow[3][4] = "";  // an Nd left out is no fault
    EXPECT_FALSE(CheckDeliverableTable(s, "P1.vkr"));
    ClearBlowRows(s);
    EXPECT_EQ(CheckDeliverableTable(s, "P1.vkr").text, "P1.vkr: 打撃の行がありません");
}

TEST(DeliveryPlanTest, OnePointIsOneSite) {
    std::vector<PlannedPoint> plan;
    ASSERT_FALSE(PlanDelivery(3, 1, plan));
    ASSERT_EQ(plan.size(), 3u);
    EXPECT_EQ(plan[0].folder, "SIT0001");
    EXPECT_EQ(plan[0].xml, "BORING/TEST/SIT0001/TS000001.XML");
    EXPECT_EQ(plan[2].pdf, "BORING/TEST/SIT0003/TS000001.PDF");
    ASSERT_FALSE(PlanDelivery(2, 9998, plan));
    EXPECT_EQ(plan[1].folder, "SIT9999");
    EXPECT_EQ(PlanDelivery(3, 9998, plan).text, "地点の番号は SIT0001 から SIT9999 までです (3 地点を SIT9998 から)");
    EXPECT_TRUE(plan.empty());
    EXPECT_TRUE(PlanDelivery(1, 0, plan));
    EXPECT_TRUE(PlanDelivery(1, 10000, plan));
    EXPECT_EQ(PlanDelivery(0, 1, plan).text, "データシートがありません");
    ASSERT_FALSE(PlanDelivery(9999, 1, plan));
    EXPECT_EQ(plan.back().folder, "SIT9999");
}

// Pages drawn on the recording canvas; the file says how many there were.
class PageFile : public PagedOutput {
public:
    explicit PageFile(fs::path path) : path_(std::move(path)) {}
    Canvas* BeginPage() override {
        ++pages_;
        canvas_.Clear();
        return &canvas_;
    }
    bool Finish() override {
        return WriteFileAtomically(path_, std::to_string(pages_) + (pages_ == 1 ? " page" : " pages"));
    }

private:
    fs::path path_;
    RecordingCanvas canvas_{600, 600};
    int pages_ = 0;
};

// Every file under `dir`, relative, with "/" between the names.
std::set<std::string> Tree(const fs::path& dir) {
    std::set<std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(dir))
        files.insert(e.path().lexically_relative(dir).generic_string() + (e.is_directory() ? "/" : ""));
    return files;
}

TEST_F(DeliveryTest, TheFolderIsPlacedWholeOrNotAtAll) {
    Site site;
    ASSERT_FALSE(site.SetByDepth(true));  // the second point has no ground elevation
    ASSERT_FALSE(site.Add({"P1.vkr", FirstPoint()}));
    ASSERT_FALSE(site.Add({"B-2.vkr", SecondPoint()}));
    ASSERT_FALSE(site.SetPointField(0, PointField::Latitude, "35 40 12.3"));
    int pdfs = 0;
    PdfOpener pdf = [&pdfs](const fs::path& path) {
        ++pdfs;
        return std::make_unique<PageFile>(path);
    };
    SettingsStore settings = settings_;
    settings.sheet.companyName = "Vosk";
    DeliveryOptions options;
    options.dir = PathToUtf8(dir_ / "out");
    options.firstSite = 7;
    DeliveryResult r = DeliverSite(site, options, settings, pdf);
    ASSERT_EQ(r.kind, DeliveryResult::Delivered) << r.text;
    const std::set<std::string> tree = {"BORING/", "BORING/TEST/", "BORING/TEST/SIT0007/",
                                        "BORING/TEST/SIT0007/TS000001.PDF", "BORING/TEST/SIT0007/TS000001.XML",
                                        "BORING/TEST/SIT0008/", "BORING/TEST/SIT0008/TS000001.PDF",
                                        "BORING/TEST/SIT0008/TS000001.XML"};
    EXPECT_EQ(Tree(dir_ / "out"), tree);
    // Every page of the sheet, and the heading normalised as for drawing:
    // the settings' company name fills an empty one.
    EXPECT_EQ(*ReadFileBytes(dir_ / "out/BORING/TEST/SIT0008/TS000001.PDF"), "1 page");
    EXPECT_NE(ReadFileBytes(dir_ / "out/BORING/TEST/SIT0008/TS000001.XML")->find(Sjis("<調査業者名>Vosk</調査業者名>")),
              std::string::npos);
    const std::string xml = *ReadFileBytes(dir_ / "out/BORING/TEST/SIT0007/TS000001.XML");
    EXPECT_NE(xml.find(Sjis("<フォルダ名>SIT0007</フォルダ名>")), std::string::npos);
    EXPECT_NE(xml.find(Sjis("<経度_度></経度_度>")), std::string::npos);
    EXPECT_NE(xml.find(Sjis("<緯度_秒>12.3</緯度_秒>")), std::string::npos);
    EXPECT_NE(xml.find(Sjis("<調査業者名>株式会社 地盤技研</調査業者名>")), std::string::npos);

    // Again: refused, the earlier delivery untouched, nothing left beside it.
    r = DeliverSite(site, options, settings, pdf);
    EXPECT_EQ(r.kind, DeliveryResult::TargetExists);
    EXPECT_EQ(r.text, PathToUtf8(dir_ / "out") + ": フォルダがもうあります");
    // Replaced: the new plan alone.
    options.replace = true;
    options.firstSite = 1;
    ASSERT_EQ(DeliverSite(site, options, settings, pdf).kind, DeliveryResult::Delivered);
    EXPECT_TRUE(fs::exists(dir_ / "out/BORING/TEST/SIT0002/TS000001.PDF"));
    EXPECT_FALSE(fs::exists(dir_ / "out/BORING/TEST/SIT0008"));

    // A folder holding more than a delivery of tests is never replaced.
    fs::create_directories(dir_ / "out/BORING/DATA");
    ASSERT_TRUE(WriteFileAtomically(dir_ / "out/BORING/DATA/BED0001.XML", "x"));
    r = DeliverSite(site, options, settings, pdf);
    EXPECT_EQ(r.kind, DeliveryResult::Refused);
    EXPECT_EQ(r.text, ShownPath(dir_ / "out") + ": 試験の納品のほかのものがあるので置き換えません: " +
                          ShownPath(dir_ / "out/BORING/DATA"));
    EXPECT_TRUE(fs::exists(dir_ / "out/BORING/TEST/SIT0002/TS000001.XML"));
    // Nor offered for replacing: without --replace it is refused the same way,
    // as is a file where the folder would go.
    options.replace = false;
    r = DeliverSite(site, options, settings, pdf);
    EXPECT_EQ(r.kind, DeliveryResult::Refused);
    EXPECT_EQ(r.text, ShownPath(dir_ / "out") + ": 試験の納品のほかのものがあるので置き換えません: " +
                          ShownPath(dir_ / "out/BORING/DATA"));
    ASSERT_TRUE(WriteFileAtomically(dir_ / "file", "x"));
    options.dir = PathToUtf8(dir_ / "file");
    r = DeliverSite(site, options, settings, pdf);
    EXPECT_EQ(r.kind, DeliveryResult::Refused);
    EXPECT_EQ(r.text, PathToUtf8(dir_ / "file") + ": フォルダではないので置き換えません");
    fs::remove(dir_ / "file");
    options.replace = true;

    // A PDF that fails, a point that cannot be delivered, a stop: nothing written.
    options.dir = PathToUtf8(dir_ / "new");
    const int before = pdfs;
    r = DeliverSite(site, options, settings, [&](const fs::path& p) {
        return pdfs++ == before ? pdf(p) : std::unique_ptr<PagedOutput>();
    });
    EXPECT_EQ(r.text, ShownPath(dir_ / "new/BORING/TEST/SIT0002/TS000001.PDF") + ": 保存できませんでした");
    options.progress = [](size_t done, size_t) { return done < 2; };
    EXPECT_EQ(DeliverSite(site, options, settings, pdf).kind, DeliveryResult::Stopped);
    options.progress = nullptr;
    auto empty = std::make_shared<SurveyData>(*SecondPoint());
    ClearBlowRows(*empty);
    ASSERT_FALSE(site.Add({"C-3.vkr", empty}));
    const int written = pdfs;
    EXPECT_EQ(DeliverSite(site, options, settings, pdf).text, "C-3.vkr: 打撃の行がありません");
    EXPECT_EQ(pdfs, written);  // checked before anything was drawn
    std::set<std::string> top;
    for (const auto& e : fs::directory_iterator(dir_)) top.insert(e.path().filename().string());
    EXPECT_EQ(top, std::set<std::string>{"out"});  // nothing beside it

    // An empty folder is delivered into without asking.
    site.Remove(2);
    fs::create_directory(dir_ / "made");
    options.dir = PathToUtf8(dir_ / "made");
    ASSERT_EQ(DeliverSite(site, options, settings, pdf).kind, DeliveryResult::Delivered);
    EXPECT_TRUE(fs::exists(dir_ / "made/BORING/TEST/SIT0002/TS000001.XML"));

    // A parent folder that is not there.
    options.dir = PathToUtf8(dir_ / "no/such/out");
    EXPECT_EQ(DeliverSite(site, options, settings, pdf).text, ShownPath(dir_ / "no/such") + ": フォルダがありません");
}

}  // namespace
}  // namespace vosk
