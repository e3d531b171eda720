#include "platform/message_service.h"

#include <cstdio>

#include "platform/string_table.h"

namespace vosk {
namespace {

StderrMessages& DefaultService() {
    static StderrMessages service;
    return service;
}

MessageService*& Current() {
    static MessageService* current = &DefaultService();
    return current;
}

MessageAnswer PositiveAnswer(MessageButtons buttons) {
    return buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel ? MessageAnswer::Yes
                                                                                    : MessageAnswer::Ok;
}

}  // namespace

MessageService* SetMessageService(MessageService* service) {
    MessageService* previous = Current();
    Current() = service ? service : &DefaultService();
    return previous;
}

MessageAnswer ShowMessage(const std::string& text, MessageButtons buttons) {
    return Current()->Show(text, buttons);
}

MessageAnswer ShowMessage(int id, std::string_view arg, MessageButtons buttons) {
    return ShowMessage(FormatMessageText(id, arg), buttons);
}

MessageAnswer StderrMessages::Show(const std::string& text, MessageButtons buttons) {
    std::fprintf(stderr, "%s\n", text.c_str());
    return PositiveAnswer(buttons);
}

MessageRecorder::MessageRecorder() : previous_(SetMessageService(this)) {}

MessageRecorder::~MessageRecorder() { SetMessageService(previous_); }

MessageAnswer MessageRecorder::Show(const std::string& text, MessageButtons buttons) {
    texts.push_back(text);
    this->buttons.push_back(buttons);
    if (answers.empty()) return PositiveAnswer(buttons);
    MessageAnswer a = answers.front();
    answers.pop_front();
    return a;
}

void ShowRefusal(const Refusal& refusal) {
    if (refusal) ShowMessage(refusal.id, refusal.arg);
}

}  // namespace vosk
