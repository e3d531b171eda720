#pragma once
// The scrolling view of the main window: the current page of the report
// sheet on screen, page turning, zoom of the on-screen page, and printing
// through the same drawing as the tool's PDFs, on their grid. It only shows and
// prints: the commands that edit live in data_commands and settings_commands.

#include <QAbstractScrollArea>

#include "render/report_page.h"

class QPrinter;

namespace vosk {

class Canvas;
class CVoskDoc;

class CVoskView : public QAbstractScrollArea {
    Q_OBJECT
public:
    // Shows the survey of `doc`; the view owns the page state.
    explicit CVoskView(CVoskDoc& doc, QWidget* parent = nullptr);

    // After the document changed: settings and heading, paper size, repaint.
    void OnInitialUpdate();
    void OnUpdate();
    // Draws the current page on `canvas` at its resolution.
    void OnDraw(Canvas& canvas);

    int CurrentPage() const { return pages_.currentPage; }
    PageState& Pages() { return pages_; }
    void OnPreviousPage();
    void OnNextPage();
    // The number of pages of the sheet (brings the current page back to 1
    // when it lies beyond).
    int PageCount();

    // Prints pages `from` to `to` on `printer`; the current page is the last
    // printed one afterwards. False when the printer could not be started.
    // The pages are drawn at kPaperDpi and scaled to the printer's resolution.
    bool PrintPages(QPrinter& printer, int from, int to);
    // The print dialog, then printing.
    void OnFilePrint(QPrinter& printer);
    void OnFilePrintPreview(QPrinter& printer);

    // On-screen zoom in percent; never changes what is printed.
    int Zoom() const { return zoom_; }
    void SetZoom(int percent);
    void ZoomToFitWidth();
    // The resolution the sheet is drawn at on a screen of `logicalDpi` at
    // `zoom` percent.
    static int SurfaceDpi(int logicalDpi, int zoom);
    // The width the sheet scrolls over at the current zoom, in pixels.
    int ContentWidth() const;

signals:
    // The page or anything the enabling of commands depends on changed.
    void PageChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void OnKeyDown(int key);
    void UpdateScrollSizes();
    int ScreenDpiX() const;
    int ScreenDpiY() const;
    int FitWidthZoom() const;

    CVoskDoc& doc_;
    PageState pages_;
    int zoom_ = 100;
};

}  // namespace vosk
