#include "platform/qt_printer_service.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace vosk {

std::optional<PrinterPage> QtPrinterService::DefaultPrinterPage() {
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return std::nullopt;
    QPrinter printer(info, QPrinter::HighResolution);
    QRect full = printer.pageLayout().fullRectPixels(printer.resolution());
    PrinterPage page;
    page.widthPx = full.width();
    page.heightPx = full.height();
    page.dpiX = printer.logicalDpiX();
    page.dpiY = printer.logicalDpiY();
    return page;
}

}  // namespace vosk
