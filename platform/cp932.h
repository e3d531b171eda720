#pragma once
// Conversion between the CP932 bytes that every survey field holds and UTF-8,
// the form Qt, file names and the tool's JSON use.

#include <optional>
#include <string>
#include <string_view>

namespace vosk {

// UTF-8 to CP932. Text that CP932 cannot hold (or invalid UTF-8) gives
// nullopt; nothing is ever replaced silently. `badChar` receives the first
// character that could not be converted, as UTF-8, when given.
std::optional<std::string> Utf8ToCp932(std::string_view utf8, std::string* badChar = nullptr);

// CP932 to UTF-8. A byte sequence that does not decode becomes U+FFFD and
// decoding goes on with the next byte, so any bytes can be shown.
std::string Cp932ToUtf8(std::string_view cp932);

// The CP932 bytes of a fixed label written in the source as UTF-8 (labels
// are chosen to be CP932; anything else gives the empty text).
std::string Cp932Literal(std::string_view utf8);

// True when `cp932` decodes completely.
bool IsValidCp932(std::string_view cp932);

// True when byte `c` starts a double-byte CP932 character.
constexpr bool IsCp932LeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

}  // namespace vosk

namespace vosk {

// Length in bytes of the character that starts at text[i]: 2 for a lead
// byte with its trail byte, else 1 (a lead byte at the very end stands alone).
inline size_t Cp932CharLength(std::string_view text, size_t i) {
    return IsCp932LeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
}

// The longest start of `text` of at most `maxBytes` bytes that ends on a
// character boundary.
size_t Cp932FitLength(std::string_view text, size_t maxBytes);

// Position of `part` in `text`, matched only at CP932 character boundaries
// (a trail byte such as '[' or '\' never starts a match); npos when absent.
size_t FindCp932(std::string_view text, std::string_view part);

// At most `maxBytes` bytes of `text`; a double-byte character cut in half at
// the end becomes a blank.
std::string TruncateCp932(std::string_view text, size_t maxBytes);

// True when `text` ends with the whole character sequence `part`.
bool EndsWithCp932(std::string_view text, std::string_view part);

}  // namespace vosk
