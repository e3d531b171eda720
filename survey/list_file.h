#pragma once
// Short text lists kept one entry per line, such as the remarks of K.mst
// that the blow-count dialog offers.

#include <string_view>
#include <vector>

#include "survey/field_text.h"

namespace vosk {

// The entries of a list file's bytes, in file order, empty lines included.
// Each line loses the line end it has (CR LF, LF, or none on the last line)
// and nothing else. A line longer than `pieceBytes` yields several entries
// of at most `pieceBytes` bytes each, as the lists have always been read; a
// cut never falls inside a double-byte CP932 character. At most `maxEntries`.
std::vector<FieldText> SplitListEntries(std::string_view bytes, size_t pieceBytes, size_t maxEntries);

}  // namespace vosk
