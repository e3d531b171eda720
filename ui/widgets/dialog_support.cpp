#include "ui/widgets/dialog_support.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include "ui/widgets/field_guard.h"

namespace vosk {
namespace {

class LeaveFilter : public QObject {
public:
    LeaveFilter(QWidget* widget, std::function<void()> leave) : QObject(widget), leave_(std::move(leave)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusOut) {
            Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            // A message box shown by the check itself would otherwise leave
            // the control again and again.
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) leave_();
        }
        return false;
    }

private:
    std::function<void()> leave_;
};

}  // namespace

QString ControlName(int id) { return QStringLiteral("c%1").arg(id); }

QString HeadingFieldName(int field) { return QStringLiteral("field%1").arg(field); }

QLineEdit* MakeSettingEdit(int id, int width) {
    auto* edit = new QLineEdit;
    edit->setObjectName(ControlName(id));
    edit->setFixedWidth(width);
    // Settings lines are heading-like: one line of CP932.
    GuardFieldText(edit, FieldKind::Heading);
    return edit;
}

QDialogButtonBox* MakeOkCancel(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ｷｬﾝｾﾙ"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

QHBoxLayout* MakeButtonRow(QDialog* dialog, std::initializer_list<QWidget*> left) {
    auto* row = new QHBoxLayout;
    for (QWidget* widget : left) row->addWidget(widget);
    row->addStretch();
    row->addWidget(MakeOkCancel(dialog));
    return row;
}

void SetTabOrder(QWidget* dialog, std::initializer_list<int> ids) {
    QWidget* previous = nullptr;
    for (int id : ids) {
        auto* widget = dialog->findChild<QWidget*>(ControlName(id));
        if (!widget) continue;
        if (previous) QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

void OnLeavingControl(QWidget* widget, std::function<void()> leave) {
    widget->installEventFilter(new LeaveFilter(widget, std::move(leave)));
}

}  // namespace vosk
