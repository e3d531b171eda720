// vosk-sheet section run as a process on fixture files: the JSON of three
// points (one on another datum, one that never reaches T), the refusals
// and their exit codes, the pages it writes.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/file_io.h"
#include "platform/string_table.h"
#include "tests/tool/tool_fixture.h"

namespace vosk {
namespace {

namespace fs = std::filesystem;

using test::ToolRun;

std::string Fixture(const char* name) { return std::string(VOSK_SOURCE_DIR) + "/tests/tool/section/" + name; }

class SectionToolTest : public test::ToolFixture {
protected:
    ToolRun Tool(std::vector<std::string> args) {
        args.insert(args.begin(), "section");
        return RunTool(args);
    }

    // A data sheet with a ground elevation (or none) and one blow row.
    std::string Sheet(const std::string& name, const std::string& elevation) {
        std::string s = "$$_VSKTARVO100\r\n$$Z\r\n";
        for (int i = 1; i <= 70; ++i) s += (i == 13 ? elevation : std::string()) + "\r\n";
        s += "$$A\r\n$$C\r\n5,10,10,5,\r\n$$c\r\n";
        return Write(name, s);
    }
};

TEST_F(SectionToolTest, JsonOfThreePoints) {
    const std::string a = Fixture("a.vkr"), b = Fixture("b.vkr"), c = Fixture("c.vkr");
    ToolRun r = Tool({a, b, c, "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string expected =
        "{\"datum\": \"TP / AP\", \"threshold\": 10, \"byDepth\": false, \"points\": ["
        "{\"file\": \"" + a + "\", \"name\": \"S-1\", \"x\": 0, \"ground\": 10, \"groups\": ["
        "{\"top\": 10, \"bottom\": 9.8, \"N\": 2, \"nd\": 1}, "
        "{\"top\": 9.8, \"bottom\": 9.6, \"N\": 5, \"nd\": 2.5}, "
        "{\"top\": 9.6, \"bottom\": 9.5, \"N\": 12, \"nd\": 12}, "
        "{\"top\": 9.5, \"bottom\": 9.4, \"N\": 15, \"nd\": 15}], "
        "\"layers\": [{\"top\": 10, \"bottom\": 9.5, \"name\": \"表土\"}, "
        "{\"top\": 9.5, \"bottom\": 8.8, \"name\": \"粘土砂混じり\"}], "
        "\"thresholdDepth\": 0.4, \"thresholdElevation\": 9.6}, "
        // No point number: the file name; no Nd in row 1: 10 N / Δh.
        "{\"file\": \"" + b + "\", \"name\": \"b\", \"x\": 10, \"ground\": 11.5, \"groups\": ["
        "{\"top\": 11.5, \"bottom\": 11.2, \"N\": 3, \"nd\": 1}, "
        "{\"top\": 11.2, \"bottom\": 11.1, \"N\": 20, \"nd\": 20}], "
        "\"layers\": [{\"top\": 11.5, \"bottom\": 11.1, \"name\": \"砂\"}], "
        "\"thresholdDepth\": 0.3, \"thresholdElevation\": 11.2}, "
        // Never reaches T.
        "{\"file\": \"" + c + "\", \"name\": \"S-3\", \"x\": 20, \"ground\": 8.25, \"groups\": ["
        "{\"top\": 8.25, \"bottom\": 7.75, \"N\": 1, \"nd\": 2}, "
        "{\"top\": 7.75, \"bottom\": 7.25, \"N\": 2, \"nd\": 4}], "
        "\"layers\": [], \"thresholdDepth\": null, \"thresholdElevation\": null}]}\n";
    EXPECT_EQ(r.out, expected);
    // b is on AP, the others on TP: said on stderr, and the section is still made.
    EXPECT_EQ(r.err, "vosk-sheet: warning: 地盤高の基準 (見出し 12) が地点によって異なります: a.vkr TP, b.vkr AP, "
                     "c.vkr TP\n");
}

TEST_F(SectionToolTest, OptionsReachTheJson) {
    const std::string a = Fixture("a.vkr"), c = Fixture("c.vkr");
    ToolRun r = Tool({a, c, "--json", "--at", "5,12.5", "--threshold", "3", "--by-depth"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.starts_with("{\"datum\": \"TP\", \"threshold\": 3, \"byDepth\": true, \"points\": [")) << r.out;
    EXPECT_NE(r.out.find("\"x\": 5, \"ground\": 0, \"groups\": [{\"top\": 0, \"bottom\": -0.2,"), std::string::npos);
    EXPECT_NE(r.out.find("\"x\": 12.5, \"ground\": 0,"), std::string::npos);
    // With T = 3 both reach it: a in its third group, c in its second.
    EXPECT_NE(r.out.find("\"thresholdDepth\": 0.4, \"thresholdElevation\": -0.4}"), std::string::npos);
    EXPECT_NE(r.out.find("\"thresholdDepth\": 0.5, \"thresholdElevation\": -0.5}"), std::string::npos);
    EXPECT_EQ(r.err, "");  // no datum warning by depth
}

TEST_F(SectionToolTest, RefusalsExitWith2AndWriteNothing) {
    const std::string a = Fixture("a.vkr"), b = Fixture("b.vkr");
    const std::string out = (dir_ / "out.pdf").string();
    auto refused = [&](const std::vector<std::string>& args, const std::string& message) {
        ToolRun r = Tool(args);
        EXPECT_EQ(r.status, 2) << r.err;
        EXPECT_EQ(r.err, "vosk-sheet: " + message + "\n");
        EXPECT_EQ(r.out, "");
        EXPECT_FALSE(fs::exists(out));
    };
    const std::string notSheet = Write("x.vkr", "hello\r\n");
    refused({a, notSheet, "-o", out}, notSheet + ": " + std::string(MessageText(32792)));
    const std::string missing = (dir_ / "missing.vkr").string();
    refused({missing, "-o", out}, missing + ": " + FormatMessageText(32795, missing));
    const std::string flat = Sheet("flat.vkr", "");
    refused({a, flat, "-o", out}, flat + ": 地盤高 (見出し 13) がありません");
    refused({a, b, "--at", "0", "-o", out}, "位置の数 (1) がファイルの数 (2) と違います");
    refused({a, b, "--at", "5,5", "-o", out}, "位置は左から順に大きくしてください (5, 5)");
    refused({a, b, "--at", "5,-1", "--json"}, "位置は左から順に大きくしてください (5, -1)");
    std::vector<std::string> many(31, a);
    many.insert(many.end(), {"-o", out});
    refused(many, "地点は 30 までです (31 地点)");

    // Without elevation the point is drawn by depth.
    ToolRun byDepth = Tool({a, flat, "--by-depth", "-o", out});
    EXPECT_EQ(byDepth.status, 0) << byDepth.err;
    EXPECT_TRUE(fs::exists(out));
}

TEST_F(SectionToolTest, DepthsNoScaleHoldsEndTheProfile) {
    std::string sheet = "$$_VSKTARVO100\r\n$$Z\r\n";
    for (int i = 1; i <= 70; ++i) sheet += (i == 13 ? "5" : "") + std::string("\r\n");
    const std::string huge = Write("huge.vkr", sheet + "$$A\r\n1e999,x\r\n$$C\r\n5,10,10,5,\r\n6,1e999,10,5,\r\n");
    ToolRun r = Tool({huge, "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"groups\": [{\"top\": 5, \"bottom\": 4.9, \"N\": 5, \"nd\": 5}], \"layers\": []"),
              std::string::npos) << r.out;
    // Depths a scale can hold, however absurd, are drawn, and quickly.
    const std::string deep = Write("deep.vkr", sheet + "$$A\r\n$$C\r\n5,100000000,10,5,\r\n");
    ToolRun drawn = Tool({deep, huge, "-o", (dir_ / "deep.pdf").string()});
    EXPECT_EQ(drawn.status, 0) << drawn.err;
}

TEST_F(SectionToolTest, UsageMistakes) {
    const std::string a = Fixture("a.vkr");
    EXPECT_EQ(Tool({}).status, 2);
    EXPECT_EQ(Tool({a}).status, 2);                               // neither -o nor --json
    EXPECT_EQ(Tool({a, "--json", "-o", "x.pdf"}).status, 2);      // both
    EXPECT_EQ(Tool({a, "-o", (dir_ / "x.txt").string()}).status, 2);
    EXPECT_EQ(Tool({a, "--json", "--threshold", "0"}).status, 2);
    EXPECT_EQ(Tool({a, "--json", "--threshold", "ten"}).status, 2);
    EXPECT_EQ(Tool({a, "--json", "--at", "1,,2"}).status, 2);
    EXPECT_EQ(Tool({a, "--json", "--at"}).status, 2);
    EXPECT_EQ(Tool({a, "-o", (dir_ / "x.png").string(), "--dpi", "0"}).status, 2);
    EXPECT_FALSE(fs::exists(dir_ / "x.png"));
}

TEST_F(SectionToolTest, WritesALandscapePage) {
    const std::vector<std::string> files = {Fixture("a.vkr"), Fixture("b.vkr"), Fixture("c.vkr")};
    auto run = [&](const std::string& name, std::vector<std::string> extra = {}) {
        std::vector<std::string> args = files;
        args.push_back("-o");
        args.push_back((dir_ / name).string());
        args.insert(args.end(), extra.begin(), extra.end());
        ToolRun r = Tool(args);
        EXPECT_EQ(r.status, 0) << r.err;
        return ReadFileBytes(dir_ / name).value_or("");
    };
    std::string pdf = run("s.pdf");
    EXPECT_TRUE(pdf.starts_with("%PDF"));
    EXPECT_NE(pdf.find("/MediaBox [0 0 842.000000 595.000000]"), std::string::npos) << "A4 landscape";
    std::string png = run("s.png", {"--dpi", "50"});
    ASSERT_GT(png.size(), 24u);
    ASSERT_TRUE(png.starts_with("\x89PNG"));
    auto be32 = [&](size_t at) {
        return (static_cast<unsigned char>(png[at]) << 24) | (static_cast<unsigned char>(png[at + 1]) << 16) |
               (static_cast<unsigned char>(png[at + 2]) << 8) | static_cast<unsigned char>(png[at + 3]);
    };
    EXPECT_EQ(be32(16), 585u);  // 297 mm at 50 dpi
    EXPECT_EQ(be32(20), 413u);  // 210 mm
#ifdef VOSK_SVG_OUTPUT
    std::string svg = run("s.svg");
    EXPECT_NE(svg.find("<svg width=\"297.127mm\" height=\"210.079mm\""), std::string::npos) << svg.substr(0, 400);
#else
    std::vector<std::string> args = files;
    args.insert(args.end(), {"-o", (dir_ / "s.svg").string()});
    EXPECT_EQ(Tool(args).status, 2) << "a build without SVG refuses it";
    EXPECT_FALSE(std::filesystem::exists(dir_ / "s.svg"));
#endif
}

}  // namespace
}  // namespace vosk
