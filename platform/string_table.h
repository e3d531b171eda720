#pragma once
// Message texts by their string-table number.

#include <string>
#include <string_view>

namespace vosk {

// The text of string `id` (UTF-8); empty for an unknown number.
std::string_view MessageText(int id);

// The text of string `id` with `arg` in place of %1 (the blanks around %1 stay).
std::string FormatMessageText(int id, std::string_view arg = {});

}  // namespace vosk
