#pragma once
// The system's CP932 converter under the codec of cp932.h: iconv here
// (cp932_iconv.cpp), the Windows API on Windows (cp932_win.cpp). Each
// direction converts as far as it can and stops at the first character that
// does not convert exactly; the rules built on that (what is refused, what
// becomes U+FFFD) live once, in cp932.cpp.

#include <cstddef>
#include <string>
#include <string_view>

namespace vosk::cp932_codec {

// False when the system has no CP932 converter: every conversion fails then.
bool Available();

// Appends to `out` the conversion of `in` up to the first character that
// does not convert (or the end) and returns the number of bytes of `in` left
// from that character on; 0 when everything converted.
size_t Utf8ToCp932(std::string_view in, std::string& out);
size_t Cp932ToUtf8(std::string_view in, std::string& out);

// Length of the UTF-8 character starting at `s[0]` as that byte says (1 for
// a stray byte, no more than `s` holds).
size_t Utf8CharLength(std::string_view s);

}  // namespace vosk::cp932_codec
