#include "survey/field_check.h"

#include <algorithm>

#include "platform/cp932.h"

namespace vosk {

FieldCheck CheckEnteredText(std::string_view utf8, FieldKind kind) {
    FieldCheck result;
    auto refuse = [&](std::string why, size_t from, size_t length) {
        result.refusal = std::move(why);
        result.badFrom = std::min(from, utf8.size());
        result.badLength = std::min(length, utf8.size() - result.badFrom);
        return result;
    };
    if (size_t at = utf8.find_first_of("\r\n"); at != std::string_view::npos) {
        // A line break of CR LF is one.
        return refuse("改行は入力できません。", at, utf8.substr(at).starts_with("\r\n") ? 2 : 1);
    }
    if (size_t at = utf8.find("$$"); at != std::string_view::npos)
        return refuse("「$$」はデータシートに保存できないため入力できません。", at, 2);
    if (size_t at = utf8.find('"'); kind == FieldKind::Table && at != std::string_view::npos)
        return refuse("「\"」(半角の二重引用符) はデータシートに保存できないため入力できません。全角の「＂」を使ってください。",
                      at, 1);
    std::string bad;
    auto bytes = Utf8ToCp932(utf8, &bad);
    if (!bytes) {
        // Every occurrence of the character is refused; the first is shown.
        size_t at = bad.empty() ? std::string_view::npos : utf8.find(bad);
        return refuse("「" + bad + "」は Shift_JIS (CP932) で表せない文字のため入力できません。",
                      at == std::string_view::npos ? 0 : at, at == std::string_view::npos ? utf8.size() : bad.size());
    }
    result.bytes = std::move(*bytes);
    return result;
}

}  // namespace vosk
