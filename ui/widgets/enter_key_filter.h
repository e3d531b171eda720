#pragma once
// The Enter key in the data and settings dialogs follows the Enter-key
// setting: 0 the dialog's ordinary behaviour (it presses OK), 1 the focus
// moves to the next control, any other value nothing happens. An open
// drop-down list or a text being composed by an input method always keeps
// the ordinary behaviour.

#include <QObject>

class QDialog;

namespace vosk {

class EnterKeyFilter : public QObject {
    Q_OBJECT
public:
    // Filters the Enter keys of every control of `dialog`; the mode is read
    // from the setting `enterKeyMode` at each key, so a change applies at once.
    static EnterKeyFilter* Install(QDialog* dialog, const long& enterKeyMode);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    EnterKeyFilter(QDialog* dialog, const long& enterKeyMode);
    QDialog* dialog_;
    const long& enterKeyMode_;
};

}  // namespace vosk
