#include "app/profile.h"

namespace vosk {

QSettings Profile() {
    return QSettings(QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("VoskDataSheet"));
}

}  // namespace vosk
