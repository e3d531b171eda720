#pragma once
// A site: the test points of one survey, in order along the section line,
// and what belongs to the survey rather than to one sheet. For each point
// its data sheet, its position along the line (as typed), where it lies
// (latitude and longitude, how they were obtained, their reading accuracy);
// for the survey the ordering body, the geodetic datum code, the section's
// threshold and the by-depth choice. The site dialog edits it, the site
// file keeps it, the section and the delivery are made from it.
//
// Positions belong to the rows: moving a point up or down swaps the points
// (sheet and location) and leaves the positions where they are, so they
// stay in order along the line; removing a point removes its row with its
// position.

#include <string>
#include <string_view>
#include <vector>

#include "render/site_section.h"

namespace vosk {

// A site holds at most this many points: the delivery numbers them SIT0001
// to SIT9999.
inline constexpr size_t kMaxSitePoints = 9999;

// Why a value of the site is not taken, UTF-8; empty when it is.
struct SiteRefusal {
    std::string text;
    explicit operator bool() const { return !text.empty(); }
};

// The values of a point that the sheet does not hold, as typed (UTF-8).
enum class PointField { Latitude, Longitude, MethodCode, Method, Accuracy };

struct SitePoint {
    SectionSheet sheet;        // survey null when the sheet could not be read
    std::string unreadable;    // why not (UTF-8), empty when read
    std::string latitude;      // "35 40 12.3": degrees, minutes, seconds; empty when not known
    std::string longitude;     // "139 45 30.5"
    std::string methodCode;    // 経緯度取得方法_コード
    std::string method;        // 経緯度取得方法_説明
    std::string accuracy;      // 経緯度読取精度

    const std::string& Field(PointField field) const;
    std::string& Field(PointField field);
};

class Site {
public:
    struct Row {
        SitePoint point;
        std::string position;  // as typed, UTF-8
    };

    const std::vector<Row>& Rows() const { return rows_; }
    size_t Count() const { return rows_.size(); }

    // Appends a point at 10 m past the last row's position (0 for the
    // first). Refused when the site is full, or when the sheet has no
    // ground elevation and the section is drawn by elevation.
    SectionRefusal Add(SectionSheet sheet);
    // Reads `file` and appends it; refused as ReadSectionSheet and Add refuse.
    SectionRefusal AddFile(const std::string& file);
    // Where a point added now goes: 10 m past the last row's position (0
    // for the first).
    std::string NextPosition() const;
    // Appends a row as the site file holds it, unread sheet or not.
    SiteRefusal Append(SitePoint point, std::string position);
    bool Remove(size_t row);
    // Swaps the point of `row` with the one above (below); false at the end.
    bool MoveUp(size_t row);
    bool MoveDown(size_t row);
    void SetPosition(size_t row, const std::string& text);
    // Checks `text` as the site file and the delivery need it and takes it.
    SiteRefusal SetPointField(size_t row, PointField field, const std::string& text);

    const std::string& Threshold() const { return threshold_; }
    void SetThreshold(const std::string& text) { threshold_ = text; }
    bool ByDepth() const { return byDepth_; }
    // Turning by-depth off is refused while a sheet has no ground elevation.
    SectionRefusal SetByDepth(bool on);

    // 発注機関名称 and 測地系 of the survey.
    const std::string& Client() const { return client_; }
    const std::string& Datum() const { return datum_; }
    SiteRefusal SetClient(const std::string& text);
    SiteRefusal SetDatum(const std::string& text);

    // The section of at most kMaxSectionPoints rows from `first`, or why not.
    SectionRefusal Build(SiteSection& section, size_t first = 0) const;

private:
    std::vector<Row> rows_;
    std::string threshold_ = "10";
    bool byDepth_ = false;
    std::string client_;
    std::string datum_;
};

// The checks of the values a site holds; each returns the refusal without
// the file's name or line, which the caller adds.
SiteRefusal CheckLatitude(std::string_view text);
SiteRefusal CheckLongitude(std::string_view text);
// Codes are half-width digits (or empty).
SiteRefusal CheckCode(std::string_view text, std::string_view what);
// The reading accuracy is a number (or empty).
SiteRefusal CheckAccuracy(std::string_view text);
// A text of the delivery: one line that Shift_JIS can hold.
SiteRefusal CheckDeliveryText(std::string_view text, std::string_view what);
SiteRefusal CheckPointField(PointField field, std::string_view text);

// Degrees, minutes and seconds of a latitude or longitude the checks took;
// three empty texts for an empty one.
struct Angle {
    std::string degrees, minutes, seconds;
};
Angle SplitAngle(std::string_view text);

}  // namespace vosk
