#pragma once
// The drawing surface the report sheet is drawn on: screen, printer, PDF,
// picture, or a recording for tests and traces. Everything is in device
// units of the surface; texts are CP932 bytes.

#include <cstdint>
#include <string>
#include <string_view>

namespace vosk {

// A colour as the settings hold it: 0x00BBGGRR.
using Colour = std::uint32_t;

inline constexpr int ColourRed(Colour c) { return static_cast<int>(c & 0xFF); }
inline constexpr int ColourGreen(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
inline constexpr int ColourBlue(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }

enum class HAlign { Left, Center, Right };
enum class VAlign { Top, Bottom };  // the top or the bottom of the character cell

struct FontRequest {
    int heightPx = 0;      // cell height (ascent + descent) in device units
    std::string face;      // face name as the settings hold it (CP932)
    double angleDegrees = 0;  // escapement, counter-clockwise
    Colour colour = 0;
};

// Layout flags of DrawTextInRect.
enum TextBoxFlag : unsigned {
    kWordBreak = 1,
    kNoClip = 2,
    kExternalLeading = 4,
    kMeasureOnly = 8,  // lay out and return the height, draw nothing
};

class Canvas {
public:
    virtual ~Canvas() = default;

    // Logical pixels per inch of the surface.
    virtual int DpiX() const = 0;
    virtual int DpiY() const = 0;

    // A solid line with a pen of `widthPx` (callers never pass 0).
    virtual void DrawLine(int x1, int y1, int x2, int y2, int widthPx, Colour colour) = 0;
    // The outline of a circle.
    virtual void DrawCircle(int cx, int cy, int radius, int widthPx, Colour colour) = 0;

    // Makes `font` current for the texts that follow; false when no such
    // font can be made (the previous one stays).
    virtual bool SelectFont(const FontRequest& font) = 0;
    virtual void SetTextAlign(HAlign h, VAlign v) = 0;
    // One line of text anchored at (x, y) by the current alignment.
    virtual void TextOut(int x, int y, std::string_view text) = 0;
    // Text laid out left/top in the rectangle with `flags`; returns the height
    // the laid-out text takes.
    virtual int DrawTextInRect(int left, int top, int right, int bottom, std::string_view text,
                               unsigned flags) = 0;

    // Intersects the clip region with the rectangle; ResetClip removes it.
    virtual void ClipRect(int left, int top, int right, int bottom) = 0;
    virtual void ResetClip() = 0;
};

// Pages drawn one after another into one file (a PDF): the drawing asks
// for each page, the file is complete only after Finish.
class PagedOutput {
public:
    virtual ~PagedOutput() = default;
    // The canvas of the next page, valid until the next call; null when the
    // output cannot go on.
    virtual Canvas* BeginPage() = 0;
    // False when nothing could be written.
    virtual bool Finish() = 0;
};

}  // namespace vosk
