#pragma once
// Text fields of the dialogs hold only what a survey field can carry: text
// that CP932 cannot hold, or that the data sheet cannot carry, is refused
// where it is typed, with a message, and the field keeps its last good text.

#include <QString>

#include "survey/field_check.h"

class QLineEdit;
class QComboBox;
class QWidget;

namespace vosk {

// Checks the edit's text each time the user leaves it or presses Enter.
void GuardFieldText(QLineEdit* edit, FieldKind kind);
// The same for the edit field of an editable combo box.
void GuardFieldText(QComboBox* combo, FieldKind kind);

// The CP932 bytes of `text` for a field of `kind` into `field`, which holds
// the field's bytes before: a text shown from them and left as it was keeps
// them exactly (even bytes that do not decode). On refusal shows why, puts
// the focus on `widget` and returns false.
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
    // Checks a changed text: on refusal shows why, puts back the last
    // accepted text, focuses `focus` (the edit when null) and returns false.
    bool Accept(FieldKind kind, QWidget* focus = nullptr);

private:
    FieldText bytes_;
    QString shown_;
    QString accepted_;
};

}  // namespace vosk
