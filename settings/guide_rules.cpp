#include "settings/guide_rules.h"

#include <limits>

#include "survey/list_file.h"

namespace vosk {
namespace {

constexpr size_t kGuidePieceBytes = 159;

}  // namespace

FieldText GuideFilePath(const SettingsStore& store) { return InstallFilePath(store, "Help.txt"); }

std::vector<FieldText> GuideLines(std::string_view bytes) {
    return SplitListEntries(bytes, kGuidePieceBytes, std::numeric_limits<size_t>::max());
}

}  // namespace vosk
