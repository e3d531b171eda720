#pragma once
// The N value converted from Nd for the bearing formulas that take N:
// N' = A + B · Nd. The relation is typed as "nd/D" (the common Nd ≈ 1.5 N
// is "nd/1.5") or, calibrated on a site, as "A+B*nd" ("A-B*nd", "B*nd",
// "nd" too).

#include <optional>
#include <string>
#include <string_view>

#include "survey/field_text.h"

namespace vosk {

inline constexpr std::string_view kDefaultRelation = "nd/1.5";

// What is shown when a relation does not parse (UTF-8).
inline constexpr std::string_view kBadRelationMessage =
    "換算式を読み取れません。nd/1.5 または A+B*nd の形で入力してください。";

struct NRelation {
    double a = 0;
    double b = 1;
};

// The relation of `text` (blanks ignored, "nd" in any case), or nothing
// when it is not one of the forms above or divides by zero.
std::optional<NRelation> ParseNRelation(std::string_view text);

// N' of an Nd text with two decimals; empty when Nd is not a number or N'
// is beyond any number.
FieldText ConvertedN(const NRelation& relation, std::string_view ndText);

}  // namespace vosk
