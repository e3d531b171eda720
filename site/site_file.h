#pragma once
// The site file (.vks): a UTF-8 text a person can read, one "key=value" a
// line after the version line "vosk-site 1"; first the survey's values,
// then one "[point]" block per point in order. Sheet paths are relative to
// the site file's folder, so a copied folder still opens. Written
// atomically, like a data sheet, with CR LF; LF alone reads too.
//
//     vosk-site 1
//     client=関東地方整備局
//     datum=01
//     threshold=10
//     by-depth=0
//
//     [point]
//     sheet=P1.vkr
//     at=0
//     latitude=35 40 12.3
//     longitude=139 45 30.5
//     method-code=01
//     method=GNSS 測量
//     accuracy=1

#include <string>
#include <string_view>
#include <vector>

#include "site/site.h"

namespace vosk {

inline constexpr std::string_view kSiteMagic = "vosk-site";
inline constexpr int kSiteVersion = 1;

// True when `bytes` begin with the site file's version line (any version).
bool LooksLikeSiteFile(std::string_view bytes);
// True when the file at `file` (UTF-8) does.
bool IsSiteFile(const std::string& file);

// Reads the site file `file` (UTF-8 path) into `site`. A refusal names the
// file and the line ("FILE: 3 行目: …") and leaves `site` empty: an unknown
// version, a line that is not "key=value" where one belongs, a value that does
// not read. A point whose sheet cannot be read is kept, marked unreadable,
// with a note in `notes` naming the file and the line.
SiteRefusal ReadSiteFile(const std::string& file, Site& site, std::vector<std::string>& notes);

// The bytes of `site` as the file `file` holds them (paths relative to its
// folder); refused when a position is no number, since it would not read back.
SiteRefusal FormatSiteFile(const Site& site, const std::string& file, std::string& bytes);

// FormatSiteFile written atomically; a failed write names the file.
SiteRefusal WriteSiteFile(const Site& site, const std::string& file);

}  // namespace vosk
