#include "survey/field_check.h"

#include "platform/cp932.h"

namespace vosk {

FieldCheck CheckEnteredText(std::string_view utf8, FieldKind kind) {
    FieldCheck result;
    if (utf8.find_first_of("\r\n") != std::string_view::npos) {
        result.refusal = "改行は入力できません。";
        return result;
    }
    if (utf8.find("$$") != std::string_view::npos) {
        result.refusal = "「$$」はデータシートに保存できないため入力できません。";
        return result;
    }
    if (kind == FieldKind::Table && utf8.find('"') != std::string_view::npos) {
        result.refusal = "「\"」(半角の二重引用符) はデータシートに保存できないため入力できません。全角の「＂」を使ってください。";
        return result;
    }
    std::string bad;
    auto bytes = Utf8ToCp932(utf8, &bad);
    if (!bytes) {
        result.refusal = "「" + bad + "」は Shift_JIS (CP932) で表せない文字のため入力できません。";
        return result;
    }
    result.bytes = std::move(*bytes);
    return result;
}

}  // namespace vosk
