#include "printer_check.h"

#include <cstring>

bool RefusesFilePort(uint32_t checkFlags, const char* port)
{
    return (checkFlags & kCheckPortIsFile) != 0 && std::strcmp(port, kFilePortName) == 0;
}

bool RefusesPrinterStatus(uint32_t checkFlags, uint32_t status)
{
    return (checkFlags & kCheckPrinterNotAvailable) != 0 && status == kPrinterStatusNotAvailable;
}

int32_t ErrorForReadResult(PrinterReadResult result)
{
    switch (result) {
    case PrinterReadResult::Read:
        return 0;
    case PrinterReadResult::OpenFailed:
    case PrinterReadResult::NoDataSize:
        return kErrorPrinterNotOpened;
    case PrinterReadResult::AllocFailed:
        return kErrorPrinterBlockAlloc;
    case PrinterReadResult::LockFailed:
        return kErrorPrinterBlockLock;
    case PrinterReadResult::ReadFailed:
        break;
    }
    return kErrorPrinterNotAvailable;
}

int32_t RunPrinterCheck(uint32_t checkFlags, PrinterQuery& query)
{
    if (checkFlags == 0)
        return 0;

    DefaultPrinterNames names;
    names.device[0] = '\0';
    names.port[0] = '\0';
    if (!query.DefaultPrinter(names))
        return kErrorNoDefaultPrinter;

    if (RefusesFilePort(checkFlags, names.port))
        return kErrorPortIsFile;

    uint32_t status = 0;
    const int32_t readError = ErrorForReadResult(query.ReadStatus(names.device, status));
    if (readError != 0)
        return readError;
    return RefusesPrinterStatus(checkFlags, status) ? kErrorPrinterNotAvailable : 0;
}
