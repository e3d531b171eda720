#include "platform/printer_service.h"

namespace vosk {
namespace {
PrinterService* g_printer = nullptr;
}

PrinterService* SetPrinterService(PrinterService* service) {
    PrinterService* previous = g_printer;
    g_printer = service;
    return previous;
}

PrinterService* CurrentPrinterService() { return g_printer; }

}  // namespace vosk
