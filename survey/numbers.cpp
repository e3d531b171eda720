#include "survey/numbers.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdint>

#include "platform/c_locale.h"

namespace vosk {
namespace {

long Clamp32(long long v) {
    if (v > INT32_MAX) return INT32_MAX;
    if (v < INT32_MIN) return INT32_MIN;
    return static_cast<long>(v);
}

long ParseWithBase(std::string_view text, int base) {
    std::string copy(text);  // strtoll needs the terminating NUL
    return Clamp32(CLocaleStrtoll(copy.c_str(), base));
}

std::string ToChars(double value, std::chars_format format, int precision) {
    char buffer[400];  // "%.2f" of DBL_MAX needs 312
    auto r = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
    return std::string(buffer, r.ptr);
}

}  // namespace

long ParseInteger(std::string_view text) { return ParseWithBase(text, 10); }

long ParseIntegerAnyBase(std::string_view text) { return ParseWithBase(text, 0); }

double ParseDecimal(std::string_view text) {
    std::string copy(text);
    return CLocaleStrtod(copy.c_str());
}

std::string FormatInteger(long value) { return std::to_string(value); }

std::string FormatFixed(double value, int decimals, int width) {
    return PadLeft(ToChars(value, std::chars_format::fixed, decimals), static_cast<size_t>(width < 0 ? 0 : width));
}

std::string PadLeft(std::string_view text, size_t width) {
    std::string out;
    if (text.size() < width) out.assign(width - text.size(), ' ');
    out += text;
    return out;
}

std::string FormatG(double value) {
    // %g with the default precision; to_chars keeps the C rules for the
    // exponent form ("1e-05").
    return ToChars(value, std::chars_format::general, 6);
}

bool ParseWholeInteger(std::string_view text, long& value) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    std::string_view digits = text;
    if (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) digits.remove_prefix(1);
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    value = ParseInteger(text);
    return true;
}

}  // namespace vosk
