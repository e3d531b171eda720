#include "platform/editor_launch.h"

#include <QProcess>

namespace vosk {

bool StartDetachedProgram(const QString& program, const QStringList& arguments, const QString& workingFolder) {
    return QProcess::startDetached(program, arguments, workingFolder);
}

QStringList PrintingEditors() {
#ifdef _WIN32
    return {QStringLiteral("wordpad.exe"), QStringLiteral("notepad.exe")};
#else
    return {QStringLiteral("gedit"),  QStringLiteral("kate"), QStringLiteral("mousepad"),
            QStringLiteral("pluma"),  QStringLiteral("xed"),  QStringLiteral("xdg-open")};
#endif
}

bool OpenInEditor(const QString& file, const QString& workingFolder, const ProgramStarter& start) {
    for (const QString& editor : PrintingEditors())
        if (start(editor, {file}, workingFolder)) return true;
    return false;
}

}  // namespace vosk
