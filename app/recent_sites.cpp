#include "app/recent_sites.h"

#include <QFileInfo>

#include "app/profile.h"

namespace vosk {
namespace {

constexpr int kRecentSiteCount = 4;

QString Key(int i) { return QStringLiteral("Recent Site List/File%1").arg(i); }

}  // namespace

QStringList ProfileRecentSites::Files() const {
    QSettings profile = Profile();
    QStringList files;
    for (int i = 1; i <= kRecentSiteCount; ++i)
        if (QString f = profile.value(Key(i)).toString(); !f.isEmpty()) files << f;
    return files;
}

void ProfileRecentSites::Add(const QString& file) {
    const QString absolute = QFileInfo(file).absoluteFilePath();
    QStringList files = Files();
    files.removeAll(absolute);
    files.prepend(absolute);
    QSettings profile = Profile();
    for (int i = 1; i <= kRecentSiteCount; ++i) profile.setValue(Key(i), i <= files.size() ? files[i - 1] : QString());
}

}  // namespace vosk
