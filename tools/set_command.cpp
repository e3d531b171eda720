// vosk-sheet set FILE.vkr [-o OUT.vkr] [--heading N=TEXT]...: heading fields
// set from the command line, the survey written back as Save writes it.

#include <cstdio>
#include <memory>

#include "survey/data_sheet.h"
#include "tools/tool_common.h"

namespace vosk::tool {

int SetCommand(const std::vector<std::string>& args) {
    std::string input, output;
    HeadingChanges changes;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "-o" || a == "--heading") {
            if (i + 1 >= args.size()) return Usage(a + " needs a value");
            const std::string& value = args[++i];
            if (a == "-o") {
                output = value;
                continue;
            }
            if (int rc = TakeHeadingArgument(value, changes); rc != kDone) return rc;
        } else if (input.empty()) {
            input = a;
        } else {
            return Usage("unexpected argument: " + a);
        }
    }
    if (input.empty()) return Usage("set needs a file");
    if (output.empty()) output = input;

    auto survey = std::make_unique<SurveyData>();
    int version = 0;
    if (int rc = ReadSheetFile(input, *survey, version); rc != kDone) return rc;
    // A DTD-format file reads as an empty survey: writing that over it would
    // destroy it.
    if (version != sheet_version::kCurrent && output == input) {
        std::fprintf(stderr, "vosk-sheet: %s is a DTD-format file; name another file with -o\n",
                     input.c_str());
        return kUsage;
    }
    LoadToolSettings(*survey);
    for (auto& [field, text] : changes) survey->heading[field] = std::move(text);
    return WriteSheetFile(output, *survey);
}

}  // namespace vosk::tool
