#include "platform/cp932.h"

#include <gtest/gtest.h>

#include "test_bytes.h"

namespace vosk {
namespace {

TEST(Cp932, RoundTripsJapaneseText) {
    auto bytes = Utf8ToCp932("株式会社 ①～");
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->substr(0, 8), test::kKabushikiGaisha);
    EXPECT_EQ(Cp932ToUtf8(*bytes), "株式会社 ①～");
}

TEST(Cp932, RefusesWhatCp932CannotHold) {
    std::string bad;
    EXPECT_FALSE(Utf8ToCp932("土質😀名", &bad));
    EXPECT_EQ(bad, "😀");
    EXPECT_FALSE(Utf8ToCp932("한국어"));
    EXPECT_FALSE(Utf8ToCp932("\xff\xfe"));  // not UTF-8 at all
}

TEST(Cp932, UndecodableBytesBecomeReplacementCharacters) {
    // A lone lead byte at the end, and one followed by a byte that cannot trail.
    EXPECT_EQ(Cp932ToUtf8("a\x81"), "a\xEF\xBF\xBD");
    EXPECT_EQ(Cp932ToUtf8("\x81\x0a" "b"), "\xEF\xBF\xBD\nb");
    EXPECT_EQ(Cp932ToUtf8(std::string("x\0y", 3)), std::string("x\0y", 3));
    EXPECT_FALSE(IsValidCp932("a\x81"));
    EXPECT_TRUE(IsValidCp932(test::kNendo));
}

}  // namespace
}  // namespace vosk
