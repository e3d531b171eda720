#include "soil/jacic_entry_state.h"

#include "platform/cp932.h"
#include "soil/jacic_soil_rules.h"
#include "survey/field_text.h"

namespace vosk {

using namespace jacic_column;

void JacicEntryState::CellEditorAt(int column) {
    targetGroup_ = column == kAuxName || column == kPattern2 ? 2 : 1;
}

void JacicEntryState::FlagClicked(int bit) {
    if (bit == 0 || bit == 6) targetGroup_ = 1;
}

bool JacicEntryState::SetAlternation(int group, bool on) {
    alternation_.at(static_cast<size_t>(group - 1)) = on;
    return on;
}

void JacicEntryState::NameLoaded(int group, std::string_view name) {
    static const FieldText kAlternation = Cp932Literal("互層");
    alternation_.at(static_cast<size_t>(group - 1)) = FindCp932(name, kAlternation) != std::string::npos;
}

}  // namespace vosk
