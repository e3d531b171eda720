#include "soil/soil_depth.h"

#include "platform/message_service.h"
#include "platform/string_table.h"
#include "survey/numbers.h"

namespace vosk {
namespace {

constexpr double kMinSoilDepth = -1;
constexpr double kMaxSoilDepth = 3000;

}  // namespace

bool ValidateSoilDepth(std::string_view depth, bool showMessages) {
    int refusal = 0;
    if (IsNumericText(depth) != 1) {
        refusal = message::kNoData;
    } else {
        const double value = ParseDecimal(depth);
        // Written so that a depth read as NaN is refused too.
        if (!(value >= kMinSoilDepth && value <= kMaxSoilDepth)) refusal = message::kBadNumber;
    }
    if (refusal != 0 && showMessages) ShowMessage(refusal);
    return refusal == 0;
}

FieldText FormatSoilDepth(std::string_view depth) { return FormatFixed(ParseDecimal(depth), 2); }

}  // namespace vosk
