#pragma once
// The one way the program talks to the user in message boxes. The Qt
// application installs a message box implementation, the command-line tool
// one that prints on stderr, tests a recorder that answers from a script.

#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace vosk {

enum class MessageButtons { Ok, YesNo, OkCancel, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

class MessageService {
public:
    virtual ~MessageService() = default;
    // `text` is UTF-8.
    virtual MessageAnswer Show(const std::string& text, MessageButtons buttons) = 0;
};

// Installs `service` (not owned; nullptr restores the stderr default) and
// returns the one it replaces.
MessageService* SetMessageService(MessageService* service);

MessageAnswer ShowMessage(const std::string& text, MessageButtons buttons = MessageButtons::Ok);

// Shows string-table text `id`, with `arg` in place of %1.
MessageAnswer ShowMessage(int id, std::string_view arg = {}, MessageButtons buttons = MessageButtons::Ok);

// What a rule refuses with: a string-table message and its argument, id 0
// for none. Rules return it; the dialog (or the tool) shows it.
struct Refusal {
    int id = 0;
    std::string arg;
    explicit operator bool() const { return id != 0; }
};
// Shows the refusal's message; nothing for none.
void ShowRefusal(const Refusal& refusal);

// Prints every message on stderr and answers Ok / Yes.
class StderrMessages : public MessageService {
public:
    MessageAnswer Show(const std::string& text, MessageButtons buttons) override;
};

// Keeps every text; answers from `answers` in order, then Ok / Yes. Installs
// itself for its lifetime.
class MessageRecorder : public MessageService {
public:
    MessageRecorder();
    ~MessageRecorder() override;
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    MessageAnswer Show(const std::string& text, MessageButtons buttons) override;

    std::vector<std::string> texts;
    // The buttons each text was shown with.
    std::vector<MessageButtons> buttons;
    std::deque<MessageAnswer> answers;

private:
    MessageService* previous_;
};

}  // namespace vosk
