// vosk-sheet run as a process on fixture files.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "platform/cp932.h"
#include "platform/drive_map.h"
#include "platform/file_io.h"
#include "platform/string_table.h"
#include "survey/field_check.h"
#include "tests/core/path_kinds.h"
#include "tests/tool/tool_fixture.h"

namespace vosk {
namespace {

namespace fs = std::filesystem;

using test::ToolRun;

class ToolTest : public test::ToolFixture {
protected:
    ToolRun Tool(const std::vector<std::string>& args) { return RunTool(args); }
};

std::string Sample() { return std::string(VOSK_SOURCE_DIR) + "/examples/sample.vkr"; }

TEST_F(ToolTest, DumpsTheSampleAsJson) {
    ToolRun r = Tool({"dump", Sample()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.starts_with("{\"version\": 100, \"heading\": [")) << r.out.substr(0, 80);
    EXPECT_NE(r.out.find("\"counts\": {\"soil\": "), std::string::npos);
    EXPECT_EQ(r.err, "");
}

TEST_F(ToolTest, DumpDecodesCp932AndCountsRows) {
    std::string f = Write("a.vkr", "$$_VSKTARVO100\r\n$$Z\r\n\x94\x53\x93\x79\r\n\"q\\\r\n"
                                   "$$A\r\n1.00,a\x81\r\n$$C\r\n3,10,10,3,\r\n,20,,,\r\n");
    ToolRun r = Tool({"dump", f});
    ASSERT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("\"heading\": [\"粘土\",\"\\\"q\\\\\",\"\""), std::string::npos) << r.out.substr(0, 120);
    EXPECT_NE(r.out.find("[\"1.00\",\"a\xEF\xBF\xBD\",\"\""), std::string::npos);
    EXPECT_NE(r.out.find("\"counts\": {\"soil\": 1, \"blow\": 1}}"), std::string::npos);
}

TEST_F(ToolTest, DumpRefusalsAndTheirExitCodes) {
    ToolRun notSheet = Tool({"dump", Write("x.vkr", "hello\r\n")});
    EXPECT_EQ(notSheet.status, 3);
    EXPECT_EQ(notSheet.err, std::string(MessageText(32792)) + "\n");

    ToolRun missing = Tool({"dump", (dir_ / "missing.vkr").string()});
    EXPECT_EQ(missing.status, 4);
    EXPECT_EQ(missing.err, FormatMessageText(32795, (dir_ / "missing.vkr").string()) + "\n");

    const std::string dtd =
        "\x8a\xc8\x88\xd5\x93\xae\x93\x49\x83\x52\x81\x5b\x83\x93\x8a\xd1\x93\xfc\x8e\x8e\x8c\xb1"
        "\x83\x66\x81\x5b\x83\x5e\x83\x56\x81\x5b\x83\x67\x8f\xee\x95\xf1\x20\x44\x54\x44\r\n";
    ToolRun dtd199 = Tool({"dump", Write("d.vkr", dtd)});
    EXPECT_EQ(dtd199.status, 0);
    // Written back over itself, by any spelling of its path, it would be lost.
    std::string dtdFile = (dir_ / "d.vkr").string();
    EXPECT_EQ(Tool({"set", dtdFile, "-o", (dir_ / "." / "d.vkr").string()}).status, 2);
    EXPECT_EQ(ReadFileBytes(dtdFile), dtd);
    EXPECT_EQ(dtd199.err, std::string(MessageText(4015)) + "\n");
    EXPECT_TRUE(dtd199.out.starts_with("{\"version\": 199,"));

    EXPECT_EQ(Tool({}).status, 2);
    EXPECT_EQ(Tool({"dump"}).status, 2);
    EXPECT_EQ(Tool({"frobnicate", "x"}).status, 2);
}

TEST_F(ToolTest, PathsThatAreNoReadableDataSheetAreRefused) {
    const std::vector<std::vector<std::string>> commands = {
        {"check"}, {"dump"}, {"export"}, {"pages"}, {"render", "-o", (dir_ / "out.pdf").string()}, {"set"}, {"trace"}};
    for (const test::PathKindCase& c : test::UnreadablePathKinds()) {
        fs::path p = dir_ / ("kind" + std::to_string(static_cast<int>(c.kind)) + ".vkr");
        ASSERT_TRUE(test::MakePathKind(c.kind, p)) << c.name;
        for (const auto& command : commands) {
            std::vector<std::string> args = {command[0], p.string()};
            args.insert(args.end(), command.begin() + 1, command.end());
            ToolRun r = Tool(args);
            if (c.tooLarge) {
                EXPECT_EQ(r.status, 3) << c.name << " " << command[0];
                EXPECT_EQ(r.err, std::string(MessageText(32792)) + "\n") << c.name << " " << command[0];
            } else {
                EXPECT_EQ(r.status, 4) << c.name << " " << command[0];
                EXPECT_EQ(r.err, FormatMessageText(32795, p.string()) + "\n") << c.name << " " << command[0];
            }
            EXPECT_EQ(r.out, "") << c.name << " " << command[0];
        }
    }
    EXPECT_FALSE(fs::exists(dir_ / "out.pdf"));
    EXPECT_TRUE(fs::is_directory(dir_ / "kind1.vkr"));  // set wrote nothing over the folder

    ToolRun folderCsv = Tool({"import", dir_.string(), "-o", (dir_ / "out.vkr").string()});
    EXPECT_EQ(folderCsv.status, 4);
    EXPECT_EQ(folderCsv.err, FormatMessageText(32795, dir_.string()) + "\n");
}

TEST_F(ToolTest, SetThroughALinkWritesTheLinkedFile) {
#ifdef _WIN32
    // The permission bits are POSIX's, and the compiler's runtime makes no
    // symbolic links on Windows (create_symlink fails with ENOSYS).
    GTEST_SKIP() << "links and permission bits are POSIX's";
#endif
    fs::create_directories(dir_ / "real");
    std::string target = Write("real/a.vkr", "$$_VSKTARVO100\r\n$$Z\r\nold\r\n");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
    fs::create_symlink("real/a.vkr", dir_ / "link.vkr");
    ToolRun r = Tool({"set", (dir_ / "link.vkr").string(), "--heading", "1=new"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::is_symlink(dir_ / "link.vkr"));
    EXPECT_TRUE(ReadFileBytes(target).value().starts_with("$$_VSKTARVO100\r\n$$Z\r\nnew\r\n"));
    EXPECT_EQ(fs::status(target).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
}

TEST_F(ToolTest, SetStoresHeadingAndKeepsStoredOnlyFields) {
    std::string bytes = "$$_VSKTARVO100\r\n$$Z\r\n";
    for (int i = 1; i <= 70; ++i) bytes += "f" + std::to_string(i) + "\r\n";
    bytes += "$$A\r\n1.00,clay\r\n$$C\r\n5,10,10,5,\r\n";
    std::string in = Write("in.vkr", bytes);
    std::string out = (dir_ / "out.vkr").string();
    ToolRun r = Tool({"set", in, "-o", out, "--heading", "1=調査件名", "--heading", "21=礫, \"多い\""});
    ASSERT_EQ(r.status, 0) << r.err;
    std::string written = ReadFileBytes(out).value();
    EXPECT_TRUE(written.starts_with("$$_VSKTARVO100\r\n$$Z\r\n" + *Utf8ToCp932("調査件名") + "\r\nf2\r\n"));
    EXPECT_NE(written.find("\r\n" + *Utf8ToCp932("礫, \"多い\"") + "\r\n"), std::string::npos);
    for (int f : {3, 4, 6, 11, 14, 15, 20, 24, 27, 40, 50, 52, 70})
        EXPECT_NE(written.find("\r\nf" + std::to_string(f) + "\r\n"), std::string::npos) << f;
    EXPECT_NE(written.find("\r\n1.00\r\n"), std::string::npos);  // field 32: the max depth
    EXPECT_EQ(ReadFileBytes(in), bytes);                        // input untouched with -o
}

TEST_F(ToolTest, SetRefusesWhatTheFileCannotCarry) {
    std::string in = Write("in.vkr", "$$_VSKTARVO100\r\n$$Z\r\nold\r\n");
    for (const char* text : {"1=price $$5", "1=😀", "1=two\nlines"}) {
        ToolRun r = Tool({"set", in, "--heading", text});
        EXPECT_EQ(r.status, 2) << text;
        EXPECT_NE(r.err, "");
        EXPECT_EQ(ReadFileBytes(in), "$$_VSKTARVO100\r\n$$Z\r\nold\r\n") << text;
    }
    for (const char* arg : {"0=x", "71=x", "abc=x", "5"}) EXPECT_EQ(Tool({"set", in, "--heading", arg}).status, 2) << arg;
}

TEST_F(ToolTest, SetWithoutChangesRewritesAsSaveDoes) {
    std::string in = Write("lf.vkr", "$$_VSKTARVO100\n$$Z\nname\n$$C\n4,10,10,4,\n");
    ToolRun r = Tool({"set", in});
    ASSERT_EQ(r.status, 0) << r.err;
    std::string written = ReadFileBytes(in).value();
    EXPECT_TRUE(written.starts_with("$$_VSKTARVO100\r\n$$Z\r\nname\r\n"));
    EXPECT_TRUE(written.ends_with("$$C\r\n4,10,10,4,\r\n$$c\r\n0.10,4,\r\n"));
    // The heading is normalised as the program does on opening.
    ToolRun dump = Tool({"dump", in});
    EXPECT_NE(dump.out.find("\"株式会社\""), std::string::npos);
}

TEST_F(ToolTest, SetReportsAnUnwritableTarget) {
    std::string in = Write("in.vkr", "$$_VSKTARVO100\r\n");
    fs::create_directories(dir_ / "dir.vkr" / "x");
    ToolRun r = Tool({"set", in, "-o", (dir_ / "dir.vkr").string()});
    EXPECT_EQ(r.status, 4);
    EXPECT_EQ(r.err, std::string(MessageText(4005)) + "\n");
}

// The blow rows of a written data sheet, "$$C" line to "$$c" line.
std::string BlowSection(const std::string& sheet) {
    size_t from = sheet.find("$$C\r\n"), to = sheet.find("$$c\r\n");
    return from == std::string::npos || to == std::string::npos ? "" : sheet.substr(from, to - from);
}

TEST_F(ToolTest, ImportEntersLinesAsAddDoesAndStoresByDepth) {
    // BOM, header, CR LF and LF, a spreadsheet's empty row, a blank line, a
    // quoted remark holding a comma; depth 5 comes last but is the shallowest.
    std::string csv = Write("in.csv", "\xEF\xBB\xBFN,h (cm),remark\r\n5,10,\r\n5,13\n,,\r\n\r\n2,5,\"礫, 多い\"\r\n3,20,\r\n");
    std::string out = (dir_ / "out.vkr").string();
    ToolRun r = Tool({"import", csv, "-o", out, "--heading", "1=北浜町"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::string written = ReadFileBytes(out).value();
    EXPECT_TRUE(written.starts_with("$$_VSKTARVO100\r\n$$Z\r\n" + *Utf8ToCp932("北浜町") + "\r\n"));
    EXPECT_NE(written.find("\r\n" + *Utf8ToCp932("株式会社") + "\r\n"), std::string::npos);  // normalised
    // Δh from the nearest shallower depth of the whole table, Nd = 10N/Δh.
    EXPECT_EQ(BlowSection(written), "$$C\r\n2,5,5,4,\"" + *Utf8ToCp932("礫, 多い") + "\"\r\n5,10,5,10,\r\n"
                                    "5,13,3,16.6667,\r\n3,20,7,4.28571,\r\n");
}

TEST_F(ToolTest, ImportReadsCp932AndRefusesOtherBytes) {
    std::string out = (dir_ / "out.vkr").string();
    ToolRun r = Tool({"import", Write("sjis.csv", *Utf8ToCp932("打撃回数,深さ,記事\r\n3,25,自沈\r\n")), "-o", out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(BlowSection(ReadFileBytes(out).value()), "$$C\r\n3,25,25,1.2," + *Utf8ToCp932("自沈") + "\r\n");

    // A lone 0xFF is neither UTF-8 nor CP932; a BOM promises UTF-8 that CP932 bytes break.
    for (std::string bytes : {std::string("5,10,\xFF\r\n"), "\xEF\xBB\xBF" + *Utf8ToCp932("3,25,自沈\r\n")}) {
        ToolRun bad = Tool({"import", Write("bad.csv", bytes), "-o", (dir_ / "bad.vkr").string()});
        EXPECT_EQ(bad.status, 2);
        EXPECT_EQ(bad.err, "vosk-sheet: " + (dir_ / "bad.csv").string() + ": " + std::string(MessageText(4104)) + "\n");
        EXPECT_FALSE(fs::exists(dir_ / "bad.vkr"));
    }
}

TEST_F(ToolTest, ImportRefusalNamesTheLineAndWritesNothing) {
    std::string hundredAndOne;
    for (int i = 1; i <= 101; ++i) hundredAndOne += "1," + std::to_string(i) + "\n";
    struct Case {
        const char* what;
        std::string csv;
        int line;
        std::string message;  // empty: the tool's own wording, not checked
    } cases[] = {
        {"same depth", "N,h\n5,10\n6,20\n7,10\n", 4, FormatMessageText(908, "深度")},
        {"depth out of range", "5,1000000\n5,1000000.5\n", 2, std::string(MessageText(4006))},
        {"no depth", "N,h\n5,,x\n", 2, std::string(MessageText(903))},
        {"101 lines", hundredAndOne, 101, std::string(MessageText(902))},
        {"$$ in the remark", "5,10,a$$b\n", 1, CheckEnteredText("a$$b", FieldKind::Table).refusal},
        {"quote in the remark", "5,10,\"say \"\"hi\"\"\"\n", 1, CheckEnteredText("\"", FieldKind::Table).refusal},
        {"not CP932", "5,10,😀\n", 1, CheckEnteredText("😀", FieldKind::Table).refusal},
        {"unclosed quote", "5,10,ok\n6,20,\"open\n", 2, ""},
        {"unquoted comma in the remark", "5,10,gravel, some\n", 1, ""},
    };
    std::string out = Write("out.vkr", "old");
    for (const Case& c : cases) {
        ToolRun r = Tool({"import", Write("in.csv", c.csv), "-o", out});
        EXPECT_EQ(r.status, 2) << c.what;
        std::string prefix = "vosk-sheet: line " + std::to_string(c.line) + ": ";
        if (c.message.empty())
            EXPECT_TRUE(r.err.starts_with(prefix)) << c.what << ": " << r.err;
        else
            EXPECT_EQ(r.err, prefix + c.message + "\n") << c.what;
        EXPECT_EQ(ReadFileBytes(out), "old") << c.what;
    }

    ToolRun missing = Tool({"import", (dir_ / "missing.csv").string(), "-o", out});
    EXPECT_EQ(missing.status, 4);
    EXPECT_EQ(missing.err, FormatMessageText(32795, (dir_ / "missing.csv").string()) + "\n");
    EXPECT_EQ(Tool({"import", Write("ok.csv", "5,10\n")}).status, 2);  // no -o
}

TEST_F(ToolTest, ExportWritesTheBlowRowsAsCsv) {
    ToolRun sample = Tool({"export", Sample()});
    ASSERT_EQ(sample.status, 0) << sample.err;
    EXPECT_TRUE(sample.out.starts_with("depth (m),N,h (cm),Δh (cm),Nd,remark\r\n0.12,1,12,12,0.833333,\r\n"))
        << sample.out.substr(0, 80);
    EXPECT_NE(sample.out.find("\r\n0.70,0,70,20,0,自沈\r\n"), std::string::npos);

    // A comma is quoted; the table ends at the first depth that is not a number.
    std::string sheet = Write("t.vkr", "$$_VSKTARVO100\r\n$$C\r\n5,10,10,5,\"a,b\"\r\n3,125,10,3,\r\n"
                                       "4,x,,,\r\n7,30,10,7,\r\n");
    std::string out = (dir_ / "t.csv").string();
    ToolRun r = Tool({"export", sheet, "-o", out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(ReadFileBytes(out), "depth (m),N,h (cm),Δh (cm),Nd,remark\r\n0.10,5,10,10,5,\"a,b\"\r\n"
                                  "1.25,3,125,10,3,\r\n");

    EXPECT_EQ(Tool({"export", Write("x.vkr", "hello\r\n")}).status, 3);
    EXPECT_EQ(Tool({"export", sheet, "extra"}).status, 2);
}

TEST_F(ToolTest, ImportReadsBackWhatExportWrote) {
    // These tables hold the Δh and Nd the rules derive, so the whole CSV comes
    // back, not only N, depth and remark.
    std::string small = Write("s.vkr", "$$_VSKTARVO100\r\n$$C\r\n5,10,10,5,\"a,b\"\r\n3,20,10,3," +
                                           *Utf8ToCp932("自沈") + "\r\n");
    for (const std::string& sheet : {Sample(), small}) {
        std::string csv = (dir_ / "x.csv").string(), back = (dir_ / "back.vkr").string();
        ASSERT_EQ(Tool({"export", sheet, "-o", csv}).status, 0) << sheet;
        ToolRun imported = Tool({"import", csv, "-o", back});
        ASSERT_EQ(imported.status, 0) << imported.err;
        EXPECT_EQ(Tool({"export", back}).out, ReadFileBytes(csv)) << sheet;
    }
}

}  // namespace
}  // namespace vosk

namespace vosk {
namespace {

std::string BlowSheet(int rows, const std::string& depthScale) {
    std::string bytes = "$$_VSKTARVO100\r\n$$Z\r\n";
    for (int i = 1; i <= 70; ++i) bytes += (i == 19 ? depthScale : "") + "\r\n";
    bytes += "$$C\r\n";
    for (int r = 1; r <= rows; ++r) bytes += "3," + std::to_string(r * 10) + ",10,3,\r\n";
    return bytes;
}

TEST_F(ToolTest, PagesCountsTheSheet) {
    EXPECT_EQ(Tool({"pages", Write("a.vkr", BlowSheet(50, "100"))}).out, "2\n");  // 41 rows a page
    EXPECT_EQ(Tool({"pages", Write("b.vkr", BlowSheet(30, "20"))}).out, "1\n");
    EXPECT_EQ(Tool({"pages", Write("c.vkr", BlowSheet(41, "20"))}).out, "2\n");   // 410 cm at 4 m a page
    EXPECT_EQ(Tool({"pages", Write("d.vkr", "nothing\r\n")}).status, 3);
}

TEST_F(ToolTest, TraceWritesOneJsonObjectPerOperation) {
    ToolRun r = Tool({"trace", Write("a.vkr", BlowSheet(3, "20")), "--dpi", "254"});
    ASSERT_EQ(r.status, 0) << r.err;
    // Every line is one object of a known kind, and no line of width 0 is written.
    size_t lines = 0, texts = 0;
    for (size_t start = 0; start < r.out.size();) {
        size_t end = r.out.find('\n', start);
        std::string line = r.out.substr(start, end - start);
        EXPECT_TRUE(line.starts_with("{\"op\":\"")) << line;
        EXPECT_EQ(line.find("\"w\":0,\"rgb\"") != std::string::npos && line.starts_with("{\"op\":\"line\""), false)
            << line;
        texts += line.starts_with("{\"op\":\"text\"");
        ++lines;
        start = end + 1;
    }
    EXPECT_GT(lines, 200u);
    EXPECT_GT(texts, 50u);
    // The first title character, spread from x = 49 mm at 254 dpi (10 px a mm), left margin 20 mm.
    EXPECT_NE(r.out.find("{\"op\":\"text\",\"x\":690,"), std::string::npos);
    EXPECT_NE(r.out.find("\"text\":\"簡\",\"face\":\"ＭＳ 明朝\""), std::string::npos);
    EXPECT_NE(r.out.find("{\"op\":\"clip\",\"l\":"), std::string::npos);
    EXPECT_NE(r.out.find("{\"op\":\"unclip\"}"), std::string::npos);
    EXPECT_EQ(Tool({"trace", Write("b.vkr", BlowSheet(3, "20")), "--page", "0"}).status, 2);
}

}  // namespace
}  // namespace vosk

namespace vosk {
namespace {

size_t PdfPageCount(const std::string& pdf) {
    // Page objects, not the page tree ("/Type /Pages").
    size_t count = 0;
    for (size_t at = pdf.find("/Type /Page"); at != std::string::npos; at = pdf.find("/Type /Page", at + 1))
        count += pdf.compare(at, 12, "/Type /Pages") != 0;
    return count;
}

TEST_F(ToolTest, RenderedPdfHasEveryPageOfEveryFile) {
    std::string two = Write("two.vkr", BlowSheet(50, "100"));
    std::string one = Write("one.vkr", BlowSheet(5, "100"));
    std::string out = (dir_ / "out.pdf").string();
    ToolRun r = Tool({"render", two, one, "-o", out, "--dpi", "300"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(PdfPageCount(ReadFileBytes(out).value()), 3u);
    EXPECT_EQ(Tool({"pages", two}).out, "2\n");

    std::string png = (dir_ / "page.png").string();
    ASSERT_EQ(Tool({"render", two, "-o", png, "--page", "2"}).status, 0);
    EXPECT_TRUE(ReadFileBytes(png).value().starts_with("\x89PNG"));
    std::string svg = (dir_ / "page.svg").string();
#ifdef VOSK_SVG_OUTPUT
    ASSERT_EQ(Tool({"render", two, "-o", svg}).status, 0);
    EXPECT_NE(ReadFileBytes(svg).value().find("<svg"), std::string::npos);
#else
    EXPECT_EQ(Tool({"render", two, "-o", svg}).status, 2) << "a build without SVG refuses it";
    EXPECT_FALSE(fs::exists(svg));
#endif

    EXPECT_EQ(Tool({"render", two, "-o", (dir_ / "x.txt").string()}).status, 2);
    EXPECT_EQ(Tool({"render", two, "-o", (dir_ / "no" / "such" / "x.pdf").string()}).status, 4);
}

}  // namespace
}  // namespace vosk

namespace vosk {
namespace {

// A data sheet with heading field 16 (test depth) and the given blow lines.
std::string CheckedSheet(const std::string& testDepth, const std::string& blowLines) {
    std::string bytes = "$$_VSKTARVO100\r\n$$Z\r\n";
    for (int i = 1; i <= 70; ++i) bytes += (i == 16 ? testDepth : "") + "\r\n";
    return bytes + "$$C\r\n" + blowLines;
}

// Names typed at the command prompt reach the tool whole, in and out, and
// so does a heading given on the command line.
TEST_F(ToolTest, JapaneseFileNamesAndTextsReachTheTool) {
    const std::string sheet = Write("試験地点 1.vkr", BlowSheet(5, "100"));
    const std::string pdf = PathToUtf8(dir_ / PathFromUtf8("報告書.pdf"));
    ToolRun render = Tool({"render", sheet, "-o", pdf});
    ASSERT_EQ(render.status, 0) << render.err;
    EXPECT_EQ(PdfPageCount(ReadFileBytes(PathFromUtf8(pdf)).value_or("")), 1u);

    const std::string copy = PathToUtf8(dir_ / PathFromUtf8("写し.vkr"));
    ToolRun set = Tool({"set", sheet, "-o", copy, "--heading", "1=宅地造成 調査"});
    ASSERT_EQ(set.status, 0) << set.err;
    EXPECT_NE(Tool({"dump", copy}).out.find("\"heading\": [\"宅地造成 調査\""), std::string::npos);
    EXPECT_EQ(Tool({"pages", PathToUtf8(dir_ / PathFromUtf8("無い.vkr"))}).status, 4);
}

TEST_F(ToolTest, CheckPrintsFindingsByFileAndRowAndExitsByTheirSeverity) {
    const std::string clean = Write("clean.vkr", CheckedSheet("0.20", "5,10,10,5,\r\n7,20,10,7,\r\n"));
    const std::string sinking = Write("sink.vkr", CheckedSheet("", "5,10,10,5,\r\n0,20,10,0,\r\n"));
    const std::string faulty = Write("bad.vkr", CheckedSheet("0.50", "5,10,10,5,\r\n7,20,10,8,\r\n3,15,-5,,\r\n"));

    ToolRun ok = Tool({"check", clean});
    EXPECT_EQ(ok.status, 0);
    EXPECT_EQ(ok.out, "");

    // Information alone is no fault.
    ToolRun info = Tool({"check", clean, sinking});
    EXPECT_EQ(info.status, 0);
    EXPECT_EQ(info.out, sinking + ":2: info sink: 自沈 (貫入量 10 cm)\n");

    ToolRun bad = Tool({"check", faulty, sinking});
    EXPECT_EQ(bad.status, 1) << bad.err;
    EXPECT_EQ(bad.out, faulty + ":0: warning depth: 最終深さ 0.15 m と試験深さ (見出し) 0.50 m が一致しません\n" +
                           faulty + ":2: error nd: Nd 8 は 10N/Δh = 7 と違います\n" +
                           faulty + ":3: error order: 深さ 15 cm が前の行の 20 cm より浅いか同じです\n" +
                           sinking + ":2: info sink: 自沈 (貫入量 10 cm)\n");

    // A mistyped depth: one Δh far beyond the table's usual step is a warning.
    const std::string stepped = Write("step.vkr", CheckedSheet("", "5,10,10,5,\r\n7,20,10,7,\r\n4,750,730,0.0548,\r\n"));
    ToolRun step = Tool({"check", stepped});
    EXPECT_EQ(step.status, 1);
    EXPECT_EQ(step.out, stepped + ":3: warning step: 貫入量 730 cm が他の行 (中央値 10 cm) と大きく違います\n");

    ToolRun json = Tool({"check", "--json", faulty, clean});
    EXPECT_EQ(json.status, 1);
    // A Windows path's backslashes are escaped in JSON.
    auto jsonText = [](std::string s) {
        for (size_t i = s.find('\\'); i != std::string::npos; i = s.find('\\', i + 2)) s.insert(i, 1, '\\');
        return s;
    };
    EXPECT_EQ(json.out,
              "{\"files\": [{\"file\": \"" + jsonText(faulty) + "\", \"findings\": ["
              "{\"id\": \"depth\", \"severity\": \"warning\", \"row\": 0, \"message\": \"最終深さ 0.15 m と試験深さ (見出し) 0.50 m が一致しません\", "
              "\"values\": {\"testDepth\": 0.5, \"lastDepth\": 0.15}}, "
              "{\"id\": \"nd\", \"severity\": \"error\", \"row\": 2, \"message\": \"Nd 8 は 10N/Δh = 7 と違います\", "
              "\"values\": {\"nd\": 8, \"expected\": 7}}, "
              "{\"id\": \"order\", \"severity\": \"error\", \"row\": 3, \"message\": \"深さ 15 cm が前の行の 20 cm より浅いか同じです\", "
              "\"values\": {\"h\": 15, \"previousH\": 20}}]}, "
              "{\"file\": \"" + jsonText(clean) + "\", \"findings\": []}]}\n");
}

TEST_F(ToolTest, CheckRefusesBeforeItReports) {
    const std::string clean = Write("clean.vkr", CheckedSheet("", "5,10,10,5,\r\n"));
    ToolRun notSheet = Tool({"check", clean, Write("x.vkr", "hello\r\n")});
    EXPECT_EQ(notSheet.status, 3);
    EXPECT_EQ(notSheet.out, "");
    EXPECT_EQ(notSheet.err, std::string(MessageText(32792)) + "\n");
    EXPECT_EQ(Tool({"check", (dir_ / "missing.vkr").string()}).status, 4);
    EXPECT_EQ(Tool({"check"}).status, 2);
    EXPECT_EQ(Tool({"check", clean, "--xml"}).status, 2);
}

TEST_F(ToolTest, ExportAddsTheConvertedNAndImportReadsItBack) {
    const std::string sheet = Write("n.vkr", CheckedSheet("", "5,10,10,5,\r\n5,13,3,16.6667,\r\n2,20,7,,\r\n"));
    const std::string csv = (dir_ / "n.csv").string();
    ToolRun r = Tool({"export", sheet, "-o", csv, "--converted-n", "nd/1.5"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFileBytes(csv), "depth (m),N,h (cm),Δh (cm),Nd,remark,換算N (N=nd/1.5)\r\n"
                                  "0.10,5,10,10,5,,3.33\r\n0.13,5,13,3,16.6667,,11.11\r\n0.20,2,20,7,,,\r\n");
    EXPECT_NE(Tool({"export", sheet, "--converted-n", "1+0.5*nd"}).out.find(",16.6667,,9.33\r\n"), std::string::npos);

    const std::string back = (dir_ / "back.vkr").string();
    ToolRun imported = Tool({"import", csv, "-o", back});
    ASSERT_EQ(imported.status, 0) << imported.err;
    // Import derives what the sheet left empty, as Add does.
    EXPECT_EQ(Tool({"export", back}).out, "depth (m),N,h (cm),Δh (cm),Nd,remark\r\n0.10,5,10,10,5,\r\n"
                                          "0.13,5,13,3,16.6667,\r\n0.20,2,20,7,2.85714,\r\n");

    ToolRun bad = Tool({"export", sheet, "--converted-n", "nd*1.5"});
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find("換算式を読み取れません"), std::string::npos) << bad.err;
}

}  // namespace
}  // namespace vosk
