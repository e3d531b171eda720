#pragma once
// Message texts by their string-table number.

#include <string>
#include <string_view>

namespace vosk {

// The messages by their string-table number: every number the program
// shows has its name here.
namespace message {
inline constexpr int kDiscardChanges = 132;        // "データが変更されましたが、キャンセルしてよいのですか？"
inline constexpr int kFooterOffPaper = 133;        // "フッタ表示位置が用紙外の可能性があります \n( %1 mm)"
inline constexpr int kBottomGapTooSmall = 134;     // "特記事項と下線の間隔が不足またはありません."
inline constexpr int kBottomOffPaper = 135;        // "下線、フッタが印刷用紙範囲外の可能性があります."
inline constexpr int kMaxLines = 902;              // "最大行数です. 追加できません."
inline constexpr int kNoData = 903;                // "データが無い、または不正です."
inline constexpr int kCannotOverwrite = 904;       // "上書きできません."
inline constexpr int kLineOutOfRange = 905;        // "上書きできません. 指定行が範囲外です."
inline constexpr int kNoSuchDepth = 907;           // "上書きできません、同じ %1 がありません."
inline constexpr int kSameDepth = 908;             // "同じ %1データがあります.\n修正なら上書きしてください."
inline constexpr int kSaveFailed = 4005;           // "保存できませんでした"
inline constexpr int kBadNumber = 4006;            // "数値が異常です"
inline constexpr int kNoDataGiven = 4007;          // "データがありません"
inline constexpr int kUnsuitableInput = 4010;      // "入力データが不適当です"
inline constexpr int kNotForAlternation = 4011;    // "互層には使用できません"
inline constexpr int kDtdVersionUnsupported = 4015; // "DTDバージョンが未対応です"
inline constexpr int kListFileNotFound = 4018;     // "ファイルが見つかりません\n（%1）"
inline constexpr int kCannotRun = 4032;            // "実行できませんでした"
inline constexpr int kTwoColumnTopMarginSmall = 4033; // "表2段組時のトップマージン値が小さいです."
inline constexpr int kDeviceError = 4090;          // "ハードウェア、デバイスエラー"
// Texts of tables: a CSV file, rows pasted into a grid.
inline constexpr int kTooManyFields = 4101;        // "欄が多すぎます (1 行に %1 欄まで) ..."
inline constexpr int kUnclosedQuote = 4102;        // "二重引用符 ... 閉じていません。"
inline constexpr int kTextAfterQuote = 4103;       // "欄を閉じる二重引用符 ... 文字があります。"
inline constexpr int kNotUtf8OrCp932 = 4104;       // "UTF-8 でも Shift_JIS (CP932) でもない ..."
inline constexpr int kPasteLineRefused = 4105;     // "貼り付けの %1 行目を追加できません。..."
inline constexpr int kCsvLineRefused = 4106;       // "CSV の %1 行目を取り込めません。..."
// OK of a grid dialog whose entry fields hold a line not in the grid.
inline constexpr int kEntryNotAdded = 4107;        // "入力欄に、表に追加していない行があります。..."
inline constexpr int kNotADataSheet = 32792;       // "簡易動的コーン試験「Vosk」のデータではありません"
inline constexpr int kFileNotFound = 32795;        // "ファイルが見つかりません\n( %1 )"
inline constexpr int kWholeNumberNeeded = 61712;   // "整数を入力してください。"
}  // namespace message

// The text of string `id` (UTF-8); empty for an unknown number.
std::string_view MessageText(int id);

// The text of string `id` with `arg` in place of %1 (the blanks around %1 stay).
std::string FormatMessageText(int id, std::string_view arg = {});

}  // namespace vosk
