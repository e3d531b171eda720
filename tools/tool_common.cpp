#include "tools/tool_common.h"

#include <cstdio>

#include "platform/file_io.h"
#include "platform/message_service.h"
#include "survey/data_sheet.h"

namespace vosk::tool {

int ReadSheetFile(const std::string& path, SurveyData& survey, int& version) {
    auto bytes = ReadFileBytes(path);
    if (!bytes) {
        ShowMessage(32795, path);
        return kFileError;
    }
    version = ReadDataSheet(survey, *bytes, ReadPath::OpenCommand);
    return IsAcceptedSheetVersion(version) ? kDone : kNotADataSheet;
}

int WriteSheetFile(const std::string& path, SurveyData& survey) {
    AtomicFile file(path);
    if (!WriteDataSheet(survey, DigitsNd(), file) || !file.Commit()) {
        ShowMessage(4005);
        return kFileError;
    }
    return kDone;
}

std::string_view CompanyName() {
    return "\x8a\x94\x8e\xae\x89\xef\x8e\xd0";  // 株式会社, the settings' default
}

std::string_view DigitsNd() { return {}; }

int Usage(const std::string& problem) {
    std::fprintf(stderr,
                 "vosk-sheet: %s\n"
                 "usage:\n"
                 "  vosk-sheet dump FILE.vkr\n"
                 "  vosk-sheet set FILE.vkr [-o OUT.vkr] [--heading N=TEXT]...\n",
                 problem.c_str());
    return kUsage;
}

}  // namespace vosk::tool
