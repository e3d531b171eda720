#include "tools/tool_common.h"

#include <charconv>
#include <cstdio>

#include "platform/drive_map.h"
#include "platform/file_io.h"
#include "platform/message_service.h"
#include "platform/string_table.h"
#include "settings/settings_store.h"
#include "survey/data_sheet.h"
#include "survey/field_check.h"
#include "survey/open_data_sheet.h"
#include "render/site_section.h"

namespace vosk::tool {

int ReadSheetFile(const std::string& path, SurveyData& survey, int& version) {
    // The heading is normalised with the settings, which load after reading.
    OpenedSheet opened = OpenDataSheetFile(PathFromUtf8(path), path, ReadPath::OpenCommand, std::nullopt);
    version = opened.version;
    switch (opened.status) {
        case OpenedSheet::Opened: survey = std::move(*opened.survey); return kDone;
        case OpenedSheet::NotASheet: return kNotADataSheet;
        case OpenedSheet::Unreadable: break;
    }
    return kFileError;
}

int WriteSheetFile(const std::string& path, SurveyData& survey) {
    AtomicFile file(PathFromUtf8(path));
    if (!WriteDataSheet(survey, Settings().sheet.digitsNd, file) || !file.Commit()) {
        ShowMessage(message::kSaveFailed);
        return kFileError;
    }
    return kDone;
}

void LoadToolSettings(SurveyData& survey) { LoadSettings(Settings(), survey, false); }

int LoadSheetForDrawing(const std::string& path, SurveyData& survey) {
    int version = 0;
    if (int rc = ReadSheetFile(path, survey, version); rc != kDone) return rc;
    LoadToolSettings(survey);
    return kDone;
}

namespace {

bool ParsePositive(const std::string& text, int& value) {
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && value >= 1;
}

}  // namespace

int ParseWriteArguments(const std::vector<std::string>& args, std::string& input, std::string& output,
                        HeadingChanges& changes) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "-o" || a == "--heading") {
            if (i + 1 >= args.size()) return Usage(a + " needs a value");
            const std::string& value = args[++i];
            if (a == "-o")
                output = value;
            else if (int rc = TakeHeadingArgument(value, changes); rc != kDone)
                return rc;
        } else if (input.empty()) {
            input = a;
        } else {
            return Usage("unexpected argument: " + a);
        }
    }
    return kDone;
}

int ParseDrawArguments(const std::vector<std::string>& args, DrawArguments& out) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "-o" || a == "--page" || a == "--dpi") {
            if (i + 1 >= args.size()) return Usage(a + " needs a value");
            const std::string& value = args[++i];
            if (a == "-o")
                out.output = value;
            else if (!ParsePositive(value, a == "--page" ? out.page : out.dpi) || (a == "--dpi" && out.dpi > 4800))
                return Usage(a + " takes a whole number from 1" + (a == "--dpi" ? " to 4800" : "") + ": " + value);
        } else {
            out.files.push_back(a);
        }
    }
    if (out.files.empty()) return Usage("no data sheet given");
    return kDone;
}

int ParsePositionList(const std::string& value, std::vector<double>& at) {
    at.clear();
    size_t start = 0;
    while (true) {
        size_t comma = value.find(',', start);
        double x = 0;
        if (!ParseSectionNumber(value.substr(start, comma == std::string::npos ? std::string::npos : comma - start), x))
            return Usage("--at takes numbers separated by commas: " + value);
        at.push_back(x);
        if (comma == std::string::npos) return kDone;
        start = comma + 1;
    }
}

int Usage(const std::string& problem) {
    std::fprintf(stderr,
                 "vosk-sheet: %s\n"
                 "usage:\n"
                 "  vosk-sheet dump FILE.vkr\n"
                 "  vosk-sheet set FILE.vkr [-o OUT.vkr] [--heading N=TEXT]...\n"
                 "  vosk-sheet import FILE.csv -o OUT.vkr [--heading N=TEXT]...\n"
                 "  vosk-sheet export FILE.vkr [-o OUT.csv] [--converted-n RELATION]\n"
                 "  vosk-sheet check FILE.vkr [FILE.vkr ...] [--json]\n"
                 "  vosk-sheet settings\n"
                 "  vosk-sheet pages FILE.vkr\n"
                 "  vosk-sheet render FILE.vkr [FILE.vkr ...] -o OUT.pdf [--dpi D]\n"
                 "  vosk-sheet render FILE.vkr -o OUT.png|OUT.svg [--page N] [--dpi D]\n"
                 "  vosk-sheet trace FILE.vkr [--page N] [--dpi D]\n"
                 "  vosk-sheet section FILE.vkr ... -o OUT.pdf|OUT.svg|OUT.png [--at X1,X2,...]\n"
                 "                     [--threshold T] [--by-depth] [--dpi D]\n"
                 "  vosk-sheet section FILE.vkr ... --json [--at X1,X2,...] [--threshold T] [--by-depth]\n"
                 "  vosk-sheet site NEW.vks FILE.vkr ... [--at X1,X2,...] [--client TEXT] [--datum CODE]\n"
                 "                  [--threshold T] [--by-depth]\n"
                 "  vosk-sheet delivery SITE.vks -o DIR [--first-site N] [--replace]\n"
                 "  vosk-sheet delivery FILE.vkr ... -o DIR [--client TEXT] [--datum CODE] [--first-site N] [--replace]\n"
                 "  (section and delivery take site files wherever they take data sheets)\n",
                 problem.c_str());
    return kUsage;
}

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

int TakeHeadingArgument(const std::string& value, HeadingChanges& changes) {
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
    return kDone;
}

}  // namespace vosk::tool
