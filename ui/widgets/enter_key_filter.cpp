#include "ui/widgets/enter_key_filter.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>

namespace vosk {

EnterKeyFilter::EnterKeyFilter(QDialog* dialog, const long& enterKeyMode)
    : QObject(dialog), dialog_(dialog), enterKeyMode_(enterKeyMode) {}

EnterKeyFilter* EnterKeyFilter::Install(QDialog* dialog, const long& enterKeyMode) {
    auto* filter = new EnterKeyFilter(dialog, enterKeyMode);
    // Application-wide, so controls added later are covered too; only keys
    // for widgets inside this dialog are looked at.
    qApp->installEventFilter(filter);
    return filter;
}

bool EnterKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != dialog_ || !dialog_->isActiveWindow()) return false;
    // A drop-down list that is open takes the key as it always does.
    for (QWidget* w = widget; w; w = w->parentWidget())
        if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->view()->isVisible()) return false;
    const long mode = enterKeyMode_;
    if (mode == 0) return false;
    if (mode == 1) {
        // The field of an editable combo box is part of the combo box: the
        // move starts from the box, or the focus would come straight back.
        QWidget* from = widget;
        if (auto* combo = qobject_cast<QComboBox*>(widget->parentWidget()); combo && combo->lineEdit() == widget)
            from = combo;
        // The next control that takes the focus by Tab, outside `from`.
        QWidget* next = from->nextInFocusChain();
        while (next && next != from &&
               (from->isAncestorOf(next) ||
                !((next->focusPolicy() & Qt::TabFocus) && next->isEnabled() && next->isVisible())))
            next = next->nextInFocusChain();
        if (next) next->setFocus(Qt::TabFocusReason);
    }
    return true;
}

}  // namespace vosk
