#include "platform/editor_launch.h"

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#else
#include <QProcess>
#endif

namespace vosk {

#ifdef _WIN32

namespace {

const wchar_t* Wide(const QString& text) { return reinterpret_cast<const wchar_t*>(text.utf16()); }

}  // namespace

// The shell's "open" verb, which finds wordpad.exe through the App Paths
// registration where a search of PATH does not. Arguments are quoted as the
// program's command line reads them (no file name holds a quote).
bool StartDetachedProgram(const QString& program, const QStringList& arguments, const QString& workingFolder) {
    QStringList quoted;
    for (const QString& argument : arguments) {
        const bool blank = argument.isEmpty() || argument.contains(QLatin1Char(' ')) || argument.contains(QLatin1Char('\t'));
        quoted << (blank ? QLatin1Char('"') + argument + QLatin1Char('"') : argument);
    }
    const QString parameters = quoted.join(QLatin1Char(' '));
    HINSTANCE result = ShellExecuteW(nullptr, L"open", Wide(program), Wide(parameters),
                                     workingFolder.isEmpty() ? nullptr : Wide(workingFolder), SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;  // larger than 32 means started
}

#else

bool StartDetachedProgram(const QString& program, const QStringList& arguments, const QString& workingFolder) {
    return QProcess::startDetached(program, arguments, workingFolder);
}

#endif

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
