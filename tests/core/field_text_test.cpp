#include "survey/field_text.h"

#include <clocale>
#include <cmath>
#include <gtest/gtest.h>

#include "platform/message_service.h"
#include "survey/numbers.h"

namespace vosk {
namespace {

TEST(IsNumericText, JudgesByFirstNonBlankCharacter) {
    struct Case {
        const char* text;
        int expected;
    } cases[] = {
        {"", -1},      {"   ", -1}, {" \t\r\n", -1}, {" 1.5", 1}, {"  12", 1}, {"-", 1},
        {"+", 1},      {".", 1},    {"12abc", 1},    {"abc", 0},  {"a12", 0},  {"\x94\x53", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(IsNumericText(c.text), c.expected) << '"' << c.text << '"';
}

TEST(GetCsvField, QuotedFieldKeepsItsComma) {
    MessageRecorder messages;
    const std::string line = "a,\"b,c\",d";
    FieldText f;
    EXPECT_EQ(GetCsvField(f, line, 1), 1);
    EXPECT_EQ(f, "a");
    EXPECT_EQ(GetCsvField(f, line, 2), 1);
    EXPECT_EQ(f, "b,c");
    EXPECT_EQ(GetCsvField(f, line, 3), 1);
    EXPECT_EQ(f, "d");
    f = "stale";
    EXPECT_EQ(GetCsvField(f, line, 4), 0);
    EXPECT_EQ(f, "");
    EXPECT_TRUE(messages.texts.empty());
}

TEST(GetCsvField, EdgesOfTheLine) {
    FieldText f;
    EXPECT_EQ(GetCsvField(f, ",x", 1), 1);
    EXPECT_EQ(f, "");
    EXPECT_EQ(GetCsvField(f, ",x", 2), 1);
    EXPECT_EQ(f, "x");
    EXPECT_EQ(GetCsvField(f, "", 1), -1);
    // A final comma adds no field; a line feed ends the line.
    EXPECT_EQ(GetCsvField(f, "a,b,", 3), 0);
    EXPECT_EQ(GetCsvField(f, "a\nb,c", 2), 0);
    // Two quotes in a row just toggle twice.
    EXPECT_EQ(GetCsvField(f, "x\"\"y,z", 1), 1);
    EXPECT_EQ(f, "xy");
}

TEST(GetCsvField, OverlongLineIsReportedAndCut) {
    MessageRecorder messages;
    std::string line(2598, 'a');
    line += ",bcd";
    FieldText f;
    EXPECT_EQ(GetCsvField(f, line, 2), 1);
    EXPECT_EQ(f, "b");  // cut after 2600 characters
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(messages.texts[0], "too many csv");
}

TEST(SplitCsvLine, FillsMissingFieldsWithEmptyText) {
    FieldText fields[4] = {"x", "x", "x", "x"};
    EXPECT_EQ(SplitCsvLine("1,\"2,5\"", fields, 4), 2);
    EXPECT_EQ(fields[0], "1");
    EXPECT_EQ(fields[1], "2,5");
    EXPECT_EQ(fields[2], "");
    EXPECT_EQ(fields[3], "");
}

TEST(SignOf, GivesTheSign) {
    EXPECT_EQ(SignOf(-7), -1);
    EXPECT_EQ(SignOf(0), 0);
    EXPECT_EQ(SignOf(9), 1);
}

TEST(Numbers, ParseAsTheCConversionsDo) {
    EXPECT_EQ(ParseInteger("  42abc"), 42);
    EXPECT_EQ(ParseInteger("abc"), 0);
    EXPECT_EQ(ParseInteger("+"), 0);
    EXPECT_EQ(ParseInteger("0020"), 20);
    EXPECT_EQ(ParseInteger("99999999999"), 2147483647);
    EXPECT_EQ(ParseIntegerAnyBase("0x0000ff"), 255);
    EXPECT_EQ(ParseIntegerAnyBase("010"), 8);
    EXPECT_DOUBLE_EQ(ParseDecimal(" 1.50m"), 1.5);
    EXPECT_DOUBLE_EQ(ParseDecimal("-.25"), -0.25);
    EXPECT_DOUBLE_EQ(ParseDecimal("x1"), 0.0);
    // What strtod reads besides plain decimals, the same on every system.
    EXPECT_DOUBLE_EQ(ParseDecimal("+2.5e1x"), 25.0);
    EXPECT_DOUBLE_EQ(ParseDecimal("0x1p3"), 8.0);
    EXPECT_DOUBLE_EQ(ParseDecimal("0x"), 0.0);
    EXPECT_DOUBLE_EQ(ParseDecimal("--5"), 0.0);
    EXPECT_DOUBLE_EQ(ParseDecimal("+-5"), 0.0);
    EXPECT_EQ(ParseDecimal("\tinfinity"), HUGE_VAL);
    EXPECT_EQ(ParseDecimal("-1e400"), -HUGE_VAL);
    EXPECT_EQ(ParseDecimal("1e-400"), 0.0);
    EXPECT_TRUE(std::isnan(ParseDecimal("-nan")));
    EXPECT_TRUE(std::signbit(ParseDecimal("-nan")));
    EXPECT_TRUE(std::signbit(ParseDecimal("-0")));
    EXPECT_FALSE(std::signbit(ParseDecimal("-x")));
}

TEST(Numbers, FormatAsPrintfDoes) {
    EXPECT_EQ(FormatFixed(1.5, 2), "1.50");
    EXPECT_EQ(FormatFixed(0.125, 2), "0.12");  // exact binary value rounds to even
    EXPECT_EQ(FormatFixed(-0.001, 2), "-0.00");
    EXPECT_EQ(FormatG(50.0 / 3.0), "16.6667");
    EXPECT_EQ(FormatG(10.0), "10");
    EXPECT_EQ(FormatG(0.00001), "1e-05");
    EXPECT_EQ(FormatG(1234567.0), "1.23457e+06");
    EXPECT_EQ(FormatInteger(-12), "-12");
}

TEST(Numbers, IgnoreTheDesktopLocale) {
    const char* old = std::setlocale(LC_ALL, nullptr);
    std::string saved = old ? old : "C";
#ifdef _WIN32
    const char* german = "German_Germany.1252";
#else
    const char* german = "de_DE.UTF-8";
#endif
    if (!std::setlocale(LC_ALL, german)) GTEST_SKIP() << german << " locale not available";
    EXPECT_DOUBLE_EQ(ParseDecimal("1.50"), 1.5);
    EXPECT_EQ(FormatFixed(1.5, 2), "1.50");
    EXPECT_EQ(FormatG(2.25), "2.25");
    std::setlocale(LC_ALL, saved.c_str());
}

}  // namespace
}  // namespace vosk
