// vosk-sheet import FILE.csv -o OUT.vkr [--heading N=TEXT]...: a blow table
// from a CSV file, each line entered as the blow-count dialog's Add enters
// it, the table stored as its OK stores it (the window's CSV import is the
// same rule).

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "entry/blow_table_text.h"
#include "platform/drive_map.h"
#include "platform/file_io.h"
#include "platform/message_service.h"
#include "platform/string_table.h"
#include "tools/tool_common.h"

namespace vosk::tool {

int ImportCommand(const std::vector<std::string>& args) {
    std::string input, output;
    HeadingChanges changes;
    if (int rc = ParseWriteArguments(args, input, output, changes); rc != kDone) return rc;
    if (input.empty()) return Usage("import needs a CSV file");
    if (output.empty()) return Usage("import needs -o OUT.vkr");

    auto bytes = ReadFileBytes(PathFromUtf8(input));
    if (!bytes) {
        ShowMessage(message::kFileNotFound, input);
        return kFileError;
    }
    BlowCsvImport imported = ImportBlowCsv(*bytes);
    if (!imported.survey) {
        // The dialog's refusal is a message box; here it must say which line.
        if (imported.refusedLine != 0)
            std::fprintf(stderr, "vosk-sheet: line %d: %s\n", imported.refusedLine, imported.refusal.c_str());
        else if (!imported.refusal.empty())
            std::fprintf(stderr, "vosk-sheet: %s: %s\n", input.c_str(), imported.refusal.c_str());
        return kUsage;
    }
    SurveyData& survey = *imported.survey;
    LoadToolSettings(survey);
    for (auto& [field, value] : changes) survey.heading[field] = std::move(value);
    return WriteSheetFile(output, survey);
}

}  // namespace vosk::tool
