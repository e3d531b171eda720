#include "settings/master_list.h"

#include "platform/file_io.h"
#include "settings/settings_store.h"
#include "survey/list_file.h"

namespace vosk {

std::vector<FieldText> ReadMasterList(std::string_view windowsPath, size_t pieceBytes, size_t maxEntries,
                                      bool* found) {
    auto bytes = ReadFileBytes(RealPath(windowsPath));
    if (found) *found = bytes.has_value();
    if (!bytes) return {};
    return SplitListEntries(*bytes, pieceBytes, maxEntries);
}

}  // namespace vosk
