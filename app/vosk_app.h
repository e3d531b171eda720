#pragma once
// The application: start-up in its fixed order, the command line (a file to
// open, or the print switches "/p FILE" and "/pt FILE PRINTER"), and the
// objects that live for the whole run.

#include <QStringList>
#include <memory>

#include "platform/qt_printer_service.h"
#include "survey/recovery_copy.h"
#include "ui/qt_message_box.h"

namespace vosk {

class CMainFrame;
class CVoskDoc;

// What the command line asks for.
struct CommandLine {
    enum Action { New, Open, Print, PrintTo } action = New;
    QString file;
    QString printer;
    bool valid = true;
};
// Only the exact tokens "/p" and "/pt" are switches; anything else is a file.
CommandLine ParseCommandLine(const QStringList& arguments);

class CVoskApp {
public:
    // `messages` answers in place of the message boxes (tests); nullptr
    // shows message boxes.
    explicit CVoskApp(MessageService* messages = nullptr);
    ~CVoskApp();

    // Start-up; false when the program must end. `exitCode` is set for a run
    // that ends here (printing from the command line).
    bool InitInstance(const QStringList& arguments, int& exitCode);

    CMainFrame* MainFrame() const { return frame_.get(); }
    CVoskDoc* Document() const { return doc_.get(); }
    // The folder of the recovery copies, in the user's data folder.
    static QString RecoveryFolder();

private:
    int PrintFromCommandLine(const CommandLine& line);

    QtMessageBoxes messageBoxes_;
    MessageService* messages_;
    QtPrinterService printer_;
    std::unique_ptr<RecoveryStore> recovery_;
    std::unique_ptr<CVoskDoc> doc_;
    std::unique_ptr<CMainFrame> frame_;
};

}  // namespace vosk
