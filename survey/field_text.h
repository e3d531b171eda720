#pragma once
// The text value of every survey field and most settings, and the rules that
// judge and cut such text everywhere in the program.

#include <string>
#include <string_view>

namespace vosk {

// The CP932 bytes of a field, exactly as typed or read from a file.
using FieldText = std::string;

// -1 for empty or blank-only text, 1 when the first non-blank character is
// one of "1234567890.+-", 0 otherwise.
int IsNumericText(std::string_view text);

// Cuts the first comma-separated field of `line` into `field` (double quotes
// toggle quoting and are dropped). Returns the position after the comma that
// ended the field, or 0 when the field ended at a line feed or the end.
size_t NextCsvField(std::string_view line, FieldText& field);

// Longest line the splitter works on; longer lines are cut to this length.
inline constexpr size_t kMaxCsvLineLength = 2600;

// Stores field `n` (from 1) of `line` in `field`: 1 when it exists, 0 when the
// line has fewer fields, -1 for an empty line (field empty in both cases).
// A line longer than kMaxCsvLineLength shows "too many csv" and is cut.
int GetCsvField(FieldText& field, std::string_view line, int n);

// Splits `line` (cut to kMaxCsvLineLength) into its first `count` fields;
// missing fields become empty. Returns how many fields the line has, at most
// `count`.
int SplitCsvLine(std::string_view line, FieldText* fields, int count);

// The same without the message, for callers that report an overlong line
// once themselves.
int GetCsvFieldQuiet(FieldText& field, std::string_view line, int n);

// Shows the "too many csv" message when `line` is longer than the splitter takes.
void ReportOverlongCsvLine(std::string_view line);

int SignOf(long value);

}  // namespace vosk
