#pragma once
// What the program asks of the default printer. The Qt implementation asks
// the printing system; without one installed there is no printer.

#include <optional>

namespace vosk {

struct PrinterPage {
    double widthPx = 0;   // full physical page in device pixels
    double heightPx = 0;
    int dpiX = 0;
    int dpiY = 0;
};

class PrinterService {
public:
    virtual ~PrinterService() = default;
    // The default printer's page, or nullopt when there is no printer.
    virtual std::optional<PrinterPage> DefaultPrinterPage() = 0;
};

// Installs `service` (not owned; nullptr for none) and returns the previous one.
PrinterService* SetPrinterService(PrinterService* service);
PrinterService* CurrentPrinterService();

}  // namespace vosk
