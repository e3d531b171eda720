// vosk-sheet pages FILE.vkr: the page count of the report sheet.

#include <cstdio>
#include <memory>

#include "render/report_page.h"
#include "tools/tool_common.h"

namespace vosk::tool {

int PagesCommand(const std::vector<std::string>& args) {
    if (args.size() != 1) return Usage("pages takes one file");
    auto survey = std::make_unique<SurveyData>();
    if (int rc = LoadSheetForDrawing(args[0], *survey); rc != kDone) return rc;
    PageState state;
    std::printf("%d\n", CountSheetPages(*survey, state));
    return kDone;
}

}  // namespace vosk::tool
