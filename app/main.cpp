// vosk: the data sheet window.

#include <QApplication>
#include <QIcon>

#include "app/qt_japanese.h"
#include "app/vosk_app.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VoskDataSheet"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/vosk/vosk.png")));
    // Before anything can show a dialog, even the usage message.
    vosk::InstallQtTranslations(application);
    vosk::CVoskApp app;
    int exitCode = 0;
    if (!app.InitInstance(QApplication::arguments(), exitCode)) return exitCode;
    return QApplication::exec();
}
