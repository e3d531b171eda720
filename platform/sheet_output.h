#pragma once
// Surfaces the report sheet is written to as files: a PNG picture, an SVG
// drawing and a PDF of several pages, each A4 portrait at a given DPI with the
// origin at the paper's top-left corner. Files are replaced atomically: a
// failed output leaves the previous file as it was and reports false.

#include <QImage>
#include <QSize>
#include <filesystem>
#include <functional>
#include <memory>

#include "platform/canvas.h"

namespace vosk {

// The grid the sheet is drawn on for paper: PDFs of the tool and pages
// printed from the window alike, so a rule has the same weight on both.
inline constexpr int kPaperDpi = 600;

// The report sheet is portrait; the site section is landscape.
enum class PageOrientation { Portrait, Landscape };

// A4 (210 × 297 mm, or 297 × 210 mm landscape) in whole pixels at `dpi`.
QSize A4SizePx(int dpi, PageOrientation orientation = PageOrientation::Portrait);

using PageDraw = std::function<void(Canvas&)>;

// One page drawn on a white A4 image whose logical DPI is `dpi`, antialiased.
// A null image when `dpi` is not positive or the image cannot be allocated.
QImage RenderPageImage(int dpi, const PageDraw& draw, PageOrientation orientation = PageOrientation::Portrait);

bool WritePagePng(const std::filesystem::path& path, int dpi, const PageDraw& draw,
                  PageOrientation orientation = PageOrientation::Portrait);
// Whether this build writes SVG at all: a Windows build made without Qt's
// SVG module does not, and WritePageSvg then reports false.
bool SvgOutputAvailable();
bool WritePageSvg(const std::filesystem::path& path, int dpi, const PageDraw& draw,
                  PageOrientation orientation = PageOrientation::Portrait);

// A PDF of A4 pages at resolution `dpi` (device pixels per inch).
//     PdfOutput pdf(path, 600);
//     for (...) if (Canvas* c = pdf.BeginPage()) DrawPage(*c);
//     bool ok = pdf.Finish();
class PdfOutput : public PagedOutput {
public:
    PdfOutput(const std::filesystem::path& path, int dpi, PageOrientation orientation = PageOrientation::Portrait);
    ~PdfOutput() override;  // without Finish nothing is written
    PdfOutput(const PdfOutput&) = delete;
    PdfOutput& operator=(const PdfOutput&) = delete;

    // False when the file cannot be written (unwritable folder, bad DPI).
    bool IsOpen() const;
    // Starts the next page and gives the canvas to draw it on, valid until
    // the next BeginPage or Finish; null when the output is not open.
    Canvas* BeginPage() override;
    int PageCount() const;
    // Completes the file. False when it was not open, no page was begun, or
    // writing failed.
    bool Finish() override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// A report sheet's PDF on the paper grid, as the tool's render command
// writes it: what the delivery opens for each point.
std::unique_ptr<PagedOutput> OpenSheetPdf(const std::filesystem::path& path);

}  // namespace vosk
