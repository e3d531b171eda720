#include "soil/soil_depth.h"

#include "platform/string_table.h"
#include "survey/numbers.h"

namespace vosk {
namespace {

constexpr double kMinSoilDepth = -1;
constexpr double kMaxSoilDepth = 3000;

}  // namespace

Refusal ValidateSoilDepth(std::string_view depth) {
    if (IsNumericText(depth) != 1) return {message::kNoData};
    const double value = ParseDecimal(depth);
    // Written so that a depth read as NaN is refused too.
    if (!(value >= kMinSoilDepth && value <= kMaxSoilDepth)) return {message::kBadNumber};
    return {};
}

FieldText FormatSoilDepth(std::string_view depth) { return FormatFixed(ParseDecimal(depth), 2); }

}  // namespace vosk
