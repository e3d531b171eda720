#pragma once
// Running a rule as a dialog does: its refusal shown through the message
// service, so tests check the message the user sees.

#include "entry/cell_grid.h"
#include "platform/message_service.h"

namespace vosk::test {

// The line an add or overwrite wrote, 0 when refused.
inline int Shown(const Placement& placed) {
    ShowRefusal(placed.refusal);
    return placed.line;
}

// Whether a check accepted.
inline bool Shown(const Refusal& refusal) {
    ShowRefusal(refusal);
    return !refusal;
}

}  // namespace vosk::test
