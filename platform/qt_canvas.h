#pragma once
// The report sheet drawn through a QPainter: screen, printer, PDF, picture.
// Device units are the pixels the caller gives the canvas: the painter's
// device pixels, or a grid the painter scales to its device (printing draws
// on the paper grid whatever the printer's resolution); texts are CP932.

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QString>
#include <memory>
#include <string_view>

#include "platform/canvas.h"

class QPainter;

namespace vosk {

// A font made for one (face, cell height): made once and shared, since the
// sheet selects its fonts hundreds of times per page.
struct QtFontEntry {
    explicit QtFontEntry(const QFont& f);
    QFont font;
    QFontMetricsF metrics;
    int ascent = 0;   // device pixels, as QFontMetrics rounds them
    int descent = 0;
    int leading = 0;  // external leading
    int CellHeight() const { return ascent + descent; }
};

class QtCanvas : public Canvas {
public:
    // Paints with `painter` (not owned), which must be active and must not be
    // changed by others while the canvas draws. The DPI is the painter
    // device's logical DPI. On a raster painter (screen, image) straight lines
    // fill their pixels; on any other (paper, PDF, SVG) they are strokes of
    // their width. A recording (a QPicture, or the print preview's pages) is
    // played back at a scale not known here, where a line far below a pixel
    // would fade away: there every line and circle also gets a hairline, which
    // the playback draws one pixel wide at any scale.
    explicit QtCanvas(QPainter* painter, bool antialias = true);
    // The same with the DPI of the grid the caller draws on (the paper grid
    // when printing, which the painter scales to the printer).
    QtCanvas(QPainter* painter, int dpiX, int dpiY, bool antialias = true);

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

    // Smooth edges for lines, circles and text; on by default.
    void SetAntialiasing(bool on);

    // The font the texts use now (IPAMincho, 16 px cell, until one is selected).
    const QtFontEntry& CurrentFont() const { return *font_; }

    // The installed family that stands in for a face name of the settings
    // (CP932): the Windows Japanese faces map to the IPA fonts, an installed
    // family is used as it is, anything else becomes IPAMincho.
    static QString FamilyForFace(std::string_view faceCp932);
    // The shared font for a face and a cell height (ascent + descent) in
    // device pixels; a negative height is the character (em) height, as on
    // Windows. Null for a height of 0 or beyond the 16-bit device range.
    // `pixelText`: for a raster surface, unhinted.
    static std::shared_ptr<const QtFontEntry> FontFor(std::string_view faceCp932, int heightPx,
                                                      bool pixelText = false);

private:
    void UseFont();
    // Smoothing for slanted lines and circles (text has its own hint).
    void SmoothShapes(bool on);

    QPainter* painter_;
    int dpiX_, dpiY_;
    std::shared_ptr<const QtFontEntry> font_;
    const QtFontEntry* painterFont_ = nullptr;  // the entry last set on the painter
    FontRequest request_;                             // what selected font_
    QColor textColour_{Qt::black};
    bool antialias_ = true;
    bool pixelText_ = false;  // unhinted text (raster only)
    bool fillsRules_ = true;  // straight lines as filled pixels (raster only)
    bool hairlines_ = false;  // a one-pixel line along every line (recordings)
    HAlign hAlign_ = HAlign::Left;
    VAlign vAlign_ = VAlign::Top;
};

}  // namespace vosk
