#include "app/vosk_view.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScrollBar>
#include <algorithm>

#include "app/vosk_doc.h"
#include "platform/qt_canvas.h"
#include "platform/sheet_output.h"
#include "render/report_page.h"
#include "settings/settings_store.h"
#include "survey/survey_data.h"

namespace vosk {
namespace {

// Scroll sizes in device units at 100 %: the whole sheet, a page and a line.
constexpr int kTotalWidth = 831, kTotalHeight = 1247;
constexpr int kPageStepX = 103, kPageStepY = 155;
constexpr int kLineStepX = 25, kLineStepY = 38;
constexpr int kMinZoom = 25, kMaxZoom = 400;

}  // namespace

CVoskView::CVoskView(CVoskDoc& doc, QWidget* parent) : QAbstractScrollArea(parent), doc_(doc) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
}

int CVoskView::SurfaceDpi(int logicalDpi, int zoom) { return std::max(1, logicalDpi * zoom / 100); }
int CVoskView::ScreenDpiX() const { return SurfaceDpi(logicalDpiX(), zoom_); }
int CVoskView::ScreenDpiY() const { return SurfaceDpi(logicalDpiY(), zoom_); }
int CVoskView::ContentWidth() const { return kTotalWidth * zoom_ / 100; }

void CVoskView::OnInitialUpdate() {
    OnUpdate();
    UpdateScrollSizes();
}

void CVoskView::OnUpdate() {
    LoadSettings(Settings(), doc_.Survey(), false);
    DetectPaperSize(Settings());
    viewport()->update();
    emit PageChanged();
}

void CVoskView::UpdateScrollSizes() {
    int width = ContentWidth(), height = kTotalHeight * zoom_ / 100;
    horizontalScrollBar()->setRange(0, std::max(0, width - viewport()->width()));
    verticalScrollBar()->setRange(0, std::max(0, height - viewport()->height()));
    horizontalScrollBar()->setPageStep(kPageStepX * zoom_ / 100);
    verticalScrollBar()->setPageStep(kPageStepY * zoom_ / 100);
    horizontalScrollBar()->setSingleStep(kLineStepX * zoom_ / 100);
    verticalScrollBar()->setSingleStep(kLineStepY * zoom_ / 100);
}

void CVoskView::OnDraw(Canvas& canvas) {
    DrawSheetPage(canvas, doc_.Survey(), Settings(), pages_.currentPage);
}

void CVoskView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), palette().color(QPalette::Dark));
    painter.translate(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
    const int dpiX = ScreenDpiX(), dpiY = ScreenDpiY();
    painter.fillRect(QRect(0, 0, static_cast<int>(kA4WidthMm * dpiX / 25.4),
                           static_cast<int>(kA4HeightMm * dpiY / 25.4)),
                     Qt::white);
    QtCanvas canvas(&painter, dpiX, dpiY);
    OnDraw(canvas);
}

int CVoskView::PageCount() { return CountSheetPages(doc_.Survey(), pages_); }

void CVoskView::OnKeyDown(int key) {
    const int pages = PageCount();
    if (key == Qt::Key_PageUp || key == Qt::Key_Up) {
        if (pages_.currentPage > 1) --pages_.currentPage;
    } else if (key == Qt::Key_PageDown || key == Qt::Key_Down) {
        if (pages_.currentPage < pages) ++pages_.currentPage;
    } else {
        return;
    }
    viewport()->update();
    emit PageChanged();
}

void CVoskView::keyPressEvent(QKeyEvent* event) {
    // While a page is being printed no key turns pages.
    if (pages_.printing) return;
    OnKeyDown(event->key());
    // Page keys would also scroll; the page turn is what they mean here.
    if (event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown || event->key() == Qt::Key_Up ||
        event->key() == Qt::Key_Down)
        return;
    QAbstractScrollArea::keyPressEvent(event);
}

void CVoskView::wheelEvent(QWheelEvent* event) {
    if (event->modifiers() & Qt::ControlModifier) {
        int steps = event->angleDelta().y() / 120;
        if (steps > 0) SetZoom(zoom_ * 5 / 4);
        if (steps < 0) SetZoom(zoom_ * 4 / 5);
        event->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}

void CVoskView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollSizes();
}

void CVoskView::SetZoom(int percent) {
    zoom_ = std::clamp(percent, kMinZoom, kMaxZoom);
    UpdateScrollSizes();
    viewport()->update();
}

int CVoskView::FitWidthZoom() const {
    int widthAt100 = static_cast<int>(kA4WidthMm * logicalDpiX() / 25.4);
    return std::max(1, viewport()->width() * 100 / std::max(1, widthAt100));
}

void CVoskView::ZoomToFitWidth() { SetZoom(FitWidthZoom()); }

void CVoskView::OnPreviousPage() {
    if (pages_.printing) return;
    const int pages = PageCount();
    if (pages_.currentPage > pages)
        pages_.currentPage = 1;
    else if (pages_.currentPage > 1)
        --pages_.currentPage;
    viewport()->update();
    emit PageChanged();
}

void CVoskView::OnNextPage() {
    if (pages_.printing) return;
    const int pages = PageCount();
    if (pages_.currentPage > pages) pages_.currentPage = 1;
    if (pages_.currentPage < pages) ++pages_.currentPage;
    viewport()->update();
    emit PageChanged();
}

bool CVoskView::PrintPages(QPrinter& printer, int from, int to) {
    // The sheet's origin is the paper's corner, as on the screen and in PDFs.
    printer.setFullPage(true);
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    // Drawn on the paper grid and scaled to the printer: the same pixel
    // widths as the tool's PDFs, whatever resolution the printer reports.
    const QTransform toPrinter = QTransform::fromScale(static_cast<double>(printer.logicalDpiX()) / kPaperDpi,
                                                       static_cast<double>(printer.logicalDpiY()) / kPaperDpi);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    for (int page = from; page <= to; ++page) {
        if (page > from) printer.newPage();
        // Set on every page: the print preview records each page afresh and
        // would keep the last page's clip. Setting a clip and lifting it
        // makes sure the new page hears of both.
        painter.setTransform(toPrinter);
        painter.setClipRegion(QRegion());
        painter.setClipping(false);
        pages_.printing = 1;
        pages_.currentPage = page;
        QtCanvas canvas(&painter, kPaperDpi, kPaperDpi);
        OnDraw(canvas);
        pages_.printing = 0;
    }
    painter.end();
    QApplication::restoreOverrideCursor();
    viewport()->update();
    emit PageChanged();
    return true;
}

void CVoskView::OnFilePrint(QPrinter& printer) {
    DetectPaperSize(Settings());
    int pages = PageCount();
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, pages);
    dialog.setFromTo(1, pages);
    if (dialog.exec() != QDialog::Accepted) return;
    int from = 1, to = pages;
    if (printer.printRange() == QPrinter::PageRange) {
        from = std::max(1, printer.fromPage());
        to = std::min(pages, printer.toPage());
    } else if (printer.printRange() == QPrinter::CurrentPage) {
        from = to = pages_.currentPage;
    }
    PrintPages(printer, from, to);
}

void CVoskView::OnFilePrintPreview(QPrinter& printer) {
    DetectPaperSize(Settings());
    int pages = PageCount();
    QPrintPreviewDialog preview(&printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this, pages](QPrinter* p) { PrintPages(*p, 1, pages); });
    preview.exec();
}

}  // namespace vosk
