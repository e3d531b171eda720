#pragma once
// Text fields of the dialogs hold only what a survey field can carry: text
// that CP932 cannot hold, or that the data sheet cannot carry, is refused
// where it is typed, with a message. The typed text is never thrown away:
// the field keeps it with the offending characters selected, so the user
// mends one character instead of typing the whole again.

#include <QString>

#include "survey/field_check.h"

class QLineEdit;
class QComboBox;
class QWidget;

namespace vosk {

// When a refusal is told.
enum class RefusalNotice {
    // An action that needs the text (OK, Add): every time.
    Always,
    // The user leaves the field: once for a text, so leaving it again, or
    // a window closing, does not tell the same refusal twice.
    OncePerText,
};

// The one way a refused text is met: the message of `check` (as `notice`
// says), then the edit keeps its text with the characters the refusal is
// about selected and, when told, the focus. Returns whether it was told.
bool KeepRefusedText(QLineEdit* edit, const FieldCheck& check, RefusalNotice notice);
// The edit takes new text (a cell editor moved on): no refusal counts as told.
void ForgetRefusal(QLineEdit* edit);

// Checks the edit's text each time the user leaves it or presses Enter.
void GuardFieldText(QLineEdit* edit, FieldKind kind);
// The same for the edit field of an editable combo box.
void GuardFieldText(QComboBox* combo, FieldKind kind);

// The CP932 bytes of `text` for a field of `kind` into `field`, which holds
// the field's bytes before: a text shown from them and left as it was keeps
// them exactly (even bytes that do not decode). On refusal shows why, puts
// the focus on `widget` (its text kept, the offending characters selected)
// and returns false.
bool TakeFieldText(const QString& text, FieldKind kind, QWidget* widget, FieldText& field);

// The integer check of a dialog refused the edit's text: message 61712
// ("整数を入力してください。"), and the edit gets the focus with its text selected.
void RefuseInteger(QLineEdit* edit);

// A field's bytes as text for a control.
QString FieldToQString(const FieldText& field);

// One entry field of a grid dialog: the bytes the dialog last put into it,
// so a text the user leaves alone keeps them exactly, and the last text the
// field was allowed to keep.
class EntryField {
public:
    QLineEdit* edit = nullptr;

    // Shows `bytes` in the edit.
    void Set(const FieldText& bytes);
    // The field's bytes: its own when the text is unchanged, else the typed
    // text converted; false when the text cannot be held (no message).
    bool Bytes(FieldText& out, FieldKind kind) const;
    // Checks a changed text: on refusal keeps it (KeepRefusedText) and
    // returns false.
    bool Accept(FieldKind kind, RefusalNotice notice);

private:
    FieldText bytes_;
    QString shown_;
    QString accepted_;
};

}  // namespace vosk
