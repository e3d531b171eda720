#include "platform/sheet_output.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#ifdef VOSK_SVG_OUTPUT
#include <QSvgGenerator>
#endif
#include <cmath>
#include <string_view>

#include "platform/file_io.h"
#include "platform/qt_canvas.h"

namespace vosk {
namespace {

constexpr double kMmPerInch = 25.4;

bool WriteBytes(AtomicFile& file, const QByteArray& bytes) {
    return file.Write(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()))) && file.Commit();
}

}  // namespace

QSize A4SizePx(int dpi, PageOrientation orientation) {
    QSize size(static_cast<int>(std::lround(210.0 * dpi / kMmPerInch)),
               static_cast<int>(std::lround(297.0 * dpi / kMmPerInch)));
    return orientation == PageOrientation::Landscape ? size.transposed() : size;
}

QImage RenderPageImage(int dpi, const PageDraw& draw, PageOrientation orientation) {
    if (dpi <= 0) return QImage();
    QImage image(A4SizePx(dpi, orientation), QImage::Format_RGB32);
    if (image.isNull()) return image;
    image.fill(Qt::white);
    // The image's logical DPI is what the canvas reports and the PNG keeps.
    int dotsPerMeter = static_cast<int>(std::lround(dpi / (kMmPerInch / 1000.0)));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    QPainter painter(&image);
    QtCanvas canvas(&painter);
    draw(canvas);
    return image;
}

bool WritePagePng(const std::filesystem::path& path, int dpi, const PageDraw& draw, PageOrientation orientation) {
    AtomicFile file(path);
    if (!file.IsOpen()) return false;
    QImage image = RenderPageImage(dpi, draw, orientation);
    if (image.isNull()) return false;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return false;
    return WriteBytes(file, buffer.data());
}

#ifdef VOSK_SVG_OUTPUT
bool SvgOutputAvailable() { return true; }

bool WritePageSvg(const std::filesystem::path& path, int dpi, const PageDraw& draw, PageOrientation orientation) {
    if (dpi <= 0) return false;
    AtomicFile file(path);
    if (!file.IsOpen()) return false;
    QBuffer buffer;
    QSize size = A4SizePx(dpi, orientation);
    {
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setResolution(dpi);  // gives the drawing its A4 size in millimetres
        generator.setSize(size);
        generator.setViewBox(QRect(QPoint(0, 0), size));
        QPainter painter;
        if (!painter.begin(&generator)) return false;
        painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
        {
            QtCanvas canvas(&painter);
            draw(canvas);
        }
        if (!painter.end()) return false;
    }
    return WriteBytes(file, buffer.data());
}
#else
bool SvgOutputAvailable() { return false; }

bool WritePageSvg(const std::filesystem::path&, int, const PageDraw&, PageOrientation) { return false; }
#endif

// Members are destroyed in reverse: the painter ends before the writer and
// the buffer it writes into go away.
struct PdfOutput::Impl {
    Impl(const std::filesystem::path& path, int dpi, PageOrientation orientation) : file(path) {
        open = file.IsOpen() && dpi > 0 && buffer.open(QIODevice::WriteOnly);
        if (!open) return;
        writer = std::make_unique<QPdfWriter>(&buffer);
        writer->setResolution(dpi);
        writer->setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4),
                        orientation == PageOrientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                        QMarginsF(0, 0, 0, 0)));
        writer->setCreator(QStringLiteral("Vosk"));
    }

    AtomicFile file;
    QBuffer buffer;
    std::unique_ptr<QPdfWriter> writer;
    QPainter painter;
    std::unique_ptr<QtCanvas> canvas;
    bool open = false;
    bool finished = false;
    int pages = 0;
};

PdfOutput::PdfOutput(const std::filesystem::path& path, int dpi, PageOrientation orientation)
    : impl_(std::make_unique<Impl>(path, dpi, orientation)) {}

PdfOutput::~PdfOutput() = default;

bool PdfOutput::IsOpen() const { return impl_->open && !impl_->finished; }

int PdfOutput::PageCount() const { return impl_->pages; }

Canvas* PdfOutput::BeginPage() {
    Impl& d = *impl_;
    if (!IsOpen()) return nullptr;
    if (d.pages == 0) {
        if (!d.painter.begin(d.writer.get())) {
            d.open = false;
            return nullptr;
        }
        d.canvas = std::make_unique<QtCanvas>(&d.painter);
    } else {
        if (!d.writer->newPage()) {
            d.open = false;
            return nullptr;
        }
        d.canvas->ResetClip();  // each page starts unclipped
    }
    ++d.pages;
    return d.canvas.get();
}

bool PdfOutput::Finish() {
    Impl& d = *impl_;
    if (!IsOpen()) return false;
    d.finished = true;
    d.canvas.reset();
    if (d.pages == 0) return false;
    if (!d.painter.end()) return false;
    return WriteBytes(d.file, d.buffer.data());
}

std::unique_ptr<PagedOutput> OpenSheetPdf(const std::filesystem::path& path) {
    return std::make_unique<PdfOutput>(path, kPaperDpi);
}

}  // namespace vosk
