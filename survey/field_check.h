#pragma once
// The check every place where the user's text enters a survey field: the
// text must be CP932 and must survive the data sheet file unchanged.

#include <optional>
#include <string>
#include <string_view>

#include "survey/field_text.h"

namespace vosk {

enum class FieldKind {
    Heading,  // one line of the heading section
    Table,    // one comma-separated field of a soil or blow row
};

struct FieldCheck {
    FieldText bytes;     // the CP932 text, when accepted
    std::string refusal; // the message for the user (UTF-8), when refused
    // When refused: the characters the refusal is about, the first place
    // they occur, as UTF-8 bytes of the text checked; the field selects
    // them so the user mends them and keeps the rest.
    size_t badFrom = 0;
    size_t badLength = 0;
    bool ok() const { return refusal.empty(); }
};

// Converts UTF-8 text typed by the user and says whether a field of `kind`
// can hold it.
FieldCheck CheckEnteredText(std::string_view utf8, FieldKind kind);

}  // namespace vosk
