#pragma once
// Text tables as spreadsheet programs write them: CSV files and the rows a
// spreadsheet or a text editor puts on the clipboard. The encoding of a
// file, the fields of one line between commas or tabs, and the quoting of a
// field for writing. Messages are UTF-8.

#include <string>
#include <string_view>
#include <vector>

namespace vosk {

// True when `bytes` is UTF-8 as a spreadsheet writes it: no overlong forms,
// no surrogates.
bool IsValidUtf8(std::string_view bytes);

// The text of a CSV file as UTF-8: UTF-8 when it is valid UTF-8 (a BOM is
// dropped), else CP932 as Japanese spreadsheet programs save it. False when
// it is neither, or a BOM is followed by bytes that are not UTF-8.
bool DecodeCsvText(std::string_view bytes, std::string& utf8);

// The separator of a pasted or read table: a tab when the text holds one
// (a spreadsheet's copy), else a comma.
char TableSeparator(std::string_view text);

// `text` without the line end of its last line, if it has one.
std::string_view WithoutLastLineEnd(std::string_view text);
// True when `text` holds more than one line; a line end after the last
// line does not count.
bool IsSeveralLines(std::string_view text);

// The fields of one line without its line end, between `separator`s. A
// field that starts with a double quote runs to the closing quote and may
// hold the separator; "" inside it is one quote. A quoted field cannot span
// lines. False with the reason in `problem` when the line cannot be split.
bool SplitTableLine(std::string_view line, char separator, std::vector<std::string>& fields, std::string& problem);

// `text` as one field of a line: in double quotes, a quote doubled, when it
// holds the separator, a quote or a line break; else as it stands.
std::string QuoteTableField(std::string_view text, char separator);

}  // namespace vosk
