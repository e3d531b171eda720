#include "platform/recording_canvas.h"

#include "platform/cp932.h"

namespace vosk {

void RecordingCanvas::DrawLine(int x1, int y1, int x2, int y2, int widthPx, Colour colour) {
    DrawOp op{DrawOp::Line};
    op.x1 = x1, op.y1 = y1, op.x2 = x2, op.y2 = y2, op.width = widthPx, op.colour = colour;
    ops_.push_back(std::move(op));
}

void RecordingCanvas::DrawCircle(int cx, int cy, int radius, int widthPx, Colour colour) {
    DrawOp op{DrawOp::Circle};
    op.x1 = cx, op.y1 = cy, op.radius = radius, op.width = widthPx, op.colour = colour;
    ops_.push_back(std::move(op));
}

bool RecordingCanvas::SelectFont(const FontRequest& font) {
    if (measure_ && !measure_->SelectFont(font)) return false;
    font_ = font;
    return true;
}

void RecordingCanvas::SetTextAlign(HAlign h, VAlign v) {
    hAlign_ = h;
    vAlign_ = v;
    if (measure_) measure_->SetTextAlign(h, v);
}

void RecordingCanvas::TextOut(int x, int y, std::string_view text) {
    DrawOp op{DrawOp::Text};
    op.x1 = x, op.y1 = y, op.hAlign = hAlign_, op.vAlign = vAlign_, op.text = text, op.font = font_;
    op.colour = font_.colour;
    ops_.push_back(std::move(op));
}

int RecordingCanvas::ModelTextHeight(int fontHeight, int width, std::string_view text, unsigned flags) {
    if (text.empty()) return 0;
    int lines = 1;
    int x = 0;
    for (size_t i = 0; i < text.size();) {
        bool wide = Cp932CharLength(text, i) == 2;
        int w = wide ? fontHeight : fontHeight / 2;
        if (text[i] == '\n') {
            ++lines;
            x = 0;
        } else {
            if ((flags & kWordBreak) && x > 0 && x + w > width) {
                ++lines;
                x = 0;
            }
            x += w;
        }
        i += wide ? 2 : 1;
    }
    return lines * fontHeight;
}

int RecordingCanvas::DrawTextInRect(int left, int top, int right, int bottom, std::string_view text, unsigned flags) {
    int height = measure_ ? measure_->DrawTextInRect(left, top, right, bottom, text, flags | kMeasureOnly)
                          : ModelTextHeight(font_.heightPx, right - left, text, flags);
    if (!(flags & kMeasureOnly)) {
        DrawOp op{DrawOp::TextBox};
        op.x1 = left, op.y1 = top, op.x2 = right, op.y2 = bottom, op.text = text, op.font = font_;
        op.width = static_cast<int>(flags);
        op.colour = font_.colour;
        ops_.push_back(std::move(op));
    }
    return height;
}

void RecordingCanvas::ClipRect(int left, int top, int right, int bottom) {
    DrawOp op{DrawOp::Clip};
    op.x1 = left, op.y1 = top, op.x2 = right, op.y2 = bottom;
    ops_.push_back(std::move(op));
}

void RecordingCanvas::ResetClip() { ops_.push_back(DrawOp{DrawOp::Unclip}); }

void RecordingCanvas::Replay(Canvas& target) const {
    for (const DrawOp& op : ops_) {
        switch (op.kind) {
            case DrawOp::Line: target.DrawLine(op.x1, op.y1, op.x2, op.y2, op.width, op.colour); break;
            case DrawOp::Circle: target.DrawCircle(op.x1, op.y1, op.radius, op.width, op.colour); break;
            case DrawOp::Text:
                target.SelectFont(op.font);
                target.SetTextAlign(op.hAlign, op.vAlign);
                target.TextOut(op.x1, op.y1, op.text);
                break;
            case DrawOp::TextBox:
                target.SelectFont(op.font);
                target.DrawTextInRect(op.x1, op.y1, op.x2, op.y2, op.text, static_cast<unsigned>(op.width));
                break;
            case DrawOp::Clip: target.ClipRect(op.x1, op.y1, op.x2, op.y2); break;
            case DrawOp::Unclip: target.ResetClip(); break;
        }
    }
}

}  // namespace vosk
