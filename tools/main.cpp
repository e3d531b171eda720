// vosk-sheet: the data sheet from the command line.

#include <QGuiApplication>
#include <memory>
#include <string>
#include <vector>

#include "platform/command_line.h"
#include "platform/qt_printer_service.h"
#include "tools/tool_common.h"

namespace {

// Qt's own notes (a missing runtime folder and the like) are not the tool's
// output; VOSK_QT_DEBUG shows them.
void QuietQtMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg || qEnvironmentVariableIsSet("VOSK_QT_DEBUG"))
        fprintf(stderr, "%s\n", qFormatLogMessage(type, context, text).toLocal8Bit().constData());
}

}  // namespace

int main(int argc, char** argv) {
    using namespace vosk::tool;
    vosk::UseBinaryStandardStreams();
    std::vector<std::string> args = vosk::Utf8Arguments(argc, argv);
    if (args.empty()) return Usage("no command");
    const std::string command = args.front();
    args.erase(args.begin());
    if (command == "dump") return DumpCommand(args);
    if (command == "set") return SetCommand(args);
    if (command == "import") return ImportCommand(args);
    if (command == "export") return ExportCommand(args);
    if (command == "check") return CheckCommand(args);

    // The commands below ask the printer (and later draw): they need Qt, but
    // never a display.
    qInstallMessageHandler(QuietQtMessages);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", vosk::kHeadlessQtPlatform);
    QGuiApplication app(argc, argv);
    vosk::QtPrinterService printer;
    vosk::SetPrinterService(&printer);
    if (command == "settings") return SettingsCommand(args);
    if (command == "pages") return PagesCommand(args);
    if (command == "trace") return TraceCommand(args);
    if (command == "render") return RenderCommand(args);
    if (command == "section") return SectionCommand(args);
    if (command == "site") return SiteCommand(args);
    if (command == "delivery") return DeliveryCommand(args);
    return Usage("unknown command: " + command);
}
