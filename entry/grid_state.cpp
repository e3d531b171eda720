#include "entry/grid_state.h"

#include <utility>

#include "entry/grid_rules.h"

namespace vosk {

GridState::GridState(int lines, std::vector<bool> enterStops) : lines_(lines), enterStops_(std::move(enterStops)) {}

void GridState::Filled(int lastDataLine) {
    currentLine_ = lastDataLine < lines_ ? lastDataLine + 1 : 0;
    currentColumn_ = 1;
    editing_ = false;
    context_ = kInitialContext;
    pointerReleased_ = true;
    modified_ = false;
    downArrow_ = false;
    pending_ = Pending::None;
}

void GridState::EditorPlaced() {
    context_ = kEditorContext;
    editing_ = true;
    modified_ = true;
}

GridStep GridState::Begin(GridStep step, Pending pending, int line, int column) {
    pending_ = pending;
    pendingLine_ = line;
    pendingColumn_ = column;
    step.actions.push_back({GridAction::BeginEdit, line, column});
    return step;
}

void GridState::EndEditingInto(GridStep& step) {
    // The text typed so far is written before the flag goes: it would
    // otherwise vanish when the editor later loses the focus.
    if (editing_) step.actions.push_back({GridAction::CloseEditor});
    editing_ = false;
}

GridStep GridState::EditorResult(int result) {
    const Pending pending = std::exchange(pending_, Pending::None);
    const bool placed = result == kPlaced;
    if (placed) EditorPlaced();
    GridStep step;
    switch (pending) {
        case Pending::None: break;
        case Pending::NextColumn: {
            if (placed)
                currentColumn_ = pendingColumn_;
            else
                context_ = kDialogContext;
            // The Enter goes on to the dialog, whose OK arbitrates: after a
            // move the editor stays, after a refusal the edit ends.
            step = Ok();
            step.consumed = true;
            break;
        }
        case Pending::NextLine:
            step.consumed = true;
            switch (result) {
                case kPlaced:
                    currentLine_ = pendingLine_;
                    currentColumn_ = 1;
                    step.actions.push_back({GridAction::LoadLine, currentLine_});
                    break;
                case kNotReachable: context_ = kGridContext; break;
                case kTooNarrow:
                    step.actions.push_back({GridAction::SelectLine, pendingLine_});
                    context_ = kGridContext;
                    break;
                default:
                    context_ = kDialogContext;
                    editing_ = false;
                    break;
            }
            break;
        case Pending::LineUp:
        case Pending::LineDown:
            switch (result) {
                case kPlaced: currentLine_ = pendingLine_; break;
                case kNotReachable: context_ = kGridContext; break;
                default:
                    context_ = kDialogContext;
                    editing_ = false;
                    break;
            }
            step.actions.push_back({GridAction::ClearEntry});
            if (currentLine_ >= 1) step.actions.push_back({GridAction::LoadLine, currentLine_});
            // Up stays in the grid; Down goes on to the dialog as well.
            step.consumed = pending == Pending::LineUp;
            break;
        case Pending::DoubleClick: pointerReleased_ = !placed; break;
    }
    return step;
}

void GridState::MoveVertically(GridStep& step, int by) {
    if ((by < 0 && currentLine_ <= 1) || (by > 0 && currentLine_ >= lines_)) {
        context_ = kDialogContext;
        editing_ = false;
        step.actions.push_back({GridAction::ClearEntry});
        if (currentLine_ >= 1) step.actions.push_back({GridAction::LoadLine, currentLine_});
        step.consumed = by < 0;
        return;
    }
    step = Begin(std::move(step), by < 0 ? Pending::LineUp : Pending::LineDown, currentLine_ + by, currentColumn_);
}

GridStep GridState::KeyPressed(GridKey key, long enterKeyMode) {
    GridStep step;
    if (editing_) {
        if (key == GridKey::Other) return step;
        // Esc too keeps the typed text: a cell edit has no cancel.
        step.actions.push_back({GridAction::CommitEditor});
        pointerReleased_ = true;
        context_ = kGridContext;
        switch (key) {
            case GridKey::Enter: {
                if (int next = NextEnterStop(enterStops_, currentColumn_); next != 0)
                    return Begin(std::move(step), Pending::NextColumn, currentLine_, next);
                // Past the last stop of the line: column 1 of the next line.
                step.consumed = true;
                if (currentLine_ >= lines_) {
                    editing_ = false;
                    return step;
                }
                step.actions.push_back({GridAction::ClearEntry});
                return Begin(std::move(step), Pending::NextLine, currentLine_ + 1, 1);
            }
            case GridKey::Up: MoveVertically(step, -1); return step;
            case GridKey::Down: MoveVertically(step, 1); return step;
            default: return step;
        }
    }
    if (key == GridKey::Enter) {
        if (enterKeyMode == 0) return step;  // the dialog presses its default button
        if (enterKeyMode == 1) step.actions.push_back({GridAction::FocusNextControl});
        step.consumed = true;
        return step;
    }
    if (key == GridKey::Down) downArrow_ = true;
    return step;
}

GridStep GridState::KeyPassedOn(bool toList) {
    GridStep step;
    // A key for the list after Down: the user leaves the lines.
    if (toList && downArrow_) {
        step.actions.push_back({GridAction::ClearEntry});
        currentLine_ = 0;
        downArrow_ = false;
    }
    return step;
}

GridStep GridState::Ok() {
    GridStep step;
    context_ = context_ == kEditorContext ? kGridContext : kDialogContext;
    if (editing_) {
        // The first Enter after a cell edit moves the editor; one in the
        // dialog context ends the edit. Neither closes the dialog.
        if (context_ == kDialogContext) EndEditingInto(step);
        return step;
    }
    step.actions.push_back({GridAction::Confirm});
    return step;
}

GridStep GridState::EndEditing() {
    GridStep step;
    EndEditingInto(step);
    return step;
}

void GridState::CommitRefused() {
    editing_ = true;
    context_ = kEditorContext;
    pending_ = Pending::None;
}

GridStep GridState::EditorFocused() {
    context_ = kEditorContext;
    return {{{GridAction::HidePointer}}};
}

GridStep GridState::EditorFocusLost() {
    GridStep step;
    if (editing_) step.actions.push_back({GridAction::CommitEditor});
    pointerReleased_ = true;
    return step;
}

GridStep GridState::DialogPressed() {
    GridStep step;
    if (!editing_) return step;
    step.actions.push_back({GridAction::CommitEditor});
    pointerReleased_ = true;
    editing_ = false;
    return step;
}

GridStep GridState::DoubleClicked(int line, int column) {
    if (line == 0) return {{{GridAction::ClearEntry}}};
    currentColumn_ = column;
    currentLine_ = line;
    editing_ = true;
    return Begin({{{GridAction::DeselectLine, line}}}, Pending::DoubleClick, line, column);
}

GridStep GridState::SingleClicked(int selectedLine) {
    GridStep step;
    const bool wasEditing = editing_;
    if (editing_) pointerReleased_ = true;
    editing_ = false;
    if (selectedLine != 0) {
        currentLine_ = selectedLine;
        step.actions.push_back({GridAction::LoadLine, selectedLine});
    } else if (wasEditing && currentLine_ >= 1) {
        // The click fell beside the lines: the edited line stays marked.
        step.actions.push_back({GridAction::SelectLine, currentLine_});
    }
    return step;
}

GridStep GridState::PointerMoved(PointerAt where, int topLine) {
    GridStep step;
    if (pointerReleased_) {
        if (where == PointerAt::Dialog || where == PointerAt::Outside) {
            EndEditingInto(step);
            step.actions.push_back({GridAction::ShowPointer});
        }
        return step;
    }
    switch (where) {
        case PointerAt::Editor:
            context_ = kEditorContext;
            savedTopLine_ = topLine;
            break;
        case PointerAt::Grid:
            step.actions.push_back({GridAction::ShowPointer});
            context_ = kGridContext;
            // The list scrolled under the editor: the edit ends.
            if (topLine != savedTopLine_) {
                savedTopLine_ = topLine;
                step.actions.push_back({GridAction::FocusGrid});
                EndEditingInto(step);
            }
            break;
        case PointerAt::Dialog:
            step.actions.push_back({GridAction::ShowPointer});
            context_ = kDialogContext;
            break;
        case PointerAt::Outside:
            step.actions.push_back({GridAction::ShowPointer});
            context_ = kDialogContext;
            pointerReleased_ = true;
            step.actions.push_back({GridAction::FocusGrid});
            EndEditingInto(step);
            break;
    }
    return step;
}

}  // namespace vosk
