// vosk-sheet set FILE.vkr [-o OUT.vkr] [--heading N=TEXT]...: heading fields
// set from the command line, the survey written back as Save writes it.

#include <charconv>
#include <cstdio>
#include <memory>
#include <utility>

#include "survey/data_sheet.h"
#include "survey/field_check.h"
#include "tools/tool_common.h"

namespace vosk::tool {
namespace {

// "N=TEXT" with N from 1 to 70.
bool ParseHeadingArgument(const std::string& arg, int& field, std::string& text) {
    size_t eq = arg.find('=');
    if (eq == std::string::npos || eq == 0) return false;
    auto [end, ec] = std::from_chars(arg.data(), arg.data() + eq, field);
    if (ec != std::errc() || end != arg.data() + eq) return false;
    if (field < 1 || field > kHeadingFieldCount) return false;
    text = arg.substr(eq + 1);
    return true;
}

}  // namespace

int SetCommand(const std::vector<std::string>& args) {
    std::string input, output;
    std::vector<std::pair<int, FieldText>> changes;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "-o" || a == "--heading") {
            if (i + 1 >= args.size()) return Usage(a + " needs a value");
            const std::string& value = args[++i];
            if (a == "-o") {
                output = value;
                continue;
            }
            int field = 0;
            std::string text;
            if (!ParseHeadingArgument(value, field, text))
                return Usage("--heading takes N=TEXT with N from 1 to 70: " + value);
            FieldCheck check = CheckEnteredText(text, FieldKind::Heading);
            if (!check.ok()) {
                std::fprintf(stderr, "vosk-sheet: heading %d: %s\n", field, check.refusal.c_str());
                return kUsage;
            }
            changes.emplace_back(field, std::move(check.bytes));
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
