#pragma once
// A canvas that keeps every drawing operation in device units, for tests and
// for the trace of the command-line tool. Text is measured by a plain model
// (a single-byte character is half the font height wide, a double-byte one
// the full height; a line is the font height) unless a real canvas is given
// to measure with.

#include <string>
#include <vector>

#include "platform/canvas.h"

namespace vosk {

struct DrawOp {
    enum Kind { Line, Circle, Text, TextBox, Clip, Unclip } kind;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // line ends; circle centre in x1, y1; rectangles l, t, r, b
    int radius = 0;
    int width = 0;
    Colour colour = 0;
    HAlign hAlign = HAlign::Left;
    VAlign vAlign = VAlign::Top;
    std::string text;  // CP932
    FontRequest font;
};

class RecordingCanvas : public Canvas {
public:
    RecordingCanvas(int dpiX, int dpiY, Canvas* measure = nullptr)
        : dpiX_(dpiX), dpiY_(dpiY), measure_(measure) {}

    int DpiX() const override { return dpiX_; }
    int DpiY() const override { return dpiY_; }
    void DrawLine(int x1, int y1, int x2, int y2, int widthPx, Colour colour) override;
    void DrawCircle(int cx, int cy, int radius, int widthPx, Colour colour) override;
    bool SelectFont(const FontRequest& font) override;
    void SetTextAlign(HAlign h, VAlign v) override;
    void TextOut(int x, int y, std::string_view text) override;
    int DrawTextInRect(int left, int top, int right, int bottom, std::string_view text, unsigned flags) override;
    void ClipRect(int left, int top, int right, int bottom) override;
    void ResetClip() override;

    const std::vector<DrawOp>& ops() const { return ops_; }
    void Clear() { ops_.clear(); }

    // Draws every recorded operation again on `target`.
    void Replay(Canvas& target) const;

    // The height the plain text model gives.
    static int ModelTextHeight(int fontHeight, int width, std::string_view text, unsigned flags);

private:
    int dpiX_, dpiY_;
    Canvas* measure_;
    FontRequest font_;
    HAlign hAlign_ = HAlign::Left;
    VAlign vAlign_ = VAlign::Top;
    std::vector<DrawOp> ops_;
};

}  // namespace vosk
