// vosk-sheet export FILE.vkr [-o OUT.csv] [--converted-n RELATION]: the blow
// table as UTF-8 CSV for spreadsheet programs, with the converted N last
// when asked for.

#include <cstdio>
#include <memory>
#include <optional>

#include "entry/converted_n.h"
#include "platform/drive_map.h"
#include "platform/cp932.h"
#include "platform/file_io.h"
#include "platform/message_service.h"
#include "platform/string_table.h"
#include "survey/numbers.h"
#include "tools/tool_common.h"

namespace vosk::tool {
namespace {

// Spreadsheet programs expect CR LF.
constexpr std::string_view kLineEnd = "\r\n";

std::string CsvField(std::string_view utf8) {
    if (utf8.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(utf8);
    std::string out = "\"";
    for (char c : utf8) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

}  // namespace

int ExportCommand(const std::vector<std::string>& args) {
    std::string input, output, relationText;
    std::optional<NRelation> relation;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o") {
            if (i + 1 >= args.size()) return Usage("-o needs a value");
            output = args[++i];
        } else if (args[i] == "--converted-n") {
            if (i + 1 >= args.size()) return Usage("--converted-n needs a relation");
            relationText = args[++i];
            relation = ParseNRelation(relationText);
            if (!relation) return Usage(std::string(kBadRelationMessage));
        } else if (input.empty()) {
            input = args[i];
        } else {
            return Usage("unexpected argument: " + args[i]);
        }
    }
    if (input.empty()) return Usage("export needs a file");

    auto survey = std::make_unique<SurveyData>();
    int version = 0;
    if (int rc = ReadSheetFile(input, *survey, version); rc != kDone) return rc;

    std::string csv;
    for (size_t i = 0; i < kBlowCsvColumns.size(); ++i) {
        if (i > 0) csv += ',';
        csv += kBlowCsvColumns[i];
    }
    if (relation) csv += "," + CsvField(std::string(kConvertedNColumn) + relationText + ")");
    csv += kLineEnd;
    // The rows the sheet draws: from row 1 while the depth is a number.
    for (int r = 1; r <= kBlowRowCount && IsNumericText(survey->blow[r][2]) == 1; ++r) {
        const BlowRow& row = survey->blow[r];
        csv += FormatFixed(ParseDecimal(row[2]) / 100, 2);
        for (int f = 1; f <= kBlowFieldCount; ++f) csv += "," + CsvField(Cp932ToUtf8(row[f]));
        if (relation) csv += "," + ConvertedN(*relation, row[4]);
        csv += kLineEnd;
    }

    if (output.empty()) {
        std::fwrite(csv.data(), 1, csv.size(), stdout);
        return kDone;
    }
    if (!WriteFileAtomically(PathFromUtf8(output), csv)) {
        ShowMessage(message::kSaveFailed);
        return kFileError;
    }
    return kDone;
}

}  // namespace vosk::tool
