#include "platform/cp932.h"

#include <cerrno>
#include <iconv.h>

namespace vosk {
namespace {

// One iconv descriptor per direction, reset before each use; the program has
// a single thread.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as possible; returns the number of input bytes left
    // unconverted at the first failure (0 when everything converted).
    size_t Run(std::string_view in, std::string& out) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* inPtr = const_cast<char*>(in.data());
        size_t inLeft = in.size();
        char buffer[1024];
        while (inLeft > 0) {
            char* outPtr = buffer;
            size_t outLeft = sizeof buffer;
            size_t r = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<size_t>(outPtr - buffer));
            if (r == static_cast<size_t>(-1) && errno != E2BIG) break;
        }
        // Flush any shift state (none for these encodings, but cheap).
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        iconv(cd_, nullptr, nullptr, &outPtr, &outLeft);
        out.append(buffer, static_cast<size_t>(outPtr - buffer));
        return inLeft;
    }

private:
    iconv_t cd_;
};

Converter& ToCp932() {
    static Converter c("CP932", "UTF-8");
    return c;
}

Converter& FromCp932() {
    static Converter c("UTF-8", "CP932");
    return c;
}

// Length of the UTF-8 character starting at `s[0]` (1 for a stray byte).
size_t Utf8CharLength(std::string_view s) {
    unsigned char c = static_cast<unsigned char>(s[0]);
    size_t n = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    return n <= s.size() ? n : s.size();
}

}  // namespace

std::optional<std::string> Utf8ToCp932(std::string_view utf8, std::string* badChar) {
    std::string out;
    Converter& c = ToCp932();
    if (!c.ok()) return std::nullopt;
    size_t left = c.Run(utf8, out);
    if (left == 0) return out;
    if (badChar) {
        std::string_view rest = utf8.substr(utf8.size() - left);
        *badChar = std::string(rest.substr(0, Utf8CharLength(rest)));
    }
    return std::nullopt;
}

std::string Cp932ToUtf8(std::string_view cp932) {
    std::string out;
    Converter& c = FromCp932();
    if (!c.ok()) return out;
    while (!cp932.empty()) {
        size_t left = c.Run(cp932, out);
        if (left == 0) break;
        out += "\xEF\xBF\xBD";  // U+FFFD for the byte that did not decode
        cp932 = cp932.substr(cp932.size() - left + 1);
    }
    return out;
}

std::string Cp932Literal(std::string_view utf8) { return Utf8ToCp932(utf8).value_or(std::string()); }

bool IsValidCp932(std::string_view cp932) {
    std::string out;
    Converter& c = FromCp932();
    return c.ok() && c.Run(cp932, out) == 0;
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
