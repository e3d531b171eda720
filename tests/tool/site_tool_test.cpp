// vosk-sheet site and delivery run as processes: a site of three points
// written and delivered, the tree listed, every PDF with the pages render
// draws and every XML as xmllint reads it, the refusals (exit 2, nothing
// written), --replace, and section taking the site file.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "platform/cp932.h"
#include "platform/file_io.h"
#include "tests/tool/tool_fixture.h"

namespace vosk {
namespace {

namespace fs = std::filesystem;

using test::ToolRun;

class SiteToolTest : public test::ToolFixture {
protected:
    void SetUp() override {
        ToolFixture::SetUp();
        // The sheets beside the site file: a.vkr, b.vkr and the two-page sheet.
        const fs::path source(VOSK_SOURCE_DIR);
        for (const char* name : {"a.vkr", "b.vkr"}) fs::copy_file(source / "tests/tool/section" / name, dir_ / name);
        fs::copy_file(source / "tests/print/two_pages.vkr", dir_ / "two.vkr");
    }
    std::string At(const std::string& name) const { return PathToUtf8(dir_ / name); }
    // Every entry under `folder`, relative, folders with a "/" after them.
    static std::set<std::string> Tree(const fs::path& folder) {
        std::set<std::string> entries;
        for (const auto& e : fs::recursive_directory_iterator(folder))
            entries.insert(e.path().lexically_relative(folder).generic_string() + (e.is_directory() ? "/" : ""));
        return entries;
    }
    static size_t PdfPages(const std::string& pdf) {
        size_t pages = 0;
        for (size_t at = pdf.find("/Type /Page"); at != std::string::npos; at = pdf.find("/Type /Page", at + 1))
            if (pdf.compare(at, 12, "/Type /Pages") != 0) ++pages;
        return pages;
    }
    ToolRun MakeSite() {
        return RunTool({"site", At("site.vks"), At("a.vkr"), At("b.vkr"), At("two.vkr"), "--at", "0,5,12",
                        "--client", "関東地方整備局", "--datum", "01"});
    }
};

TEST_F(SiteToolTest, ASiteOfThreePointsIsDelivered) {
    ToolRun r = MakeSite();
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string site = ReadFileBytes(dir_ / "site.vks").value_or("");
    EXPECT_EQ(site.rfind("vosk-site 1\r\nclient=関東地方整備局\r\ndatum=01\r\nthreshold=10\r\n", 0), 0u) << site;
    EXPECT_NE(site.find("[point]\r\nsheet=two.vkr\r\nat=12\r\n"), std::string::npos) << site;

    r = RunTool({"delivery", At("site.vks"), "-o", At("out")});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::set<std::string> tree = {
        "BORING/", "BORING/TEST/", "BORING/TEST/SIT0001/", "BORING/TEST/SIT0001/TS000001.PDF",
        "BORING/TEST/SIT0001/TS000001.XML", "BORING/TEST/SIT0002/", "BORING/TEST/SIT0002/TS000001.PDF",
        "BORING/TEST/SIT0002/TS000001.XML", "BORING/TEST/SIT0003/", "BORING/TEST/SIT0003/TS000001.PDF",
        "BORING/TEST/SIT0003/TS000001.XML"};
    EXPECT_EQ(Tree(dir_ / "out"), tree);

    // The PDF of a point holds every page, as render draws them.
    ASSERT_EQ(RunTool({"render", At("two.vkr"), "-o", At("two.pdf")}).status, 0);
    const std::string rendered = ReadFileBytes(dir_ / "two.pdf").value_or("");
    const std::string delivered = ReadFileBytes(dir_ / "out/BORING/TEST/SIT0003/TS000001.PDF").value_or("");
    EXPECT_EQ(PdfPages(rendered), 2u);
    EXPECT_EQ(PdfPages(delivered), PdfPages(rendered));
    EXPECT_EQ(delivered.size(), rendered.size());

    const std::string xml = ReadFileBytes(dir_ / "out/BORING/TEST/SIT0002/TS000001.XML").value_or("");
    EXPECT_NE(xml.find(Cp932Literal("<発注機関名称>関東地方整備局</発注機関名称>")), std::string::npos);
    EXPECT_NE(xml.find(Cp932Literal("<フォルダ名>SIT0002</フォルダ名>")), std::string::npos);
    EXPECT_NE(xml.find(Cp932Literal("<測地系>01</測地系>")), std::string::npos);
#ifndef _WIN32
    if (std::system("command -v xmllint >/dev/null 2>&1") == 0) {
        for (const char* n : {"1", "2", "3"}) {
            const std::string file = At("out/BORING/TEST/SIT000" + std::string(n) + "/TS000001.XML");
            EXPECT_EQ(std::system(("xmllint --noout " + test::ShellQuote(file)).c_str()), 0) << file;
        }
    }
#endif

    // Again: refused until --replace, which renumbers from --first-site.
    r = RunTool({"delivery", At("site.vks"), "-o", At("out")});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "vosk-sheet: " + At("out") + ": フォルダがもうあります (--replace で置き換えます)\n");
    EXPECT_EQ(Tree(dir_ / "out"), tree);
    r = RunTool({"delivery", At("site.vks"), "-o", At("out"), "--first-site", "5", "--replace"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::exists(dir_ / "out/BORING/TEST/SIT0007/TS000001.XML"));
    EXPECT_FALSE(fs::exists(dir_ / "out/BORING/TEST/SIT0001"));

    // The section takes the site file: its positions.
    r = RunTool({"section", At("site.vks"), "--json", "--by-depth"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"x\": 12"), std::string::npos) << r.out;
}

TEST_F(SiteToolTest, SheetsAreDeliveredWithoutASiteFile) {
    ToolRun r = RunTool({"delivery", At("b.vkr"), At("a.vkr"), "-o", At("sheets"), "--client", "A & B"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string xml = ReadFileBytes(dir_ / "sheets/BORING/TEST/SIT0001/TS000001.XML").value_or("");
    EXPECT_NE(xml.find(Cp932Literal("<発注機関名称>A &amp; B</発注機関名称>")), std::string::npos);
    EXPECT_NE(xml.find(Cp932Literal("<地点名>b</地点名>")), std::string::npos);
}

TEST_F(SiteToolTest, RefusalsWriteNothing) {
    ASSERT_EQ(MakeSite().status, 0);
    const std::string empty = Write("empty.vkr", "$$_VSKTARVO100\r\n$$Z\r\n$$A\r\n$$C\r\n$$c\r\n");
    // A site file whose second sheet is gone: it opens (a warning first), the delivery refuses.
    const std::string gone = Write("gone.vks", "vosk-site 1\n\n[point]\nsheet=a.vkr\nat=0\n\n[point]\nsheet=gone.vkr\nat=10\n");
    struct Case {
        std::vector<std::string> args;
        std::string err;  // after "vosk-sheet: "
    };
    const std::string out = At("out");
    const Case cases[] = {
        {{"delivery", At("site.vks"), "-o", out, "--first-site", "9998"},
         "地点の番号は SIT0001 から SIT9999 までです (3 地点を SIT9998 から)"},
        {{"delivery", At("a.vkr"), empty, "-o", out}, empty + ": 打撃の行がありません"},
        {{"delivery", At("a.vkr"), At("none.vkr"), "-o", out}, ""},
        {{"delivery", gone, "-o", out}, "warning: " + gone + ": 8 行目: " + At("gone.vkr") + ": ファイルが見つかりません"},
        {{"delivery", At("site.vks"), "-o", At("no/such/out")}, PathToUtf8(dir_ / "no" / "such") + ": フォルダがありません"},
        {{"delivery", At("a.vkr"), "-o", out, "--datum", "JGD"}, "--datum: 測地系のコードは半角数字で入れてください: JGD"},
        {{"delivery", At("a.vkr"), "-o", out, "--first-site", "0"}, "--first-site takes a whole number from 1 to 9999: 0"},
        {{"delivery", At("a.vkr")}, "delivery needs -o DIR"},
        {{"site", At("new.vks"), At("a.vkr"), "--at", "0,1"}, "位置の数 (2) がファイルの数 (1) と違います"},
    };
    ASSERT_EQ(RunTool({"settings"}).status, 0);  // the install folder is made once, before
    const std::set<std::string> before = Tree(dir_);
    for (const Case& c : cases) {
        ToolRun r = RunTool(c.args);
        EXPECT_EQ(r.status, 2) << c.args[1];
        if (!c.err.empty()) {
            EXPECT_EQ(r.err.substr(0, r.err.find('\n')), "vosk-sheet: " + c.err);
        }
        EXPECT_EQ(Tree(dir_), before) << c.err;  // no folder, no file, nothing beside
    }
}

}  // namespace
}  // namespace vosk
