// vosk-sheet set FILE.vkr [-o OUT.vkr] [--heading N=TEXT]...: heading fields
// set from the command line, the survey written back as Save writes it.

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <memory>

#include "platform/drive_map.h"
#include "survey/data_sheet.h"
#include "tools/tool_common.h"

namespace vosk::tool {

int SetCommand(const std::vector<std::string>& args) {
    std::string input, output;
    HeadingChanges changes;
    if (int rc = ParseWriteArguments(args, input, output, changes); rc != kDone) return rc;
    if (input.empty()) return Usage("set needs a file");
    if (output.empty()) output = input;

    auto survey = std::make_unique<SurveyData>();
    int version = 0;
    if (int rc = ReadSheetFile(input, *survey, version); rc != kDone) return rc;
    // A DTD-format file reads as an empty survey: writing that over it would
    // destroy it.
    std::error_code ec;
    if (version != sheet_version::kCurrent && std::filesystem::equivalent(PathFromUtf8(input), PathFromUtf8(output), ec)) {
        std::fprintf(stderr, "vosk-sheet: %s is a DTD-format file; name another file with -o\n",
                     input.c_str());
        return kUsage;
    }
    LoadToolSettings(*survey);
    for (auto& [field, text] : changes) survey->heading[field] = std::move(text);
    return WriteSheetFile(output, *survey);
}

}  // namespace vosk::tool
