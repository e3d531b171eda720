// vosk-sheet render: every page of one or more data sheets into a PDF, or
// one page into a PNG or SVG picture.

#include <QString>
#include <memory>

#include "platform/drive_map.h"
#include "platform/message_service.h"
#include "platform/sheet_output.h"
#include "platform/string_table.h"
#include "render/report_page.h"
#include "tools/tool_common.h"

namespace vosk::tool {
namespace {

bool EndsWith(const std::string& path, const char* suffix) {
    return QString::fromStdString(path).endsWith(QLatin1String(suffix), Qt::CaseInsensitive);
}

int RenderPdf(const DrawArguments& a) {
    PdfOutput pdf(PathFromUtf8(a.output), a.dpi ? a.dpi : kPaperDpi);
    if (!pdf.IsOpen()) {
        ShowMessage(message::kSaveFailed);
        return kFileError;
    }
    for (const std::string& file : a.files) {
        auto survey = std::make_unique<SurveyData>();
        if (int rc = LoadSheetForDrawing(file, *survey); rc != kDone) return rc;
        DrawSheetPages(*survey, Settings(), pdf);
    }
    if (!pdf.Finish()) {
        ShowMessage(message::kSaveFailed);
        return kFileError;
    }
    return kDone;
}

int RenderPicture(const DrawArguments& a, bool svg) {
    if (a.files.size() != 1) return Usage("a picture holds one page of one file");
    auto survey = std::make_unique<SurveyData>();
    if (int rc = LoadSheetForDrawing(a.files[0], *survey); rc != kDone) return rc;
    auto draw = [&](Canvas& canvas) { DrawSheetPage(canvas, *survey, Settings(), a.page); };
    int dpi = a.dpi ? a.dpi : 96;
    bool ok = svg ? WritePageSvg(PathFromUtf8(a.output), dpi, draw) : WritePagePng(PathFromUtf8(a.output), dpi, draw);
    if (!ok) {
        ShowMessage(message::kSaveFailed);
        return kFileError;
    }
    return kDone;
}

}  // namespace

int RenderCommand(const std::vector<std::string>& args) {
    DrawArguments a;
    if (int rc = ParseDrawArguments(args, a); rc != kDone) return rc;
    if (a.output.empty()) return Usage("render needs -o OUT.pdf, OUT.png or OUT.svg");
    if (EndsWith(a.output, ".pdf")) return RenderPdf(a);
    if (EndsWith(a.output, ".png")) return RenderPicture(a, false);
    if (EndsWith(a.output, ".svg"))
        return SvgOutputAvailable() ? RenderPicture(a, true) : Usage("this build writes no SVG: " + a.output);
    return Usage("render writes .pdf, .png or .svg: " + a.output);
}

}  // namespace vosk::tool
