#include "platform/c_locale.h"

#include <cstdlib>
#include <locale.h>

#ifdef _WIN32
#include <charconv>
#include <cstring>
#include <system_error>
#endif

namespace vosk {
namespace {

#ifdef _WIN32
_locale_t CLocale() {
    static _locale_t c = _create_locale(LC_ALL, "C");
    return c;
}
#else
locale_t CLocale() {
    static locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}
#endif

}  // namespace

long long CLocaleStrtoll(const char* text, int base) {
#ifdef _WIN32
    return _strtoi64_l(text, nullptr, base, CLocale());
#else
    return strtoll_l(text, nullptr, base, CLocale());
#endif
}

double CLocaleStrtod(const char* text) {
#ifdef _WIN32
    // The C library of MinGW reads no "inf", "nan" or hexadecimal: what
    // strtod reads elsewhere is read with from_chars, which knows no locale.
    const char* p = text;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
    const bool negative = *p == '-';
    if (*p == '+' || *p == '-') ++p;
    std::chars_format format = std::chars_format::general;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        p += 2;
        format = std::chars_format::hex;
    }
    if (*p == '-') return 0.0;  // from_chars would take a second sign
    double value = 0.0;
    const auto [end, error] = std::from_chars(p, p + std::strlen(p), value, format);
    (void)end;
    // Too large or too small: the C library's HUGE_VAL or 0 with its sign.
    if (error == std::errc::result_out_of_range) return _strtod_l(text, nullptr, CLocale());
    if (error != std::errc()) return format == std::chars_format::hex && negative ? -0.0 : 0.0;  // "0x" reads as 0
    return negative ? -value : value;
#else
    return strtod_l(text, nullptr, CLocale());
#endif
}

}  // namespace vosk
