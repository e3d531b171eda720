#pragma once
// The default printer as the printing system (CUPS) reports it.

#include "platform/printer_service.h"

namespace vosk {

class QtPrinterService : public PrinterService {
public:
    std::optional<PrinterPage> DefaultPrinterPage() override;
};

}  // namespace vosk
