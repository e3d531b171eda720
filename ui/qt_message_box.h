#pragma once
// Messages shown in message boxes titled "Vosk".

#include "platform/message_service.h"

class QWidget;

namespace vosk {

class QtMessageBoxes : public MessageService {
public:
    explicit QtMessageBoxes(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }
    MessageAnswer Show(const std::string& text, MessageButtons buttons) override;

private:
    QWidget* parent_;
};

}  // namespace vosk
