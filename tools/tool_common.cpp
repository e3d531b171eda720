#include "tools/tool_common.h"

#include <cstdio>

#include "platform/file_io.h"
#include "platform/message_service.h"
#include "settings/settings_store.h"
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
    if (!WriteDataSheet(survey, Settings().sheet.digitsNd, file) || !file.Commit()) {
        ShowMessage(4005);
        return kFileError;
    }
    return kDone;
}

void LoadToolSettings(SurveyData& survey) { LoadSettings(Settings(), survey, false); }

int Usage(const std::string& problem) {
    std::fprintf(stderr,
                 "vosk-sheet: %s\n"
                 "usage:\n"
                 "  vosk-sheet dump FILE.vkr\n"
                 "  vosk-sheet set FILE.vkr [-o OUT.vkr] [--heading N=TEXT]...\n"
                 "  vosk-sheet settings\n",
                 problem.c_str());
    return kUsage;
}

}  // namespace vosk::tool
