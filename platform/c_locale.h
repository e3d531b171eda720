#pragma once
// strtoll and strtod as the C locale reads, whatever the desktop's locale
// says about the decimal point.

namespace vosk {

// strtoll(text, nullptr, base) in the C locale.
long long CLocaleStrtoll(const char* text, int base);

// strtod(text, nullptr) in the C locale.
double CLocaleStrtod(const char* text);

}  // namespace vosk
