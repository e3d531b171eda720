#pragma once
// Message texts by their string-table number.

#include <string>
#include <string_view>

namespace vosk {

// The messages of the data dialogs' rules, by number.
namespace message {
inline constexpr int kDiscardChanges = 132;    // "データが変更されましたが、キャンセルしてよいのですか？"
inline constexpr int kMaxLines = 902;          // "最大行数です. 追加できません."
inline constexpr int kNoData = 903;            // "データが無い、または不正です."
inline constexpr int kCannotOverwrite = 904;   // "上書きできません."
inline constexpr int kLineOutOfRange = 905;    // "上書きできません. 指定行が範囲外です."
inline constexpr int kNoSuchDepth = 907;       // "上書きできません、同じ %1 がありません."
inline constexpr int kSameDepth = 908;         // "同じ %1データがあります.\n修正なら上書きしてください."
inline constexpr int kBadNumber = 4006;        // "数値が異常です"
}  // namespace message

// The text of string `id` (UTF-8); empty for an unknown number.
std::string_view MessageText(int id);

// The text of string `id` with `arg` in place of %1 (the blanks around %1 stay).
std::string FormatMessageText(int id, std::string_view arg = {});

}  // namespace vosk
