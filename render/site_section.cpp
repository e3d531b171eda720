#include "render/site_section.h"

#include <algorithm>
#include <cmath>

#include "platform/cp932.h"
#include "platform/drive_map.h"
#include "platform/message_service.h"
#include "survey/numbers.h"
#include "survey/open_data_sheet.h"

namespace vosk {
namespace {

bool IsNumber(const FieldText& text) { return IsNumericText(text) == 1; }

// A thousand kilometres: no survey reaches it, and any sum of such figures
// stays a number a scale can hold.
constexpr double kFarthestMetres = 1e6;

// "1e400" or "-nan" pass the numeric test but have no place on a scale.
bool OnScale(double metres) { return std::fabs(metres) <= kFarthestMetres; }

bool HasElevation(const HeadingFields& heading) {
    return IsNumber(heading[heading::kElevation]) && OnScale(ParseDecimal(heading[heading::kElevation]));
}

// The file's name as the messages show it.
std::string Named(const std::string& file, std::string_view text) { return file + ": " + std::string(text); }

// The file's name without its folder: the warning lists every point.
std::string FileName(std::string_view file) {
    size_t slash = file.find_last_of("/\\");
    return std::string(slash == std::string_view::npos ? file : file.substr(slash + 1));
}

FieldText TrimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return FieldText(text);
}

}  // namespace

double SectionPoint::Top() const {
    double top = ground;
    for (const SectionGroup& g : groups) top = std::max({top, g.bottom, g.top});
    for (const SectionLayer& l : layers) top = std::max({top, l.bottom, l.top});
    return top;
}

double SectionPoint::Bottom() const {
    double bottom = ground;
    for (const SectionGroup& g : groups) bottom = std::min({bottom, g.bottom, g.top});
    for (const SectionLayer& l : layers) bottom = std::min({bottom, l.bottom, l.top});
    return bottom;
}

std::string SectionFileStem(std::string_view path) {
    const std::string name = FileName(path);
    std::string_view file = name;
    if (file.size() > 4) {
        std::string_view suffix = file.substr(file.size() - 4);
        std::string lower(suffix);
        std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
        if (lower == ".vkr") file.remove_suffix(4);
    }
    return std::string(file);
}

std::optional<double> ThresholdDepth(const std::vector<SectionGroup>& groups, double ground, double threshold) {
    for (const SectionGroup& g : groups)
        if (g.nd >= threshold) return ground - g.top;
    return std::nullopt;
}

FieldText SectionPointName(const SurveyData& survey, const std::string& file) {
    if (!survey.heading[heading::kPointNumber].empty()) return survey.heading[heading::kPointNumber];
    // File names are UTF-8; a character CP932 cannot hold shows as "?".
    std::string stem = SectionFileStem(file);
    std::optional<std::string> cp932 = Utf8ToCp932(stem);
    if (!cp932) {
        cp932.emplace();
        for (unsigned char c : stem)
            if (c < 0x80) *cp932 += static_cast<char>(c);
            else if ((c & 0xC0) != 0x80) *cp932 += '?';
    }
    return *cp932;
}

SectionPoint MakeSectionPoint(const SurveyData& survey, const std::string& file, double x, double threshold,
                              bool byDepth) {
    const HeadingFields& hd = survey.heading;
    SectionPoint p;
    p.file = file;
    p.x = x;
    p.name = SectionPointName(survey, file);
    p.datum = hd[heading::kDatumKind];
    p.surveyName = hd[heading::kSurveyName1];
    p.hasElevation = HasElevation(hd);
    p.elevation = p.hasElevation ? ParseDecimal(hd[heading::kElevation]) : 0;
    p.ground = byDepth ? 0 : p.elevation;
    const double E = p.ground;

    const int blowRows = CountBlowRows(survey);
    for (int r = 1; r <= blowRows; ++r) {
        const BlowRow& row = survey.blow[r];
        SectionGroup g;
        const double h = ParseDecimal(row[2]);
        g.bottom = E - h / 100;
        const bool hasDeltaH = IsNumber(row[3]);
        const double deltaH = ParseDecimal(row[3]);
        if (hasDeltaH)
            g.top = E - (h - deltaH) / 100;
        else
            g.top = p.groups.empty() ? E : p.groups.back().bottom;
        g.n = ParseDecimal(row[1]);
        if (IsNumber(row[4]))
            g.nd = ParseDecimal(row[4]);
        else
            g.nd = deltaH > 0 ? 10 * g.n / deltaH : 0;
        // A figure off any scale ends the profile, as the table ends at a
        // row that is not a number.
        if (!OnScale(g.top) || !OnScale(g.bottom) || !std::isfinite(g.nd)) break;
        p.groups.push_back(g);
    }

    const int soilRows = CountSoilRows(survey);
    for (int r = 1; r <= soilRows; ++r) {
        const SoilRow& row = survey.soil[r];
        SectionLayer l;
        l.top = p.layers.empty() ? E : p.layers.back().bottom;
        l.bottom = E - ParseDecimal(row[1]);
        if (!OnScale(l.bottom)) break;
        l.name = row[2];
        if (!row[3].empty()) l.name += row[3];
        p.layers.push_back(std::move(l));
    }

    p.thresholdDepth = ThresholdDepth(p.groups, E, threshold);
    return p;
}

