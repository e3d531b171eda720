#pragma once
// The depth of a soil layer's lower boundary, as both soil name dialogs
// check and store it.

#include <string_view>

#include "platform/message_service.h"
#include "survey/field_text.h"

namespace vosk {

// Empty or non-numeric: 903; outside −1 … 3000 m: 4006.
Refusal ValidateSoilDepth(std::string_view depth);
// The depth as the sheet stores it: "%.2f" metres.
FieldText FormatSoilDepth(std::string_view depth);

}  // namespace vosk
