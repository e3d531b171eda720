#pragma once
// Opening a text file in an editor that can print it: wordpad, then notepad
// on Windows; elsewhere the usual desktop text editors in turn, then
// xdg-open. Programs are started detached with an argument list, never
// through a shell.

#include <QString>
#include <QStringList>
#include <functional>

namespace vosk {

// Starts `program` with `arguments` in `workingFolder`; false when it could
// not be started.
using ProgramStarter =
    std::function<bool(const QString& program, const QStringList& arguments, const QString& workingFolder)>;

// QProcess::startDetached; on Windows the shell's "open" verb, as the
// editors there are found by it.
bool StartDetachedProgram(const QString& program, const QStringList& arguments, const QString& workingFolder);

// The editors tried, in order of preference.
QStringList PrintingEditors();

// Tries each editor with `file` as its one argument until one starts; false
// when none did.
bool OpenInEditor(const QString& file, const QString& workingFolder, const ProgramStarter& start);

}  // namespace vosk
