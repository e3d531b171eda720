#pragma once
// Small pieces the settings dialogs share: a control found by its number,
// the number edits, the OK and Cancel buttons, and the moment the user
// leaves a control.

#include <QString>
#include <functional>
#include <initializer_list>

class QDialog;
class QDialogButtonBox;
class QHBoxLayout;
class QLineEdit;
class QWidget;

namespace vosk {

// The object name of the control with number `id` ("c1007"): the dialogs
// name their controls so, and tests find them so.
QString ControlName(int id);
// The object name of the control that edits heading field `field`
// ("field19"), found so by tests.
QString HeadingFieldName(int field);

// A text edit of a setting, named after its control number; it refuses
// text a settings file cannot hold where it is typed.
QLineEdit* MakeSettingEdit(int id, int width = 56);

// OK and "ｷｬﾝｾﾙ" wired to accept and reject of `dialog`.
QDialogButtonBox* MakeOkCancel(QDialog* dialog);

// The settings dialogs' bottom row: `left` (a unit caption, the standard
// buttons), then room, then OK and "ｷｬﾝｾﾙ".
QHBoxLayout* MakeButtonRow(QDialog* dialog, std::initializer_list<QWidget*> left);

// Tab (and Enter in mode 1) visits the controls with these numbers in
// this order.
void SetTabOrder(QWidget* dialog, std::initializer_list<int> ids);

// Calls `leave` each time the user moves the focus away from `widget` (Tab,
// Enter, a click); not when another window, a message box or a popup takes
// the focus for a moment.
void OnLeavingControl(QWidget* widget, std::function<void()> leave);

}  // namespace vosk
