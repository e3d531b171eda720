#include "settings/master_list.h"

#include "platform/file_io.h"
#include "settings/settings_store.h"
#include "survey/text_lines.h"

namespace vosk {

std::vector<FieldText> ReadMasterList(std::string_view windowsPath, size_t pieceBytes, size_t maxEntries,
                                      bool* found) {
    std::vector<FieldText> entries;
    auto bytes = ReadFileBytes(RealPath(windowsPath));
    if (found) *found = bytes.has_value();
    if (!bytes) return entries;
    ForEachPiece(*bytes, pieceBytes, [&](std::string_view piece) {
        if (entries.size() >= maxEntries) return false;
        entries.emplace_back(StripLineEnd(piece));
        return true;
    });
    return entries;
}

}  // namespace vosk
