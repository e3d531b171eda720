#pragma once
// Qt's own texts in Japanese whatever the desktop's language: the standard
// buttons, the file, print, page set-up and print preview dialogs.

#include <QList>

class QCoreApplication;
class QTranslator;

namespace vosk {

// Installs Qt's qtbase_ja translation on `app`, and under it the few texts
// that translation lacks (the print dialog's page range, duplex and advanced
// options, the file dialog's folder type); dates and numbers Qt formats
// follow Japanese use. The translators belong to `app`; the list is empty
// when qtbase_ja is not installed, and Qt's English then stays.
QList<QTranslator*> InstallQtTranslations(QCoreApplication& app);

}  // namespace vosk
