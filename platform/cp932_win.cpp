#include "platform/cp932_codec.h"

#ifdef _WIN32

#include <optional>
#include <windows.h>

#include "platform/cp932.h"

namespace vosk::cp932_codec {
namespace {

constexpr UINT kCodePage932 = 932;

// UTF-16 of `bytes` in code page `codePage`; nullopt when any byte sequence
// does not decode.
std::optional<std::wstring> Widen(UINT codePage, std::string_view bytes) {
    if (bytes.empty()) return std::wstring();
    const int size = static_cast<int>(bytes.size());
    int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (n <= 0) return std::nullopt;
    std::wstring wide(static_cast<size_t>(n), L'\0');
    if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, wide.data(), n) != n)
        return std::nullopt;
    return wide;
}

// The bytes of `wide` in code page `codePage`; nullopt when a character has
// no exact equivalent there (no best fit, no default character).
std::optional<std::string> Narrow(UINT codePage, std::wstring_view wide) {
    if (wide.empty()) return std::string();
    const bool utf8 = codePage == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* used = utf8 ? nullptr : &usedDefault;  // UTF-8 takes no default character
    const int size = static_cast<int>(wide.size());
    int n = WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, used);
    if (n <= 0 || usedDefault) return std::nullopt;
    std::string bytes(static_cast<size_t>(n), '\0');
    if (WideCharToMultiByte(codePage, flags, wide.data(), size, bytes.data(), n, nullptr, used) != n || usedDefault)
        return std::nullopt;
    return bytes;
}

// The code page of Windows has single bytes that CP932 leaves undefined
// (0x80 for U+0080, 0xA0 and 0xFD to 0xFF for private-use characters): the
// codec takes none of them, as iconv does not.
bool HasUndefinedSingleByte(std::string_view cp932) {
    for (size_t i = 0; i < cp932.size(); i += Cp932CharLength(cp932, i)) {
        const unsigned char c = static_cast<unsigned char>(cp932[i]);
        if (c == 0x80 || c == 0xA0 || c >= 0xFD) return true;
    }
    return false;
}

// The JIS forms of the characters that CP932 holds in their fullwidth (or
// ASCII) forms, as iconv's CP932 takes them.
wchar_t Cp932Form(wchar_t c) {
    switch (c) {
    case 0x301C: return 0xFF5E;  // WAVE DASH as FULLWIDTH TILDE
    case 0x2212: return 0xFF0D;  // MINUS SIGN as FULLWIDTH HYPHEN-MINUS
    case 0x2014: return 0x2015;  // EM DASH as HORIZONTAL BAR
    case 0x2016: return 0x2225;  // DOUBLE VERTICAL LINE as PARALLEL TO
    case 0x00A2: return 0xFFE0;  // CENT SIGN
    case 0x00A3: return 0xFFE1;  // POUND SIGN
    case 0x00AC: return 0xFFE2;  // NOT SIGN
    case 0x00A5: return 0x005C;  // YEN SIGN as the byte 0x5C
    case 0x203E: return 0x007E;  // OVERLINE as the byte 0x7E
    default: return c;
    }
}

// U+E0000 to U+E007F, the invisible language tags, as UTF-16.
bool IsTagCharacter(std::wstring_view wide, size_t i) {
    return wide[i] == 0xDB40 && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDC7F;
}

std::optional<std::string> Encode(std::string_view utf8) {
    auto wide = Widen(CP_UTF8, utf8);
    if (!wide) return std::nullopt;
    std::wstring taken;  // iconv leaves the language tags out rather than refusing them
    for (size_t i = 0; i < wide->size(); ++i) {
        if (IsTagCharacter(*wide, i))
            ++i;
        else
            taken += Cp932Form((*wide)[i]);
    }
    auto bytes = Narrow(kCodePage932, taken);
    if (!bytes || HasUndefinedSingleByte(*bytes)) return std::nullopt;
    return bytes;
}

std::optional<std::string> Decode(std::string_view cp932) {
    if (HasUndefinedSingleByte(cp932)) return std::nullopt;
    auto wide = Widen(kCodePage932, cp932);
    return wide ? Narrow(CP_UTF8, *wide) : std::nullopt;
}

size_t Cp932Length(std::string_view s) { return Cp932CharLength(s, 0); }

// The whole text at once; when that fails, character by character up to the
// first that does not convert, as iconv stops there.
template <typename Convert, typename Length>
size_t Run(std::string_view in, std::string& out, Convert convert, Length length) {
    if (auto whole = convert(in)) {
        out += *whole;
        return 0;
    }
    for (size_t i = 0; i < in.size();) {
        std::string_view one = in.substr(i, length(in.substr(i)));
        auto converted = convert(one);
        if (!converted) return in.size() - i;
        out += *converted;
        i += one.size();
    }
    return 0;
}

}  // namespace

bool Available() {
    static const bool available = IsValidCodePage(kCodePage932) != 0;
    return available;
}

size_t Utf8ToCp932(std::string_view in, std::string& out) { return Run(in, out, Encode, Utf8CharLength); }

size_t Cp932ToUtf8(std::string_view in, std::string& out) { return Run(in, out, Decode, Cp932Length); }

}  // namespace vosk::cp932_codec

#endif  // _WIN32
