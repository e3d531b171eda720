#include "site/site_file.h"

#include <filesystem>
#include <map>
#include <system_error>

#include "platform/drive_map.h"
#include "platform/file_io.h"
#include "platform/string_table.h"
#include "survey/text_lines.h"

namespace vosk {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kPointLine = "[point]";

// The keys of a point in the order they are written, with the field each
// fills ("sheet" and "at" are the row's own).
struct PointKey {
    std::string_view key;
    PointField field;
};
constexpr PointKey kPointKeys[] = {{"latitude", PointField::Latitude},    {"longitude", PointField::Longitude},
                                   {"method-code", PointField::MethodCode}, {"method", PointField::Method},
                                   {"accuracy", PointField::Accuracy}};

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

fs::path Folder(const std::string& file) {
    std::error_code ec;
    fs::path absolute = fs::absolute(PathFromUtf8(file), ec);
    return (ec ? PathFromUtf8(file) : absolute).parent_path();
}

// The sheet as the site file names it: relative to the site file's folder
// where there is a way there, else absolute; "/" between the names.
std::string RelativeSheetPath(const std::string& sheet, const fs::path& folder) {
    std::error_code ec;
    fs::path absolute = fs::absolute(PathFromUtf8(sheet), ec).lexically_normal();
    fs::path relative = absolute.lexically_relative(folder.lexically_normal());
    std::string text = PathToUtf8(relative.empty() ? absolute : relative);
#ifdef _WIN32
    for (char& c : text)
        if (c == '\\') c = '/';
#endif
    return text;
}

std::string ResolvedSheetPath(std::string_view written, const fs::path& folder) {
    fs::path path = PathFromUtf8(written);
    if (path.is_relative()) path = folder / path;
    return PathToUtf8(path.lexically_normal());
}

// Reads the lines of one site file.
class SiteReader {
public:
    SiteReader(const std::string& file, Site& site, std::vector<std::string>& notes)
        : file_(file), folder_(Folder(file)), site_(site), notes_(notes) {}

    SiteRefusal Read(std::string_view bytes) {
        if (bytes.starts_with(kBom)) bytes.remove_prefix(kBom.size());
        SiteRefusal refusal;
        ForEachLine(bytes, [&](std::string_view raw) {
            ++line_;
            refusal = Line(TrimBlanks(StripLineEnd(raw)));
            return !refusal;
        });
        if (!refusal && line_ == 0) {
            line_ = 1;
            refusal = At("地点ファイルではありません");
        }
        if (!refusal) refusal = EndPoint();
        return refusal;
    }

private:
    SiteRefusal At(std::string_view text) const {
        return {PathToUtf8(PathFromUtf8(file_)) + ": " + std::to_string(line_) + " 行目: " + std::string(text)};
    }
    SiteRefusal At(const SiteRefusal& r) const { return r ? At(r.text) : r; }

    SiteRefusal Line(std::string_view line) {
        if (line_ == 1) return VersionLine(line);
        if (line.empty() || line.front() == '#') return {};
        if (line == kPointLine) {
            if (SiteRefusal r = EndPoint()) return r;
            inPoint_ = true;
            pointLine_ = line_;
            return {};
        }
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos || eq == 0) return At("「項目=値」の行ではありません: " + std::string(line));
        const std::string key(TrimBlanks(line.substr(0, eq)));
        const std::string value(TrimBlanks(line.substr(eq + 1)));
        if (!seen_.emplace(key, line_).second) return At("項目 " + key + " が二度あります");
        return inPoint_ ? PointValue(key, value) : SurveyValue(key, value);
    }

    SiteRefusal VersionLine(std::string_view line) {
        if (line.starts_with(kBom)) line.remove_prefix(kBom.size());
        if (!line.starts_with(kSiteMagic)) return At("地点ファイルではありません");
        std::string_view number = TrimBlanks(line.substr(kSiteMagic.size()));
        if (number != std::to_string(kSiteVersion))
            return At("この版の地点ファイルは読めません (版 " + std::string(number) + ")");
        return {};
    }

    SiteRefusal SurveyValue(const std::string& key, const std::string& value) {
        if (key == "client") return At(site_.SetClient(value));
        if (key == "datum") return At(site_.SetDatum(value));
        if (key == "threshold") {
            double t = 0;
            if (!ParseSectionNumber(value, t) || CheckThreshold(t))
                return At("しきい値 Nd は正の数にしてください: " + value);
            site_.SetThreshold(value);
            return {};
        }
        if (key == "by-depth") {
            if (value != "0" && value != "1") return At("by-depth は 0 か 1 です: " + value);
            site_.SetByDepth(value == "1");  // taken as the file says; the section checks the sheets
            return {};
        }
        return At("知らない項目です: " + key);
    }

