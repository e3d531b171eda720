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

// A field's bytes as text for a control.
QString FieldToQString(const FieldText& field);

}  // namespace vosk
