// vosk-sheet run as a process on fixture files.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/cp932.h"
#include "platform/file_io.h"
#include "platform/string_table.h"

namespace vosk {
namespace {

namespace fs = std::filesystem;

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

std::string Quote(const std::string& arg) {
    std::string q = "'";
    for (char c : arg) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

class ToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("vosk-tool-" + std::to_string(getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
        // The settings the tool loads live under the test's own drives.
        setenv("VOSK_DRIVES", (dir_ / "drives").c_str(), 1);
    }
    void TearDown() override { fs::remove_all(dir_); }

    ToolRun Tool(const std::vector<std::string>& args) {
        std::string cmd = Quote(VOSK_SHEET_TOOL);
        for (const auto& a : args) cmd += " " + Quote(a);
        cmd += " 2>" + Quote((dir_ / "stderr").string());
        ToolRun r{};
        FILE* p = popen(cmd.c_str(), "r");
        std::array<char, 4096> buffer;
        size_t n;
        while ((n = fread(buffer.data(), 1, buffer.size(), p)) > 0) r.out.append(buffer.data(), n);
        int status = pclose(p);
        r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        r.err = ReadFileBytes(dir_ / "stderr").value_or("");
        return r;
    }

    std::string Write(const std::string& name, const std::string& bytes) {
        fs::path p = dir_ / name;
        std::ofstream(p, std::ios::binary) << bytes;
        return p.string();
    }

    fs::path dir_;
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
    EXPECT_EQ(dtd199.err, std::string(MessageText(4015)) + "\n");
    EXPECT_TRUE(dtd199.out.starts_with("{\"version\": 199,"));

    EXPECT_EQ(Tool({}).status, 2);
    EXPECT_EQ(Tool({"dump"}).status, 2);
    EXPECT_EQ(Tool({"frobnicate", "x"}).status, 2);
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

}  // namespace
}  // namespace vosk
