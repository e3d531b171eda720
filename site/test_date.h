#pragma once
// The test date of a data sheet as the delivery writes it: heading fields
// 7, 8 and 9 (year, month, day) with the era prefix of field 6 in front of
// the year, as the sheet prints it.

#include <optional>
#include <string>

#include "survey/survey_data.h"

namespace vosk {

// "YYYY-MM-DD": 令和 (R) n is 2018 + n, 平成 (H) n 1988 + n, 昭和 (S) n
// 1925 + n (元 for 1, within each era's years); a four-digit year is taken
// as it is, and so is a two-digit year after the century ("20" "23").
// Nothing when no real date can be formed.
std::optional<std::string> DeliveryDate(const HeadingFields& heading);

}  // namespace vosk
