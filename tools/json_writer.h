#pragma once
// Just enough JSON output for the tool: strings, numbers, arrays, objects.

#include <string>
#include <string_view>

#include "survey/field_text.h"

namespace vosk {

// `utf8` as a JSON string literal.
std::string JsonString(std::string_view utf8);

// A number with at most 10 significant digits (metres that went through a
// subtraction show as typed: 23.45, not 23.450000000000003), never "-0";
// null when it is not finite.
std::string JsonNumber(double value);

// A CP932 field decoded to a JSON string literal (bytes that do not decode
// become U+FFFD).
std::string JsonField(const FieldText& cp932);

}  // namespace vosk
