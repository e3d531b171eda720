#pragma once
// The data sheet file (.vkr): CP932 lines with CR LF, a magic line, then the
// sections $$Z (heading), $$A (soil rows), $$C (blow rows) and $$c (the
// derived depth–Nd list, written but never read back).

#include <string>
#include <string_view>

#include "platform/file_io.h"
#include "survey/survey_data.h"

namespace vosk {

inline constexpr std::string_view kSheetMagic = "$$_VSKTARVO100";

// Format versions of a data sheet.
namespace sheet_version {
inline constexpr int kNone = 0;        // not a data sheet
inline constexpr int kCurrent = 100;   // read
inline constexpr int kDtdNoVersion = 199;
inline constexpr int kDtd02 = 200;     // accepted, nothing taken in
inline constexpr int kNoNumber = 800;  // magic line without "100": refused
}  // namespace sheet_version

// Lines examined for the format, from the first.
inline constexpr int kVersionProbeLines = 6;

// The version a single line announces (0 for lines under 4 or over 127 bytes).
int DetectSheetVersion(std::string_view line);

// State of one read, kept between lines.
struct SheetReader {
    explicit SheetReader(SurveyData& s) : survey(s) {}
    SurveyData& survey;
    char section = 0;  // 0: before any section marker
    int row = 0;       // heading field or table row the next line fills
};

// Drops the line end (CR LF or LF) and, for version 100, applies the line.
void ReadDataSheetLine(SheetReader& reader, int version, std::string_view line);

// Applies one line without line end to the survey under the current section.
void ParseSectionLine(SheetReader& reader, std::string_view line);

// How a file reaches the reader: the Open command passes every line from
// the first; the framework (command line, recent files) passes the line that
// gave the version and every line after it.
enum class ReadPath { OpenCommand, Framework };

// Reads the bytes of a whole file into `survey`, one physical line at a time.
// Returns the file's version. For 0 and 800 message 32792 is shown and the
// survey is untouched; for 199 message 4015 is shown and reading goes on.
int ReadDataSheet(SurveyData& survey, std::string_view bytes, ReadPath path);

// True for the versions ReadDataSheet takes (100, 200, 199).
bool IsAcceptedSheetVersion(int version);

// The larger of the last soil layer depth and the last blow depth, in
// metres, "%.2f".
FieldText ComputeMaxDepth(const SurveyData& survey);

// What Save sets before writing: heading::kDigitsNd to `digitsNd`, kMaxDepth to
// ComputeMaxDepth.
void SetSavedHeadingFields(SurveyData& survey, std::string_view digitsNd);

// The whole file for `survey` as Save writes it (those two fields as
// SetSavedHeadingFields would set them); the survey is left as it is.
std::string FormatDataSheet(const SurveyData& survey, std::string_view digitsNd);

// Save: SetSavedHeadingFields, then FormatDataSheet written to `out`; false
// when the write failed.
bool WriteDataSheet(SurveyData& survey, std::string_view digitsNd, OutputFile& out);

}  // namespace vosk