    SiteRefusal PointValue(const std::string& key, const std::string& value) {
        if (key == "sheet") {
            if (value.empty()) return At("データシートのファイル名がありません");
            point_.sheet.file = ResolvedSheetPath(value, folder_);
            return {};
        }
        if (key == "at") {
            double x = 0;
            if (!ParseSectionNumber(value, x)) return At("位置は数値で入れてください: " + value);
            position_ = value;
            return {};
        }
        for (const PointKey& k : kPointKeys)
            if (key == k.key) {
                if (SiteRefusal r = CheckPointField(k.field, value)) return At(r);
                point_.Field(k.field) = value;
                return {};
            }
        return At("知らない項目です: " + key);
    }

    // Ends the point being read, if any: it needs its sheet and position.
    SiteRefusal EndPoint() {
        if (!inPoint_) {
            seen_.clear();
            return {};
        }
        if (point_.sheet.file.empty() || position_.empty()) {
            line_ = pointLine_;
            return At(point_.sheet.file.empty() ? "地点に sheet がありません" : "地点に at がありません");
        }
        SectionSheet sheet;
        if (SectionRefusal r = ReadSectionSheet(point_.sheet.file, sheet)) {
            // The site still opens: the row is marked so the user can mend it.
            point_.unreadable = r.text.substr(std::min(r.text.size(), point_.sheet.file.size() + 2));
            notes_.push_back(PathToUtf8(PathFromUtf8(file_)) + ": " + std::to_string(seen_["sheet"]) + " 行目: " +
                             r.text);
        } else {
            point_.sheet = std::move(sheet);
        }
        SiteRefusal r = site_.Append(std::move(point_), std::move(position_));
        if (r) {
            line_ = pointLine_;
            return At(r);
        }
        point_ = SitePoint{};
        position_.clear();
        seen_.clear();
        inPoint_ = false;
        return {};
    }

    const std::string& file_;
    fs::path folder_;
    Site& site_;
    std::vector<std::string>& notes_;
    int line_ = 0;
    int pointLine_ = 0;
    bool inPoint_ = false;
    SitePoint point_;
    std::string position_;
    std::map<std::string, int> seen_;  // keys of the block being read, with their lines
};

}  // namespace

bool LooksLikeSiteFile(std::string_view bytes) {
    if (bytes.starts_with(kBom)) bytes.remove_prefix(kBom.size());
    return bytes.starts_with(kSiteMagic);
}

bool IsSiteFile(const std::string& file) {
    std::optional<std::string> bytes = ReadFileBytes(PathFromUtf8(file));
    return bytes && LooksLikeSiteFile(*bytes);
}

SiteRefusal ReadSiteFile(const std::string& file, Site& site, std::vector<std::string>& notes) {
    site = Site{};
    ReadError error = ReadError::None;
    std::optional<std::string> bytes = ReadFileBytes(PathFromUtf8(file), &error);
    const std::string shown = PathToUtf8(PathFromUtf8(file));
    if (!bytes)
        return {shown + ": " + (error == ReadError::TooLarge ? "地点ファイルにしては大きすぎます"
                                                             : "ファイルが見つからないか読めません")};
    Site read;
    std::vector<std::string> readNotes;
    SiteRefusal r = SiteReader(file, read, readNotes).Read(*bytes);
    if (r) return r;
    site = std::move(read);
    notes.insert(notes.end(), readNotes.begin(), readNotes.end());
    return {};
}

SiteRefusal FormatSiteFile(const Site& site, const std::string& file, std::string& bytes) {
    const fs::path folder = Folder(file);
    std::string out = std::string(kSiteMagic) + " " + std::to_string(kSiteVersion) + "\r\n";
    auto put = [&out](std::string_view key, std::string_view value) {
        out.append(key).append("=").append(value).append("\r\n");
    };
    put("client", site.Client());
    put("datum", site.Datum());
    put("threshold", site.Threshold());
    put("by-depth", site.ByDepth() ? "1" : "0");
    double t = 0;
    if (!ParseSectionNumber(site.Threshold(), t) || CheckThreshold(t))
        return {"しきい値 Nd は正の数にしてください: " + site.Threshold()};
    for (size_t i = 0; i < site.Count(); ++i) {
        const Site::Row& row = site.Rows()[i];
        double x = 0;
        if (!ParseSectionNumber(row.position, x))
            return {"位置 (" + std::to_string(i + 1) + " 行目) は数値で入れてください: " + row.position};
        out += "\r\n";
        out.append(kPointLine).append("\r\n");
        put("sheet", RelativeSheetPath(row.point.sheet.file, folder));
        put("at", row.position);
        for (const PointKey& k : kPointKeys) put(k.key, row.point.Field(k.field));
    }
    bytes = std::move(out);
    return {};
}

SiteRefusal WriteSiteFile(const Site& site, const std::string& file) {
    std::string bytes;
    if (SiteRefusal r = FormatSiteFile(site, file, bytes)) return r;
    if (!WriteFileAtomically(PathFromUtf8(file), bytes))
        return {PathToUtf8(PathFromUtf8(file)) + ": " + std::string(MessageText(message::kSaveFailed))};
    return {};
}

}  // namespace vosk
