#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/message_service.h"
#include "platform/string_table.h"
#include "survey/data_sheet.h"

namespace vosk {
namespace {

const std::string kDtdMarker =
    "\x8a\xc8\x88\xd5\x93\xae\x93\x49\x83\x52\x81\x5b\x83\x93\x8a\xd1\x93\xfc"
    "\x8e\x8e\x8c\xb1\x83\x66\x81\x5b\x83\x5e\x83\x56\x81\x5b\x83\x67\x8f\xee"
    "\x95\xf1\x20\x44\x54\x44";

// A small sheet in the file's form, with CR LF line ends.
std::string SmallSheet() {
    std::string s = "$$_VSKTARVO100\r\n$$Z\r\n";
    for (int i = 1; i <= 70; ++i) s += "h" + std::to_string(i) + "\r\n";
    s += "$$A\r\n1.20,clay,,,,,247,C,,,:\r\n3.50,\"sand,fine\",,,,,247,S,,,:\r\n";
    s += "$$C\r\n5,10,10,5,\r\n8,20,10,8,note\r\n";
    s += "$$c\r\n9.99,1,\r\n";
    return s;
}

std::unique_ptr<SurveyData> Read(const std::string& bytes, int* version = nullptr,
                                 ReadPath path = ReadPath::OpenCommand) {
    auto s = std::make_unique<SurveyData>();
    int v = ReadDataSheet(*s, bytes, path);
    if (version) *version = v;
    return s;
}

TEST(DetectSheetVersion, RecognisesEachFormat) {
    struct Case {
        std::string line;
        int expected;
    } cases[] = {
        {"$$_VSKTARVO100", 100},
        {"xx $$_VSKTARVO100 $$_VSKTARVO", 100},
        {"$$_VSKTARVO", 800},
        {"$$_VSKTARVO1", 800},
        {kDtdMarker + "_version=\"02\"", 200},
        {kDtdMarker + " _version=\"02\"", 199},
        {"<!-- " + kDtdMarker + " -->", 199},
        {"$$Z", 0},
        {"abc", 0},
        {"hello world", 0},
        {std::string(120, ' ') + "$$_VSKTARVO100", 0},  // 128 bytes or longer
        {std::string(113, ' ') + "$$_VSKTARVO100", 100},  // 127 bytes
    };
    for (const Case& c : cases) EXPECT_EQ(DetectSheetVersion(c.line), c.expected) << c.line;
}

TEST(ReadDataSheet, ReadsEverySection) {
    MessageRecorder messages;
    int version = 0;
    auto s = Read(SmallSheet(), &version);
    EXPECT_EQ(version, 100);
    EXPECT_EQ(s->heading[1], "h1");
    EXPECT_EQ(s->heading[70], "h70");
    EXPECT_EQ(CountSoilRows(*s), 2);
    EXPECT_EQ(s->soil[2][2], "sand,fine");
    EXPECT_EQ(s->soil[2][11], ":");
    EXPECT_EQ(CountBlowRows(*s), 2);
    EXPECT_EQ(s->blow[2][5], "note");
    EXPECT_EQ(s->blow[3][1], "");  // the $$c list is never read back
    EXPECT_TRUE(messages.texts.empty());
}

TEST(ReadDataSheet, LineFeedOnlyReadsTheSame) {
    std::string lf = SmallSheet();
    for (size_t p; (p = lf.find("\r\n")) != std::string::npos;) lf.erase(p, 1);
    auto a = Read(SmallSheet());
    auto b = Read(lf);
    EXPECT_EQ(a->heading.field, b->heading.field);
    for (int r = 1; r <= 3; ++r) {
        EXPECT_EQ(a->soil[r].field, b->soil[r].field);
        EXPECT_EQ(a->blow[r].field, b->blow[r].field);
    }
}

TEST(ReadDataSheet, MagicLineIsLookedForInTheFirstSixLines) {
    MessageRecorder messages;
    int version = 0;
    Read("one\r\ntwo\r\n$$_VSKTARVO100\r\n$$Z\r\nfirst\r\n", &version);
    EXPECT_EQ(version, 100);
    EXPECT_TRUE(messages.texts.empty());

    auto s = std::make_unique<SurveyData>();
    s->heading[1] = "kept";
    version = ReadDataSheet(*s, "1\n2\n3\n4\n5\n6\n$$_VSKTARVO100\n$$Z\nx\n", ReadPath::OpenCommand);
    EXPECT_EQ(version, 0);
    EXPECT_EQ(s->heading[1], "kept");  // a refused file leaves the survey alone
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(messages.texts[0], MessageText(32792));
}

TEST(ReadDataSheet, RefusedAndDtdFiles) {
    struct Case {
        std::string bytes;
        int version;
        int message;
    } cases[] = {
        {"", 0, 32792},
        {"$$_VSKTARVO\r\n$$Z\r\nx\r\n", 800, 32792},
        {"\x00\x01\x02garbage", 0, 32792},
        {kDtdMarker + "_version=\"02\"\r\n$$Z\r\nx\r\n", 200, 0},
        {kDtdMarker + "\r\n$$Z\r\nx\r\n", 199, 4015},
    };
    for (const Case& c : cases) {
        MessageRecorder messages;
        auto s = std::make_unique<SurveyData>();
        s->heading[1] = "before";
        EXPECT_EQ(ReadDataSheet(*s, c.bytes, ReadPath::Framework), c.version);
        if (c.message) {
            ASSERT_EQ(messages.texts.size(), 1u);
            EXPECT_EQ(messages.texts[0], MessageText(c.message));
        } else {
            EXPECT_TRUE(messages.texts.empty());
        }
        // Accepted DTD files give an empty survey; refused files keep it.
        EXPECT_EQ(s->heading[1], c.version >= 199 && c.version <= 200 ? "" : "before");
    }
}

TEST(ReadDataSheet, CapacitiesAreKept) {
    std::string bytes = "$$_VSKTARVO100\r\n$$Z\r\n";
    for (int i = 1; i <= 75; ++i) bytes += "h" + std::to_string(i) + "\r\n";
    bytes += "$$A\r\n";
    for (int r = 1; r <= 105; ++r) bytes += std::to_string(r) + ".00,name" + std::to_string(r) + "\r\n";
    auto s = Read(bytes);
    EXPECT_EQ(s->heading[70], "h70");
    EXPECT_EQ(CountSoilRows(*s), 100);
    EXPECT_EQ(s->soil[100][2], "name100");
}

TEST(ReadDataSheet, OnlyTheMagicLineGivesAnEmptySurvey) {
    int version = 0;
    auto s = Read("$$_VSKTARVO100", &version);
    EXPECT_EQ(version, 100);
    EXPECT_EQ(CountSoilRows(*s), 0);
    EXPECT_EQ(CountBlowRows(*s), 0);
    EXPECT_EQ(s->heading[1], "");
}

TEST(ReadDataSheet, EmptyTableLineEndsTheTable) {
    auto s = Read("$$_VSKTARVO100\r\n$$C\r\n1,10,10,10,\r\n\r\n2,20,10,20,\r\n");
    EXPECT_EQ(CountBlowRows(*s), 1);
    EXPECT_EQ(s->blow[3][2], "20");  // still read, no longer counted
}

TEST(ReadDataSheet, LongLinesStayWhole) {
    // A long heading field must not spill into the next field.
    std::string longText(1000, 'x');
    auto s = Read("$$_VSKTARVO100\r\n$$Z\r\n" + longText + "\r\nsecond\r\n");
    EXPECT_EQ(s->heading[1], longText);
    EXPECT_EQ(s->heading[2], "second");
}

TEST(ReadDataSheet, OverlongTableLineIsReportedOnce) {
    MessageRecorder messages;
    auto s = Read("$$_VSKTARVO100\r\n$$A\r\n1.00," + std::string(3000, 'y') + "\r\n");
    EXPECT_EQ(messages.texts, std::vector<std::string>{"too many csv"});
    EXPECT_EQ(s->soil[1][2].size(), 2600u - 5u);
}

TEST(ReadDataSheet, MarkerLinesOfTwoBytesChangeNothing) {
    auto s = Read("$$_VSKTARVO100\r\n$$Z\r\na\r\n$$\r\nb\r\n");
    EXPECT_EQ(s->heading[1], "a");
    EXPECT_EQ(s->heading[2], "b");
}

TEST(ReadDataSheet, ReadPathsDifferOnlyInLinesBeforeTheVersionLine) {
    // The Open command passes every line; the framework starts at the line
    // that gave the version.
    std::string bytes = "$$Z\r\na\r\nb\r\n$$_VSKTARVO100\r\n$$Z\r\nreal\r\n";
    auto open = Read(bytes, nullptr, ReadPath::OpenCommand);
    auto framework = Read(bytes, nullptr, ReadPath::Framework);
    EXPECT_EQ(open->heading[1], "real");
    EXPECT_EQ(open->heading[2], "b");
    EXPECT_EQ(framework->heading[1], "real");
    EXPECT_EQ(framework->heading[2], "");
}

}  // namespace
}  // namespace vosk
