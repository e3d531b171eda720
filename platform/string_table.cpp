#include "platform/string_table.h"

#include <algorithm>
#include <iterator>

namespace vosk {
namespace {

struct Entry {
    int id;
    std::string_view text;
};

constexpr Entry kStrings[] = {
    {132, "データが変更されましたが、キャンセルしてよいのですか？"},
    {133, "フッタ表示位置が用紙外の可能性があります \n( %1 mm)"},
    {134, "特記事項と下線の間隔が不足またはありません."},
    {135, "下線、フッタが印刷用紙範囲外の可能性があります."},
    {902, "最大行数です. 追加できません."},
    {903, "データが無い、または不正です."},
    {904, "上書きできません."},
    {905, "上書きできません. 指定行が範囲外です."},
    {907, "上書きできません、同じ %1 がありません."},
    {908, "同じ %1データがあります.\n修正なら上書きしてください."},
    {4005, "保存できませんでした"},
    {4006, "数値が異常です"},
    {4007, "データがありません"},
    {4010, "入力データが不適当です"},
    {4011, "互層には使用できません"},
    {4015, "DTDバージョンが未対応です"},
    {4018, "ファイルが見つかりません\n（%1）"},
    {4032, "実行できませんでした"},
    {4033, "表2段組時のトップマージン値が小さいです."},
    {4090, "ハードウェア、デバイスエラー"},
    {4101, "欄が多すぎます (1 行に %1 欄まで)。区切りのカンマやタブを含む記事は二重引用符 (\") で囲んでください。"},
    {4102, "二重引用符 (\") で始まる欄が、その行のうちに閉じていません。"},
    {4103, "欄を閉じる二重引用符 (\") の後に文字があります。"},
    {4104, "UTF-8 でも Shift_JIS (CP932) でもないテキストです。"},
    {4105, "貼り付けの %1 行目を追加できません。貼り付けた行はどれも追加していません。"},
    {4106, "CSV の %1 行目を取り込めません。何も取り込んでいません。"},
    {4107, "入力欄に、表に追加していない行があります。\n追加してから確定しますか？\n(いいえ: 追加せずに確定、キャンセル: 入力に戻る)"},
    {32792, "簡易動的コーン試験「Vosk」のデータではありません"},
    {32795, "ファイルが見つかりません\n( %1 )"},
    {61712, "整数を入力してください。"},
};

}  // namespace

std::string_view MessageText(int id) {
    auto it = std::find_if(std::begin(kStrings), std::end(kStrings),
                           [id](const Entry& e) { return e.id == id; });
    return it == std::end(kStrings) ? std::string_view{} : it->text;
}

std::string FormatMessageText(int id, std::string_view arg) {
    std::string text(MessageText(id));
    if (auto pos = text.find("%1"); pos != std::string::npos) text.replace(pos, 2, arg);
    return text;
}

}  // namespace vosk
