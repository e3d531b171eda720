#pragma once
// Numbers held as text: parsed with the C conversions and written with the C
// formats, always with "." as the decimal point whatever the desktop's locale.

#include <string>
#include <string_view>

namespace vosk {

// strtol(text, nullptr, 10) as on the original 32-bit platform: blanks
// skipped, conversion stops at the first character that cannot continue,
// 0 without a number, clamped to the 32-bit range.
long ParseInteger(std::string_view text);

// A whole decimal integer: optional blanks or tabs, an optional sign, digits,
// optional blanks or tabs; nothing else, not empty.
bool ParseWholeInteger(std::string_view text, long& value);

// strtol with base 0: decimal, 0x hexadecimal or leading-0 octal (colours).
long ParseIntegerAnyBase(std::string_view text);

// strtod(text, nullptr) in the C locale: 0.0 without a number.
double ParseDecimal(std::string_view text);

// printf("%d").
std::string FormatInteger(long value);

// printf("%W.Nf") with N = `decimals` and W = `width` (blanks on the left).
std::string FormatFixed(double value, int decimals, int width = 0);

// printf("%Ws"): `text` with blanks on the left up to `width` bytes.
std::string PadLeft(std::string_view text, size_t width);

// printf("%g").
std::string FormatG(double value);

}  // namespace vosk
