#include "app/vosk_app.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

#include "app/command_table.h"
#include "app/main_frame.h"
#include "app/recovery_bar.h"
#include "app/vosk_doc.h"
#include "app/vosk_view.h"
#include "app/window_placement.h"
#include "platform/message_service.h"
#include "render/report_page.h"
#include "survey/survey_data.h"

namespace vosk {

CommandLine ParseCommandLine(const QStringList& arguments) {
    CommandLine line;
    QStringList rest = arguments.mid(1);
    if (rest.isEmpty()) return line;
    if (rest[0] == QLatin1String("/p")) {
        line.action = CommandLine::Print;
        line.valid = rest.size() == 2;
        if (line.valid) line.file = rest[1];
    } else if (rest[0] == QLatin1String("/pt")) {
        line.action = CommandLine::PrintTo;
        line.valid = rest.size() == 3;
        if (line.valid) {
            line.file = rest[1];
            line.printer = rest[2];
        }
    } else {
        line.action = CommandLine::Open;
        line.file = rest[0];
        line.valid = rest.size() == 1;
    }
    return line;
}

CVoskApp::CVoskApp(MessageService* messages) : messages_(messages ? messages : &messageBoxes_) {}

QString CVoskApp::RecoveryFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/vosk/recovery");
}

CVoskApp::~CVoskApp() {
    SetMessageService(nullptr);
    SetPrinterService(nullptr);
}

bool CVoskApp::InitInstance(const QStringList& arguments, int& exitCode) {
    exitCode = 0;
    doc_ = std::make_unique<CVoskDoc>();
    frame_ = std::make_unique<CMainFrame>(doc_.get());
    messageBoxes_.SetParent(frame_.get());
    SetMessageService(messages_);
    SetPrinterService(&printer_);

    CommandLine line = ParseCommandLine(arguments);
    if (!line.valid) {
        ShowMessage(std::string("使い方: vosk [ファイル.vkr] | /p ファイル.vkr | /pt ファイル.vkr プリンタ名"));
        exitCode = 2;
        return false;
    }
    frame_->View()->OnInitialUpdate();
    if (line.action == CommandLine::New) {
        doc_->OnNewDocument();
    } else if (!doc_->OpenDocumentFile(line.file)) {
        exitCode = 1;
        return false;
    }
    if (line.action == CommandLine::Print || line.action == CommandLine::PrintTo) {
        exitCode = PrintFromCommandLine(line);
        return false;
    }
    // Only the window keeps recovery copies and offers what an earlier run
    // left; printing from the command line never touches them.
    recovery_ = std::make_unique<RecoveryStore>(std::filesystem::path(RecoveryFolder().toStdU16String()),
                                                NewRecoverySession().toStdString());
    doc_->SetRecovery(recovery_.get());
    frame_->Recovery()->Offer(recovery_->Others());
    frame_->setWindowTitle(QString::fromUtf8(kMainCaption.data(), static_cast<qsizetype>(kMainCaption.size())));
    const int keptZoom = RestoreWindowPlacement(*frame_);
    frame_->show();
    if (keptZoom > 0)
        frame_->View()->SetZoom(keptZoom);
    else
        PlaceForFirstStart(*frame_, *frame_->View(), Settings());
    frame_->repaint();
    return true;
}

int CVoskApp::PrintFromCommandLine(const CommandLine& line) {
    QPrinterInfo info = line.action == CommandLine::PrintTo ? QPrinterInfo::printerInfo(line.printer)
                                                             : QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        ShowMessage(std::string("プリンタが見つかりません: ") +
                    (line.action == CommandLine::PrintTo ? line.printer.toStdString() : std::string("(既定のプリンタ)")));
        return 1;
    }
    QPrinter printer(info, QPrinter::HighResolution);
    CVoskView* view = frame_->View();
    int pages = CountSheetPages(doc_->Survey(), view->Pages());
    return view->PrintPages(printer, 1, pages) ? 0 : 1;
}

}  // namespace vosk