SectionRefusal ReadSectionSheet(const std::string& file, SectionSheet& out) {
    std::vector<std::string> texts;
    OpenedSheet opened;
    {
        MessageRecorder recorder;
        opened = OpenDataSheetFile(PathFromUtf8(file), file, ReadPath::OpenCommand, std::nullopt);
        texts = recorder.texts;
    }
    if (!opened.Ok() || opened.FromDtdFile()) {
        SectionRefusal r{SectionRefusal::NotASheet, file, {}};
        std::string joined;
        for (const std::string& t : texts) joined += (joined.empty() ? "" : "\n") + t;
        r.text = Named(file, joined);
        return r;
    }
    // Notes of a file that was taken (an overlong line) still reach the user.
    for (const std::string& t : texts) ShowMessage(Named(file, t));
    out.file = file;
    out.survey = std::move(opened.survey);
    return {};
}

SectionRefusal CheckPointCount(size_t count) {
    if (count == 0) return {SectionRefusal::NoPoints, {}, "データシートがありません"};
    if (count > static_cast<size_t>(kMaxSectionPoints))
        return {SectionRefusal::TooManyPoints, {},
                "地点は " + std::to_string(kMaxSectionPoints) + " までです (" + std::to_string(count) + " 地点)"};
    return {};
}

SectionRefusal CheckPositions(const std::vector<double>& at, size_t fileCount) {
    if (at.empty()) return {};
    if (at.size() != fileCount)
        return {SectionRefusal::PositionCount, {},
                "位置の数 (" + std::to_string(at.size()) + ") がファイルの数 (" + std::to_string(fileCount) +
                    ") と違います"};
    for (size_t i = 1; i < at.size(); ++i)
        if (!(at[i] > at[i - 1]))
            return {SectionRefusal::PositionOrder, {},
                    "位置は左から順に大きくしてください (" + FormatSectionNumber(at[i - 1]) + ", " +
                        FormatSectionNumber(at[i]) + ")"};
    return {};
}

SectionRefusal CheckThreshold(double threshold) {
    if (!(threshold > 0) || !std::isfinite(threshold))
        return {SectionRefusal::BadThreshold, {}, "しきい値 Nd は正の数にしてください"};
    return {};
}

SectionRefusal CheckElevation(const SurveyData& survey, const std::string& file, bool byDepth) {
    if (byDepth || HasElevation(survey.heading)) return {};
    return {SectionRefusal::NoElevation, file, Named(file, "地盤高 (見出し 13) がありません")};
}

SectionRefusal BuildSiteSection(const std::vector<SectionSheet>& sheets, const SectionOptions& options,
                                SiteSection& section) {
    section = SiteSection{};
    if (SectionRefusal r = CheckPointCount(sheets.size())) return r;
    if (SectionRefusal r = CheckPositions(options.at, sheets.size())) return r;
    if (SectionRefusal r = CheckThreshold(options.threshold)) return r;
    for (const SectionSheet& s : sheets)
        if (SectionRefusal r = CheckElevation(*s.survey, s.file, options.byDepth)) return r;

    SiteSection built;
    built.threshold = options.threshold;
    built.byDepth = options.byDepth;
    std::vector<FieldText> datums;
    for (size_t i = 0; i < sheets.size(); ++i) {
        double x = options.at.empty() ? kDefaultSectionSpacing * static_cast<double>(i) : options.at[i];
        built.points.push_back(
            MakeSectionPoint(*sheets[i].survey, sheets[i].file, x, options.threshold, options.byDepth));
        FieldText d = TrimBlanks(built.points.back().datum);
        if (std::find(datums.begin(), datums.end(), d) == datums.end()) datums.push_back(d);
    }
    for (const FieldText& d : datums) {
        if (d.empty() && datums.size() > 1) continue;  // a point without datum says nothing against the others
        if (!built.datum.empty()) built.datum += " / ";
        built.datum += d;
    }
    size_t named = std::count_if(datums.begin(), datums.end(), [](const FieldText& d) { return !d.empty(); });
    built.datumsDiffer = !options.byDepth && named > 1;
    section = std::move(built);
    return {};
}

std::string DatumWarning(const SiteSection& section) {
    if (!section.datumsDiffer) return {};
    std::string list;
    for (const SectionPoint& p : section.points)
        list += (list.empty() ? "" : ", ") + FileName(p.file) + " " + (p.datum.empty() ? "(なし)" : Cp932ToUtf8(p.datum));
    return "地盤高の基準 (見出し 12) が地点によって異なります: " + list;
}

bool ParseSectionNumber(std::string_view text, double& value) {
    FieldText t = TrimBlanks(text);
    if (t.empty()) return false;
    // One decimal number and nothing else: strtod must take the whole text.
    const char* begin = t.c_str();
    std::string_view body = t;
    if (body.front() == '+' || body.front() == '-') body.remove_prefix(1);
    if (body.empty()) return false;
    bool digit = false, point = false;
    for (char c : body) {
        if (c >= '0' && c <= '9') digit = true;
        else if (c == '.' && !point) point = true;
        else return false;
    }
    if (!digit) return false;
    value = ParseDecimal(begin);
    return std::isfinite(value);
}

std::string FormatSectionNumber(double value) {
    if (value == 0) value = 0;  // no "-0"
    std::string s = FormatFixed(value, 3);
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
    return s;
}

}  // namespace vosk
