#pragma once
// The rules of the guide dialog ("操作案内") that need no widgets: where the
// guide text is and how it is cut into the entries of the list.

#include <string_view>
#include <vector>

#include "settings/settings_store.h"

namespace vosk {

// The guide dialog's controls by number.
namespace guide_control {
inline constexpr int kList = 1056;
inline constexpr int kOpenAndPrint = 1021;  // "開いて印刷"
}  // namespace guide_control

// The Windows-style path of Help.txt in the install folder.
FieldText GuideFilePath(const SettingsStore& store);
// The entries of the guide list: each line without its line end (a last
// line without one counts whole); a line longer than 159 bytes gives pieces
// of at most 159 bytes, never cutting a double-byte character.
std::vector<FieldText> GuideLines(std::string_view bytes);

}  // namespace vosk
