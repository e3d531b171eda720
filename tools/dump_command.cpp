// vosk-sheet dump FILE.vkr: the survey of a data sheet as one JSON object.

#include <cstdio>
#include <memory>

#include "survey/survey_data.h"
#include "tools/json_writer.h"
#include "tools/tool_common.h"

namespace vosk::tool {
namespace {

template <typename Row>
void AppendRows(std::string& out, const Row* rows, int rowCount, int fieldCount) {
    out += '[';
    for (int r = 1; r <= rowCount; ++r) {
        out += r > 1 ? ",[" : "[";
        for (int f = 1; f <= fieldCount; ++f) {
            if (f > 1) out += ',';
            out += JsonField(rows[r][f]);
        }
        out += ']';
    }
    out += ']';
}

}  // namespace

int DumpCommand(const std::vector<std::string>& args) {
    if (args.size() != 1) return Usage("dump takes one file");
    auto survey = std::make_unique<SurveyData>();
    int version = 0;
    if (int rc = ReadSheetFile(args[0], *survey, version); rc != kDone) return rc;

    std::string out = "{\"version\": " + std::to_string(version) + ", \"heading\": [";
    for (int i = 1; i <= kHeadingFieldCount; ++i) {
        if (i > 1) out += ',';
        out += JsonField(survey->heading[i]);
    }
    out += "], \"soil\": ";
    AppendRows(out, survey->soil.data(), kSoilRowCount, kSoilFieldCount);
    out += ", \"blow\": ";
    AppendRows(out, survey->blow.data(), kBlowRowCount, kBlowFieldCount);
    out += ", \"counts\": {\"soil\": " + std::to_string(CountSoilRows(*survey)) +
           ", \"blow\": " + std::to_string(CountBlowRows(*survey)) + "}}\n";
    std::fwrite(out.data(), 1, out.size(), stdout);
    return kDone;
}

}  // namespace vosk::tool
