#include "ui/qt_message_box.h"

#include <QMessageBox>

namespace vosk {

MessageAnswer QtMessageBoxes::Show(const std::string& text, MessageButtons buttons) {
    QMessageBox box(parent_);
    box.setWindowTitle(QStringLiteral("Vosk"));
    box.setText(QString::fromStdString(text));
    switch (buttons) {
        case MessageButtons::Ok:
            box.setIcon(QMessageBox::Warning);
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MessageButtons::YesNo:
            box.setIcon(QMessageBox::Question);
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case MessageButtons::OkCancel:
            box.setIcon(QMessageBox::Question);
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case MessageButtons::YesNoCancel:
            box.setIcon(QMessageBox::Question);
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            // Closing the box is no answer: back to what the user was doing.
            box.setEscapeButton(QMessageBox::Cancel);
            break;
    }
    switch (box.exec()) {
        case QMessageBox::Yes: return MessageAnswer::Yes;
        case QMessageBox::No: return MessageAnswer::No;
        case QMessageBox::Cancel: return MessageAnswer::Cancel;
        default:
            if (buttons == MessageButtons::YesNoCancel) return MessageAnswer::Cancel;
            return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
    }
}

}  // namespace vosk
