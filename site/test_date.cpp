#include "site/test_date.h"

#include <string_view>

#include "platform/cp932.h"
#include "survey/numbers.h"

namespace vosk {
namespace {

// Without the blanks, tabs and full-width spaces around it, read character
// by character so that no trail byte is taken for a space.
std::string_view Trimmed(std::string_view text) {
    size_t first = text.size(), last = 0;
    for (size_t i = 0; i < text.size();) {
        const size_t len = Cp932CharLength(text, i);
        const std::string_view c = text.substr(i, len);
        if (c != " " && c != "\t" && c != "\x81\x40") {
            if (first == text.size()) first = i;
            last = i + len;
        }
        i += len;
    }
    return first == text.size() ? std::string_view() : text.substr(first, last - first);
}

bool AllDigits(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

struct Era {
    const char* name;   // UTF-8
    const char* letter; // half-width
    const char* wide;   // full-width, UTF-8
    int base;           // year 1 is base + 1
    int lastYear;       // 0: open
};
constexpr Era kEras[] = {
    {"令和", "R", "Ｒ", 2018, 0},
    {"平成", "H", "Ｈ", 1988, 31},
    {"昭和", "S", "Ｓ", 1925, 64},
};

const Era* FindEra(std::string_view prefix) {
    for (const Era& e : kEras) {
        std::string letter = e.letter;
        std::string lower(1, static_cast<char>(letter[0] - 'A' + 'a'));
        for (const std::string& form : {Cp932Literal(e.name), letter, lower, Cp932Literal(e.wide)})
            if (prefix == form) return &e;
    }
    return nullptr;
}

bool IsLeap(long year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

long DaysIn(long year, long month) {
    static constexpr long kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

std::string TwoDigits(long n) { return (n < 10 ? "0" : "") + std::to_string(n); }

}  // namespace

std::optional<std::string> DeliveryDate(const HeadingFields& heading) {
    const std::string_view prefix = Trimmed(heading[heading::kDatePrefix]);
    const std::string_view yearText = Trimmed(heading[heading::kYear]);
    long year = 0, month = 0, day = 0;
    if (!ParseWholeInteger(Trimmed(heading[heading::kMonth]), month) || !ParseWholeInteger(Trimmed(heading[heading::kDay]), day)) return {};
    if (AllDigits(yearText) && yearText.size() == 4) {
        ParseWholeInteger(yearText, year);
    } else if (AllDigits(prefix) && prefix.size() == 2 && AllDigits(yearText) && yearText.size() == 2) {
        ParseWholeInteger(std::string(prefix) + std::string(yearText), year);
    } else if (const Era* era = FindEra(prefix)) {
        long n = 0;
        if (yearText == Cp932Literal("元")) n = 1;
        else if (!AllDigits(yearText) || yearText.size() > 2) return {};
        else ParseWholeInteger(yearText, n);
        if (n < 1 || (era->lastYear && n > era->lastYear)) return {};
        year = era->base + n;
    } else {
        return {};
    }
    if (year < 1000 || month < 1 || month > 12 || day < 1 || day > DaysIn(year, month)) return {};
    return std::to_string(year) + "-" + TwoDigits(month) + "-" + TwoDigits(day);
}

}  // namespace vosk
