#include "app/window_placement.h"

#include <QImage>
#include <QMainWindow>
#include <QPainter>
#include <QScreen>
#include <QSettings>
#include <QStyle>
#include <algorithm>

#include "app/profile.h"
#include "app/vosk_view.h"
#include "platform/qt_canvas.h"
#include "render/sheet_drawing.h"

namespace vosk {
namespace {

const QString kGeometryKey = QStringLiteral("Window/Geometry");
const QString kZoomKey = QStringLiteral("Window/Zoom");
constexpr int kMaxReadableZoom = 400;

}  // namespace

int FigureHeightPx(const SheetFont& font, int dpi) {
    const int cell = SheetFontMetrics(MakeSheetMapping(dpi, dpi, 0, 0), font.size).heightDevice;
    if (cell <= 0) return 0;
    QImage image(6 * cell, 2 * cell, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QtCanvas canvas(&painter, dpi, dpi);
        FontRequest request;
        request.face = font.face;
        request.heightPx = cell;
        if (!canvas.SelectFont(request)) return 0;
        canvas.SetTextAlign(HAlign::Left, VAlign::Top);
        canvas.TextOut(cell / 2, cell / 2, "0123456789");
    }
    int top = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                if (top < 0) top = y;
                bottom = y;
                break;
            }
    return top < 0 ? 0 : bottom - top + 1;
}

int ReadableZoom(const SettingsStore& settings, int logicalDpi) {
    int zoom = 100;
    for (int i = 1; i <= kSheetFontCount; ++i)
        while (zoom < kMaxReadableZoom &&
               FigureHeightPx(settings.fonts[i], CVoskView::SurfaceDpi(logicalDpi, zoom)) < kMinFigurePx)
            ++zoom;
    return zoom;
}

void SaveWindowPlacement(const QMainWindow& window, int zoom) {
    QSettings profile = Profile();
    profile.setValue(kGeometryKey, window.saveGeometry());
    profile.setValue(kZoomKey, zoom);
}

int RestoreWindowPlacement(QMainWindow& window) {
    QSettings profile = Profile();
    const QByteArray geometry = profile.value(kGeometryKey).toByteArray();
    if (geometry.isEmpty() || !window.restoreGeometry(geometry)) return 0;
    return std::max(0, profile.value(kZoomKey).toInt());
}

void PlaceForFirstStart(QMainWindow& window, CVoskView& view, const SettingsStore& settings) {
    view.SetZoom(ReadableZoom(settings, view.logicalDpiY()));
    const QRect free = window.screen()->availableGeometry();
    // The frame around the sheet (the view's border, the scroll bar), and the
    // window system's title bar, which may not be known before it shows.
    const int around = window.width() - view.viewport()->width();
    const int titleBar = std::max(window.frameGeometry().height() - window.height(),
                                  window.style()->pixelMetric(QStyle::PM_TitleBarHeight));
    const int width = std::min(free.width(), view.ContentWidth() + around);
    window.resize(width, std::max(1, free.height() - titleBar));
    window.move(free.left() + (free.width() - width) / 2, free.top());
}

}  // namespace vosk
