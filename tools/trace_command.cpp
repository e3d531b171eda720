// vosk-sheet trace FILE.vkr [--page N] [--dpi D]: the drawing operations of
// one page, one JSON object per line, in device units as drawn.

#include <cstdio>
#include <memory>

#include <QImage>
#include <QPainter>

#include "platform/qt_canvas.h"
#include "platform/recording_canvas.h"
#include "render/report_page.h"
#include "tools/json_writer.h"
#include "tools/tool_common.h"

namespace vosk::tool {
namespace {

std::string Rgb(Colour c) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", ColourRed(c), ColourGreen(c), ColourBlue(c));
    return JsonString(buffer);
}

std::string Int(int v) { return std::to_string(v); }

std::string Json(const DrawOp& op) {
    switch (op.kind) {
        case DrawOp::Line:
            return "{\"op\":\"line\",\"x1\":" + Int(op.x1) + ",\"y1\":" + Int(op.y1) + ",\"x2\":" + Int(op.x2) +
                   ",\"y2\":" + Int(op.y2) + ",\"w\":" + Int(op.width) + ",\"rgb\":" + Rgb(op.colour) + "}";
        case DrawOp::Circle:
            return "{\"op\":\"circle\",\"x\":" + Int(op.x1) + ",\"y\":" + Int(op.y1) + ",\"r\":" + Int(op.radius) +
                   ",\"w\":" + Int(op.width) + ",\"rgb\":" + Rgb(op.colour) + "}";
        case DrawOp::Text: {
            static const char* kAlign[] = {"left", "center", "right"};
            char angle[32];
            std::snprintf(angle, sizeof angle, "%g", op.font.angleDegrees);
            return "{\"op\":\"text\",\"x\":" + Int(op.x1) + ",\"y\":" + Int(op.y1) + ",\"align\":\"" +
                   kAlign[static_cast<int>(op.hAlign)] + "\",\"valign\":\"" +
                   (op.vAlign == VAlign::Top ? "top" : "bottom") + "\",\"text\":" + JsonField(op.text) +
                   ",\"face\":" + JsonField(op.font.face) + ",\"h\":" + Int(op.font.heightPx) + ",\"angle\":" + angle +
                   ",\"rgb\":" + Rgb(op.colour) + "}";
        }
        case DrawOp::TextBox:
            return "{\"op\":\"textbox\",\"l\":" + Int(op.x1) + ",\"t\":" + Int(op.y1) + ",\"r\":" + Int(op.x2) +
                   ",\"b\":" + Int(op.y2) + ",\"text\":" + JsonField(op.text) + ",\"face\":" + JsonField(op.font.face) +
                   ",\"h\":" + Int(op.font.heightPx) + "}";
        case DrawOp::Clip:
            return "{\"op\":\"clip\",\"l\":" + Int(op.x1) + ",\"t\":" + Int(op.y1) + ",\"r\":" + Int(op.x2) +
                   ",\"b\":" + Int(op.y2) + "}";
        case DrawOp::Unclip:
            return "{\"op\":\"unclip\"}";
    }
    return {};
}

}  // namespace

int TraceCommand(const std::vector<std::string>& args) {
    DrawArguments a;
    if (int rc = ParseDrawArguments(args, a); rc != kDone) return rc;
    if (a.files.size() != 1 || !a.output.empty()) return Usage("trace takes one file and no -o");
    auto survey = std::make_unique<SurveyData>();
    if (int rc = LoadSheetForDrawing(a.files[0], *survey); rc != kDone) return rc;
    int dpi = a.dpi ? a.dpi : 96;
    // Text is measured with the real fonts, so the trace is what a surface
    // of this resolution draws.
    QImage scratch(16, 16, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&scratch);
    QtCanvas measure(&painter, dpi, dpi);
    RecordingCanvas canvas(dpi, dpi, &measure);
    DrawSheetPage(canvas, *survey, Settings(), a.page);
    std::string out;
    for (const DrawOp& op : canvas.ops()) out += Json(op) + "\n";
    std::fwrite(out.data(), 1, out.size(), stdout);
    return kDone;
}

}  // namespace vosk::tool
