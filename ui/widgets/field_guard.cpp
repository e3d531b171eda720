#include "ui/widgets/field_guard.h"

#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QTimer>

#include "platform/cp932.h"
#include "platform/message_service.h"
#include "platform/string_table.h"

namespace vosk {
namespace {

constexpr char kAccepted[] = "voskAcceptedText";
// The text last refused in an edit, told to the user.
constexpr char kRefused[] = "voskRefusedText";

// The number of UTF-16 units of the first `bytes` bytes of `utf8`.
int Utf16Length(const std::string& utf8, size_t bytes) {
    return static_cast<int>(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(std::min(bytes, utf8.size()))).size());
}

// Selects the characters in an edit the next time it has the focus, or at
// once when it has it; given up when the text changes before. One for each
// edit, made the first time it is needed and kept (it may be filtering an
// event as it is asked again).
class PendingSelection : public QObject {
public:
    static constexpr char kName[] = "voskPendingSelection";

    explicit PendingSelection(QLineEdit* edit) : QObject(edit), edit_(edit) {
        setObjectName(QLatin1String(kName));
        // The focus arrives at the end of the edit's focus proxies (a combo
        // box for its edit).
        QWidget* focused = edit;
        while (focused->focusProxy()) focused = focused->focusProxy();
        focused->installEventFilter(this);
    }

    void Ask(QString text, int from, int length) {
        text_ = std::move(text);
        from_ = from;
        length_ = length;
        active_ = true;
        QTimer::singleShot(0, this, [this] { Apply(); });
    }

    bool eventFilter(QObject*, QEvent* event) override {
        // After the edit's own handling of the focus, which may move the cursor.
        if (active_ && event->type() == QEvent::FocusIn) QTimer::singleShot(0, this, [this] { Apply(); });
        return false;
    }

private:
    void Apply() {
        if (!active_) return;
        if (edit_->text() != text_) {
            active_ = false;
        } else if (edit_->hasFocus()) {
            edit_->setSelection(from_, length_);
            active_ = false;
        }
    }

    QLineEdit* edit_;
    QString text_;
    int from_ = 0, length_ = 0;
    bool active_ = false;
};

void SelectWhenFocused(QLineEdit* edit, const QString& text, int from, int length) {
    // Found by its name: the class has no meta-object of its own to be found by.
    auto* pending = static_cast<PendingSelection*>(
        edit->findChild<QObject*>(QLatin1String(PendingSelection::kName), Qt::FindDirectChildrenOnly));
    if (!pending) pending = new PendingSelection(edit);
    pending->Ask(text, from, length);
}

QLineEdit* EditOf(QWidget* widget) {
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) return edit;
    if (auto* combo = qobject_cast<QComboBox*>(widget)) return combo->lineEdit();
    return nullptr;
}

}  // namespace

QString FieldToQString(const FieldText& field) { return QString::fromStdString(Cp932ToUtf8(field)); }

bool KeepRefusedText(QLineEdit* edit, const FieldCheck& check, RefusalNotice notice) {
    const QString text = edit->text();
    const bool tell = notice == RefusalNotice::Always || edit->property(kRefused).toString() != text;
    if (tell) {
        edit->setProperty(kRefused, text);
        ShowMessage(check.refusal);
    }
    const std::string utf8 = text.toStdString();
    const int from = Utf16Length(utf8, check.badFrom);
    const int length = Utf16Length(utf8, check.badFrom + check.badLength) - from;
    edit->setSelection(from, length);
    // Once told, the focus goes where the mending is; a refusal not told
    // again leaves the user free to go elsewhere.
    if (tell) edit->setFocus();
    // Met while the edit loses the focus, or with a message box taking it
    // for a while, the selection would go with that: it is made again once
    // the edit has the focus back.
    SelectWhenFocused(edit, text, from, length);
    return tell;
}

void ForgetRefusal(QLineEdit* edit) { edit->setProperty(kRefused, QVariant()); }

bool TakeFieldText(const QString& text, FieldKind kind, QWidget* widget, FieldText& out) {
    if (text == FieldToQString(out)) return true;
    FieldCheck check = CheckEnteredText(text.toStdString(), kind);
    if (!check.ok()) {
        if (QLineEdit* edit = EditOf(widget); edit && edit->text() == text) {
            KeepRefusedText(edit, check, RefusalNotice::Always);
            return false;
        }
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
        FieldCheck check = CheckEnteredText(edit->text().toStdString(), kind);
        if (check.ok())
            edit->setProperty(kAccepted, edit->text());
        else
            KeepRefusedText(edit, check, RefusalNotice::OncePerText);
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

bool EntryField::Accept(FieldKind kind, RefusalNotice notice) {
    const QString text = edit->text();
    if (text == accepted_ || text == shown_) return true;
    FieldCheck check = CheckEnteredText(text.toStdString(), kind);
    if (check.ok()) {
        accepted_ = text;
        return true;
    }
    KeepRefusedText(edit, check, notice);
    return false;
}

void GuardFieldText(QComboBox* combo, FieldKind kind) {
    if (combo->lineEdit()) GuardFieldText(combo->lineEdit(), kind);
}

}  // namespace vosk
