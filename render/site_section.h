#pragma once
// The site cross-section: several test points side by side on one
// elevation axis. This is the model built from the data sheets (names,
// ground elevations, blow groups, soil layers, the depth where Nd first
// reaches a threshold, positions along the section line) and the refusals
// the tool and the window show. Drawing is in site_section_drawing.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "survey/survey_data.h"

namespace vosk {

inline constexpr int kMaxSectionPoints = 30;
inline constexpr double kDefaultSectionThreshold = 10;
// Positions along the line when none are given: 0, 10, 20, … metres.
inline constexpr double kDefaultSectionSpacing = 10;

// One group of blows in elevations (metres; negative depths with by-depth).
struct SectionGroup {
    double top = 0, bottom = 0;
    double n = 0, nd = 0;
};

struct SectionLayer {
    double top = 0, bottom = 0;
    FieldText name;  // CP932: field 2, then field 3 when not empty
};

struct SectionPoint {
    std::string file;      // the path as the user gave it (UTF-8)
    FieldText name;        // CP932: heading::kPointNumber, else the file name without ".vkr"
    FieldText datum;       // CP932: heading::kDatumKind
    FieldText surveyName;  // CP932: heading::kSurveyName1, for the page's title
    bool hasElevation = false;  // heading::kElevation passes the numeric test
    double elevation = 0;       // heading::kElevation as a number (0 without one)
    double ground = 0;          // the top of the point: the elevation, or 0 with by-depth
    double x = 0;               // position along the section line, metres
    std::vector<SectionGroup> groups;
    std::vector<SectionLayer> layers;
    std::optional<double> thresholdDepth;  // metres below ground
    std::optional<double> ThresholdElevation() const {
        if (!thresholdDepth) return std::nullopt;
        return ground - *thresholdDepth;
    }
    // The highest and the lowest elevation the point reaches (its ground
    // without groups or layers; a Δh larger than its depth reaches above).
    double Top() const;
    double Bottom() const;
};

struct SectionOptions {
    double threshold = kDefaultSectionThreshold;
    bool byDepth = false;
    std::vector<double> at;  // empty: 0, 10, 20, …
};

struct SiteSection {
    std::vector<SectionPoint> points;
    double threshold = kDefaultSectionThreshold;
    bool byDepth = false;
    // The datum texts of the points, each once in order of appearance,
    // joined by " / " (one text when all agree).
    FieldText datum;
    // True when the points' datum texts differ (never with by-depth).
    bool datumsDiffer = false;
};

// Why a section cannot be drawn. `text` is UTF-8 and names the file where
// one is at fault ("FILE: 地盤高 (見出し 13) がありません").
struct SectionRefusal {
    enum Kind { None, NotASheet, NoElevation, PositionCount, PositionOrder, TooManyPoints, NoPoints, BadThreshold };
    Kind kind = None;
    std::string file;
    std::string text;
    explicit operator bool() const { return kind != None; }
};

// A data sheet as the section reads it.
struct SectionSheet {
    std::string file;  // UTF-8, as given
    std::shared_ptr<const SurveyData> survey;
};

// Reads one data sheet as the Open command reads it. The reader's own
// messages do not show: a file that cannot be taken (missing, not a data
// sheet, a DTD file with nothing in it) is refused with them, after the
// file name. Messages of a file that was taken are shown afterwards.
SectionRefusal ReadSectionSheet(const std::string& file, SectionSheet& out);

// The name of a point: heading field 5, else the file name without ".vkr".
FieldText SectionPointName(const SurveyData& survey, const std::string& file);

// The point of one survey, at position `x`; the name falls back on the
// file name.
SectionPoint MakeSectionPoint(const SurveyData& survey, const std::string& file, double x, double threshold,
                              bool byDepth);

// The file name of `file` without its folder and without ".vkr" (any case).
std::string SectionFileStem(std::string_view file);

// The threshold depth of a point's groups: the top of the first group whose
// Nd ≥ T, as depth below `ground`.
std::optional<double> ThresholdDepth(const std::vector<SectionGroup>& groups, double ground, double threshold);

// Checks everything the section refuses and builds it. On a refusal
// `section` is left empty.
SectionRefusal BuildSiteSection(const std::vector<SectionSheet>& sheets, const SectionOptions& options,
                                SiteSection& section);

// The single checks, for callers that check as the user goes.
SectionRefusal CheckPointCount(size_t count);
SectionRefusal CheckPositions(const std::vector<double>& at, size_t fileCount);
SectionRefusal CheckThreshold(double threshold);
SectionRefusal CheckElevation(const SurveyData& survey, const std::string& file, bool byDepth);

// "地盤高の基準 (見出し 12) が地点によって異なります: a.vkr TP, b.vkr AP"
// (UTF-8; file names without their folders), empty when they agree.
std::string DatumWarning(const SiteSection& section);

// A number given as text for a position or the threshold: the whole text
// is one decimal number. False for anything else.
bool ParseSectionNumber(std::string_view text, double& value);

// Position texts: "0", "10", "12.5" … as the dialog and --at show them.
std::string FormatSectionNumber(double value);

}  // namespace vosk
