#include "ui/widgets/field_guard.h"

#include <QComboBox>
#include <QLineEdit>

#include "platform/cp932.h"
#include "platform/message_service.h"
#include "platform/string_table.h"

namespace vosk {
namespace {

constexpr char kAccepted[] = "voskAcceptedText";

}  // namespace

QString FieldToQString(const FieldText& field) { return QString::fromStdString(Cp932ToUtf8(field)); }

bool TakeFieldText(const QString& text, FieldKind kind, QWidget* widget, FieldText& out) {
    if (text == FieldToQString(out)) return true;
    FieldCheck check = CheckEnteredText(text.toStdString(), kind);
    if (!check.ok()) {
        ShowMessage(check.refusal);
        if (widget) widget->setFocus();
        return false;
    }
    out = std::move(check.bytes);
    return true;
}

void GuardFieldText(QLineEdit* edit, FieldKind kind) {
    // The text the field held before the user began typing: what the dialog
    // put there, or what was last accepted.
    edit->setProperty(kAccepted, edit->text());
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit](const QString& text) {
        if (!edit->hasFocus()) edit->setProperty(kAccepted, text);
    });
    QObject::connect(edit, &QLineEdit::editingFinished, edit, [edit, kind] {
        // A text left as the dialog showed it is the field's own.
        if (edit->text() == edit->property(kAccepted).toString()) return;
        FieldText ignored;
        if (TakeFieldText(edit->text(), kind, edit, ignored))
            edit->setProperty(kAccepted, edit->text());
        else
            edit->setText(edit->property(kAccepted).toString());
    });
}

void RefuseInteger(QLineEdit* edit) {
    ShowMessage(message::kWholeNumberNeeded);
    edit->setFocus();
    edit->selectAll();
}

void EntryField::Set(const FieldText& bytes) {
    bytes_ = bytes;
    shown_ = FieldToQString(bytes);
    accepted_ = shown_;
    edit->setText(shown_);
}

bool EntryField::Bytes(FieldText& out, FieldKind kind) const {
    const QString text = edit->text();
    if (text == shown_) {
        out = bytes_;
        return true;
    }
    FieldCheck check = CheckEnteredText(text.toStdString(), kind);
    if (!check.ok()) return false;
    out = std::move(check.bytes);
    return true;
}

bool EntryField::Accept(FieldKind kind, QWidget* focus) {
    const QString text = edit->text();
    if (text == accepted_) return true;
    FieldText ignored;
    if (TakeFieldText(text, kind, focus ? focus : edit, ignored)) {
        accepted_ = text;
        return true;
    }
    edit->setText(accepted_);
    return false;
}

void GuardFieldText(QComboBox* combo, FieldKind kind) {
    if (combo->lineEdit()) GuardFieldText(combo->lineEdit(), kind);
}

}  // namespace vosk
