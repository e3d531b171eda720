#pragma once
// The master lists M.mst (engineer names) and K.mst (short remarks): one
// entry per line. Every reader removes the line end it finds and keeps the
// rest of the line; a line longer than the reader's piece size yields several
// entries, as the lists have always been read.

#include <string_view>
#include <vector>

#include "survey/field_text.h"

namespace vosk {

// The entries of the list file at `windowsPath` (empty lines included): each
// line without its line end, cut into pieces of at most `pieceBytes` bytes,
// at most `maxEntries` of them. No entries, and `found` false, when the file
// cannot be read.
std::vector<FieldText> ReadMasterList(std::string_view windowsPath, size_t pieceBytes, size_t maxEntries,
                                      bool* found = nullptr);

}  // namespace vosk
