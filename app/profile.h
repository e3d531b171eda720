#pragma once
// The program's profile: the recent-file list and what the user chose last
// (the converted-N relation), kept for the user, not in the data sheet.

#include <QSettings>

namespace vosk {

QSettings Profile();

}  // namespace vosk
