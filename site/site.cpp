#include "site/site.h"

#include <utility>

#include "platform/cp932.h"
#include "survey/numbers.h"

namespace vosk {
namespace {

bool IsDigits(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

// The separators a latitude may be typed with besides blanks: ° ′ ″ ' " :
std::string BlanksForSeparators(std::string_view text) {
    static constexpr std::string_view kMarks[] = {"\xC2\xB0", "\xE2\x80\xB2", "\xE2\x80\xB3", "'", "\"", ":", "\t"};
    std::string out(text);
    for (std::string_view mark : kMarks)
        for (size_t at = out.find(mark); at != std::string::npos; at = out.find(mark, at))
            out.replace(at, mark.size(), " ");
    return out;
}

std::vector<std::string> Words(std::string_view text) {
    std::vector<std::string> words;
    const std::string spaced = BlanksForSeparators(text);
    size_t at = 0;
    while (at < spaced.size()) {
        size_t end = spaced.find(' ', at);
        if (end == std::string::npos) end = spaced.size();
        if (end > at) words.push_back(spaced.substr(at, end - at));
        at = end + 1;
    }
    return words;
}

SiteRefusal CheckAngle(std::string_view text, long maxDegrees, const char* what) {
    const std::vector<std::string> w = Words(text);
    if (w.empty()) return {};
    const std::string form = std::string(what) + "は 度 分 秒 で入れてください (例 " +
                             (maxDegrees == 90 ? "35 40 12.3" : "139 45 30.5") + "): " + std::string(text);
    if (w.size() != 3 || !IsDigits(w[0]) || !IsDigits(w[1])) return {form};
    double seconds = 0;
    if (!ParseSectionNumber(w[2], seconds) || w[2][0] == '-' || w[2][0] == '+') return {form};
    long degrees = 0, minutes = 0;
    ParseWholeInteger(w[0], degrees);
    ParseWholeInteger(w[1], minutes);
    if (degrees > maxDegrees || minutes > 59 || seconds >= 60 ||
        (degrees == maxDegrees && (minutes > 0 || seconds > 0)))
        return {std::string(what) + "は 0 度から " + std::to_string(maxDegrees) + " 度まで、分と秒は 60 未満です: " +
                std::string(text)};
    return {};
}

// The form a checked angle is kept in: the three numbers by single blanks.
std::string TidyAngle(std::string_view text) {
    Angle a = SplitAngle(text);
    return a.degrees.empty() ? std::string() : a.degrees + " " + a.minutes + " " + a.seconds;
}

SectionRefusal Full() {
    return {SectionRefusal::TooManyPoints, {}, "地点は " + std::to_string(kMaxSitePoints) + " までです"};
}

}  // namespace

SiteRefusal CheckLatitude(std::string_view text) { return CheckAngle(text, 90, "緯度"); }
SiteRefusal CheckLongitude(std::string_view text) { return CheckAngle(text, 180, "経度"); }

SiteRefusal CheckCode(std::string_view text, std::string_view what) {
    if (text.empty() || IsDigits(text)) return {};
    return {std::string(what) + "は半角数字で入れてください: " + std::string(text)};
}

SiteRefusal CheckAccuracy(std::string_view text) {
    double value = 0;
    if (text.empty() || (ParseSectionNumber(text, value) && value >= 0)) return {};
    return {"経緯度読取精度は数値で入れてください: " + std::string(text)};
}

SiteRefusal CheckDeliveryText(std::string_view text, std::string_view what) {
    for (unsigned char c : text)
        if (c < 0x20 || c == 0x7F) return {std::string(what) + "に改行や制御文字は入れられません"};
    std::string bad;
    if (!Utf8ToCp932(text, &bad))
        return {std::string(what) + "に Shift_JIS で書けない文字があります: " + bad};
    return {};
}

SiteRefusal CheckPointField(PointField field, std::string_view text) {
    switch (field) {
        case PointField::Latitude: return CheckLatitude(text);
        case PointField::Longitude: return CheckLongitude(text);
        case PointField::MethodCode: return CheckCode(text, "経緯度取得方法のコード");
        case PointField::Method: return CheckDeliveryText(text, "経緯度取得方法");
        case PointField::Accuracy: return CheckAccuracy(text);
    }
    return {};
}

Angle SplitAngle(std::string_view text) {
    const std::vector<std::string> w = Words(text);
    if (w.size() != 3) return {};
    return {w[0], w[1], w[2]};
}

const std::string& SitePoint::Field(PointField field) const {
    switch (field) {
        case PointField::Latitude: return latitude;
        case PointField::Longitude: return longitude;
        case PointField::MethodCode: return methodCode;
        case PointField::Method: return method;
        case PointField::Accuracy: break;
    }
    return accuracy;
}

std::string& SitePoint::Field(PointField field) {
    return const_cast<std::string&>(static_cast<const SitePoint&>(*this).Field(field));
}

SectionRefusal Site::Add(SectionSheet sheet) {
    if (rows_.size() >= kMaxSitePoints) return Full();
    if (SectionRefusal r = CheckElevation(*sheet.survey, sheet.file, byDepth_)) return r;
    SitePoint point;
    point.sheet = std::move(sheet);
    rows_.push_back(Row{std::move(point), NextPosition()});
    return {};
}

std::string Site::NextPosition() const {
    if (rows_.empty()) return "0";
    double last = 0;
    return FormatSectionNumber(ParseSectionNumber(rows_.back().position, last)
                                   ? last + kDefaultSectionSpacing
                                   : kDefaultSectionSpacing * static_cast<double>(rows_.size()));
}

SectionRefusal Site::AddFile(const std::string& file) {
    // A full site refuses before the file is read.
    if (rows_.size() >= kMaxSitePoints) return Full();
    SectionSheet sheet;
    if (SectionRefusal r = ReadSectionSheet(file, sheet)) return r;
    return Add(std::move(sheet));
}

SiteRefusal Site::Append(SitePoint point, std::string position) {
    if (rows_.size() >= kMaxSitePoints) return {Full().text};
    rows_.push_back(Row{std::move(point), std::move(position)});
    return {};
}

bool Site::Remove(size_t row) {
    if (row >= rows_.size()) return false;
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(row));
    return true;
}

bool Site::MoveUp(size_t row) {
    if (row == 0 || row >= rows_.size()) return false;
    std::swap(rows_[row].point, rows_[row - 1].point);
    return true;
}

bool Site::MoveDown(size_t row) {
    if (row + 1 >= rows_.size()) return false;
    return MoveUp(row + 1);
}

void Site::SetPosition(size_t row, const std::string& text) {
    if (row < rows_.size()) rows_[row].position = text;
}

SiteRefusal Site::SetPointField(size_t row, PointField field, const std::string& text) {
    if (row >= rows_.size()) return {};
    if (SiteRefusal r = CheckPointField(field, text)) return r;
    const bool angle = field == PointField::Latitude || field == PointField::Longitude;
    rows_[row].point.Field(field) = angle ? TidyAngle(text) : text;
    return {};
}

SiteRefusal Site::SetClient(const std::string& text) {
    if (SiteRefusal r = CheckDeliveryText(text, "発注機関名称")) return r;
    client_ = text;
    return {};
}

SiteRefusal Site::SetDatum(const std::string& text) {
    if (SiteRefusal r = CheckCode(text, "測地系のコード")) return r;
    datum_ = text;
    return {};
}

SectionRefusal Site::SetByDepth(bool on) {
    if (!on)
        for (const Row& r : rows_)
            if (r.point.sheet.survey)
                if (SectionRefusal refusal = CheckElevation(*r.point.sheet.survey, r.point.sheet.file, false))
                    return refusal;
    byDepth_ = on;
    return {};
}

SectionRefusal Site::Build(SiteSection& section, size_t first) const {
    section = SiteSection{};
    SectionOptions options;
    options.byDepth = byDepth_;
    if (!ParseSectionNumber(threshold_, options.threshold) || CheckThreshold(options.threshold))
        return CheckThreshold(0);
    std::vector<SectionSheet> sheets;
    const size_t end = std::min(rows_.size(), first + static_cast<size_t>(kMaxSectionPoints));
    for (size_t i = first; i < end; ++i) {
        const Row& row = rows_[i];
        if (!row.point.sheet.survey)
            return {SectionRefusal::NotASheet, row.point.sheet.file, row.point.sheet.file + ": " + row.point.unreadable};
        double x = 0;
        if (!ParseSectionNumber(row.position, x))
            return {SectionRefusal::PositionOrder, row.point.sheet.file,
                    "位置 (" + std::to_string(i + 1) + " 行目) は数値で入れてください: " + row.position};
        options.at.push_back(x);
        sheets.push_back(row.point.sheet);
    }
    return BuildSiteSection(sheets, options, section);
}

}  // namespace vosk
