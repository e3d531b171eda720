#include "survey/data_sheet.h"

#include "platform/message_service.h"
#include "platform/string_table.h"
#include "survey/text_lines.h"

namespace vosk {
namespace {

constexpr std::string_view kMagicWithoutNumber = "$$_VSKTARVO";
// "簡易動的コーン貫入試験データシート情報 DTD" in CP932.
constexpr std::string_view kDtdMarker =
    "\x8a\xc8\x88\xd5\x93\xae\x93\x49\x83\x52\x81\x5b\x83\x93\x8a\xd1\x93\xfc"
    "\x8e\x8e\x8c\xb1\x83\x66\x81\x5b\x83\x5e\x83\x56\x81\x5b\x83\x67\x8f\xee"
    "\x95\xf1\x20\x44\x54\x44";
constexpr std::string_view kDtdVersion02 = "_version=\"02\"";

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

}  // namespace

int DetectSheetVersion(std::string_view line) {
    if (line.size() < 4 || line.size() >= 128) return sheet_version::kNone;
    if (Contains(line, kSheetMagic)) return sheet_version::kCurrent;
    if (Contains(line, kMagicWithoutNumber)) return sheet_version::kNoNumber;
    if (size_t at = line.find(kDtdMarker); at != std::string_view::npos) {
        // The version must follow the marker directly; look at every
        // occurrence of the marker.
        do {
            if (line.substr(at + kDtdMarker.size()).starts_with(kDtdVersion02)) return sheet_version::kDtd02;
            at = line.find(kDtdMarker, at + 1);
        } while (at != std::string_view::npos);
        return sheet_version::kDtdNoVersion;
    }
    return sheet_version::kNone;
}

void ReadDataSheetLine(SheetReader& reader, int version, std::string_view line) {
    line = StripLineEnd(line);
    if (version == sheet_version::kCurrent) ParseSectionLine(reader, line);
}

void ParseSectionLine(SheetReader& reader, std::string_view line) {
    if (Contains(line, "$$")) {
        if (line.size() > 2) {
            reader.section = line[2];
            reader.row = 1;
        }
        return;
    }
    SurveyData& s = reader.survey;
    switch (reader.section) {
        case 'Z':
            if (reader.row <= kHeadingFieldCount) s.heading[reader.row++] = line;
            break;
        case 'A':
            if (reader.row <= kSoilRowCount) {
                ReportOverlongCsvLine(line);
                SplitCsvLine(line, &s.soil[reader.row++][1], kSoilFieldCount);
            }
            break;
        case 'C':
            if (reader.row <= kBlowRowCount) {
                ReportOverlongCsvLine(line);
                SplitCsvLine(line, &s.blow[reader.row++][1], kBlowFieldCount);
            }
            break;
        default:
            break;
    }
}

bool IsAcceptedSheetVersion(int version) {
    return version == sheet_version::kCurrent || version == sheet_version::kDtd02 ||
           version == sheet_version::kDtdNoVersion;
}

int ReadDataSheet(SurveyData& survey, std::string_view bytes, ReadPath path) {
    // The format is the first non-zero answer of the first six lines.
    int version = sheet_version::kNone;
    size_t versionLineStart = 0;
    int probed = 0;
    size_t offset = 0;
    ForEachLine(bytes, [&](std::string_view line) {
        version = DetectSheetVersion(StripLineEnd(line));
        versionLineStart = offset;
        offset += line.size();
        return version == sheet_version::kNone && ++probed < kVersionProbeLines;
    });
    if (!IsAcceptedSheetVersion(version)) {
        ShowMessage(message::kNotADataSheet);
        return version;
    }
    if (version == sheet_version::kDtdNoVersion) ShowMessage(message::kDtdVersionUnsupported);

    ClearSurvey(survey);
    SheetReader reader(survey);
    if (path == ReadPath::Framework) bytes.remove_prefix(versionLineStart);
    ForEachLine(bytes, [&](std::string_view line) {
        ReadDataSheetLine(reader, version, line);
        return true;
    });
    return version;
}

}  // namespace vosk
