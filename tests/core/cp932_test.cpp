#include "platform/cp932.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

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

// FNV-1a over everything a table run saw: equal digests mean equal tables.
class Digest {
public:
    void Add(std::string_view bytes) {
        for (unsigned char c : bytes) value_ = (value_ ^ c) * 0x100000001b3ull;
        value_ = (value_ ^ 0xff) * 0x100000001b3ull;  // a separator no UTF-8 text holds
    }
    std::uint64_t value() const { return value_; }

private:
    std::uint64_t value_ = 0xcbf29ce484222325ull;
};

std::string Utf8Of(char32_t c) {
    std::string s;
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return s;
}

// Every pair of a lead byte and any second byte: what decodes comes back
// from Unicode as a character that decodes the same (the same two bytes but
// for the duplicates the code page has for a few characters). The counts and
// the digest pin the table, so the codec over the Windows API must give what
// the codec over iconv gives.
TEST(Cp932, EveryDoubleByteCharacterRoundTrips) {
    int characters = 0, duplicates = 0;
    Digest digest;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsCp932LeadByte(static_cast<unsigned char>(lead))) continue;
        for (int trail = 0; trail <= 0xFF; ++trail) {
            const std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
            if (!IsValidCp932(bytes)) continue;
            ++characters;
            const std::string text = Cp932ToUtf8(bytes);
            digest.Add(bytes);
            digest.Add(text);
            auto back = Utf8ToCp932(text);
            ASSERT_TRUE(back) << std::hex << lead << " " << trail;
            EXPECT_EQ(Cp932ToUtf8(*back), text) << std::hex << lead << " " << trail;
            EXPECT_EQ(back->size(), 2u) << std::hex << lead << " " << trail;
            if (*back != bytes) ++duplicates;
        }
    }
    EXPECT_EQ(characters, 9604);  // 1880 of them the user-defined area
    EXPECT_EQ(duplicates, 398);   // NEC and IBM rows written twice
    EXPECT_EQ(digest.value(), 3513019040887075525u);
}

// Every single byte, and every Unicode character of the basic plane and a
// few beyond: which are taken and what they become.
TEST(Cp932, SingleBytesAndEveryUnicodeCharacterConvertAsTheTableSays) {
    Digest decoded;
    int validBytes = 0;
    for (int b = 0; b <= 0xFF; ++b) {
        const std::string byte(1, static_cast<char>(b));
        if (IsValidCp932(byte)) ++validBytes;
        decoded.Add(Cp932ToUtf8(byte));
    }
    Digest encoded;
    int taken = 0;
    for (char32_t c = 0; c <= 0x10FFFF; c = c == 0xFFFF ? 0x10000 : c + 1) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        if (c > 0xFFFF && c % 0x1000 != 0) continue;  // beyond the basic plane CP932 has nothing
        std::string bad;
        auto bytes = Utf8ToCp932(Utf8Of(c), &bad);
        if (bytes) {
            ++taken;
            encoded.Add(*bytes);
        } else {
            EXPECT_EQ(bad, Utf8Of(c));
            encoded.Add("-");
        }
    }
    EXPECT_EQ(validBytes, 128 + 63);  // ASCII and the halfwidth katakana
    EXPECT_EQ(decoded.value(), 14323657731485728114u);
    EXPECT_EQ(taken, 9407);
    EXPECT_EQ(encoded.value(), 3806815682348794022u);
}

TEST(Cp932, StopsAtTheFirstCharacterThatDoesNotConvert) {
    std::string bad;
    EXPECT_FALSE(Utf8ToCp932("ab\xe3\x81", &bad));  // a character cut short at the end
    EXPECT_EQ(bad, "\xe3\x81");
    EXPECT_FALSE(Utf8ToCp932("\xed\xa0\x80", &bad));  // a surrogate written as UTF-8
    EXPECT_FALSE(Utf8ToCp932("\xc0\xaf"));            // an overlong form
    // ≠, then a lead byte before a line feed, and one at the very end.
    EXPECT_EQ(Cp932ToUtf8(std::string(test::kNendo) + "\x81\x82" "\x81\x0a" "\x82"), "粘土≠\xEF\xBF\xBD\n\xEF\xBF\xBD");
}

// Text typed or pasted outside Windows often holds the JIS forms of a few
// characters that CP932 stores under their fullwidth forms: they are taken
// as those (and read back in the fullwidth form). A mere look-alike is not.
TEST(Cp932, TakesTheJisFormsOfTheFullwidthCharacters) {
    EXPECT_EQ(Utf8ToCp932("〜−—‖¢£¬"), "\x81\x60\x81\x7c\x81\x5c\x81\x61\x81\x91\x81\x92\x81\xca");
    EXPECT_EQ(Utf8ToCp932("¥‾"), "\x5c\x7e");
    EXPECT_EQ(Cp932ToUtf8("\x81\x60\x81\x7c"), "～－");
    std::string bad;
    EXPECT_FALSE(Utf8ToCp932("∞≒µ", &bad));  // ∞ and ≒ are CP932; µ only looks like μ
    EXPECT_EQ(bad, "µ");
    EXPECT_FALSE(Utf8ToCp932("é"));
}

}  // namespace
}  // namespace vosk
