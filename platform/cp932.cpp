#include "platform/cp932.h"

#include "platform/cp932_codec.h"

namespace vosk {

size_t cp932_codec::Utf8CharLength(std::string_view s) {
    unsigned char c = static_cast<unsigned char>(s[0]);
    size_t n = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    return n <= s.size() ? n : s.size();
}

std::optional<std::string> Utf8ToCp932(std::string_view utf8, std::string* badChar) {
    std::string out;
    if (!cp932_codec::Available()) return std::nullopt;
    size_t left = cp932_codec::Utf8ToCp932(utf8, out);
    if (left == 0) return out;
    if (badChar) {
        std::string_view rest = utf8.substr(utf8.size() - left);
        *badChar = std::string(rest.substr(0, cp932_codec::Utf8CharLength(rest)));
    }
    return std::nullopt;
}

std::string Cp932ToUtf8(std::string_view cp932) {
    std::string out;
    if (!cp932_codec::Available()) return out;
    while (!cp932.empty()) {
        size_t left = cp932_codec::Cp932ToUtf8(cp932, out);
        if (left == 0) break;
        out += "\xEF\xBF\xBD";  // U+FFFD for the byte that did not decode
        cp932 = cp932.substr(cp932.size() - left + 1);
    }
    return out;
}

std::string Cp932Literal(std::string_view utf8) { return Utf8ToCp932(utf8).value_or(std::string()); }

bool IsValidCp932(std::string_view cp932) {
    std::string out;
    return cp932_codec::Available() && cp932_codec::Cp932ToUtf8(cp932, out) == 0;
}

}  // namespace vosk

namespace vosk {

size_t FindCp932(std::string_view text, std::string_view part) {
    for (size_t i = 0; i < text.size();) {
        if (text.substr(i).starts_with(part)) return i;
        i += Cp932CharLength(text, i);
    }
    return part.empty() ? 0 : std::string_view::npos;
}

size_t Cp932FitLength(std::string_view text, size_t maxBytes) {
    size_t i = 0;
    while (i < text.size()) {
        size_t len = Cp932CharLength(text, i);
        if (i + len > maxBytes) break;
        i += len;
    }
    return i;
}

std::string TruncateCp932(std::string_view text, size_t maxBytes) {
    if (text.size() <= maxBytes) return std::string(text);
    size_t i = Cp932FitLength(text, maxBytes);
    std::string out(text.substr(0, i));
    if (i < maxBytes) out += ' ';
    return out;
}

bool EndsWithCp932(std::string_view text, std::string_view part) {
    if (part.size() > text.size()) return false;
    // The match must start on a character boundary of `text`.
    size_t start = text.size() - part.size();
    size_t i = 0;
    while (i < start) i += Cp932CharLength(text, i);
    return i == start && text.substr(start) == part;
}

}  // namespace vosk
