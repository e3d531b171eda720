#pragma once
// The site files opened or saved last, kept in the program's profile beside
// the recent data sheets.

#include "ui/section/site_section_dlg.h"

namespace vosk {

class ProfileRecentSites : public RecentSites {
public:
    QStringList Files() const override;
    void Add(const QString& file) override;
};

}  // namespace vosk
