// vosk-sheet export FILE.vkr [-o OUT.csv] [--converted-n RELATION]: the blow
// table as UTF-8 CSV for spreadsheet programs, with the converted N last
// when asked for (the window's CSV export is the same rule).

#include <cstdio>
#include <memory>
#include <optional>

#include "entry/blow_table_text.h"
#include "entry/converted_n.h"
#include "platform/drive_map.h"
#include "platform/file_io.h"
#include "platform/message_service.h"
#include "platform/string_table.h"
#include "tools/tool_common.h"

namespace vosk::tool {

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

    const std::string csv = FormatBlowCsv(*survey, relation ? &*relation : nullptr, relationText);
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
