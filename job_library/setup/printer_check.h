// The printer availability check: which refusals apply, in which order, and
// which error number each failure gives. The print dialog and the spooler are
// reached through PrinterQuery, so the rules run without Windows.
#pragma once
#include <cstdint>

#include "error_table.h"
#include "jobport_readers/config_record.h"

// The spooler's status value for a printer that is not available
// (PRINTER_STATUS_NOT_AVAILABLE).
const uint32_t kPrinterStatusNotAvailable = 0x1000;

// The port name that makes a printer write into a file.
const char kFilePortName[] = "FILE:";

// The default printer as the print dialog names it.
struct DefaultPrinterNames {
    char device[kPathBufferSize];  // printer name
    char port[kPathBufferSize];    // output port name
};

// How reading the printer's level-2 data ended.
enum class PrinterReadResult {
    Read,          // the status is valid
    OpenFailed,    // the printer could not be opened, or gave no handle
    NoDataSize,    // the spooler reported a data size of 0
    AllocFailed,   // the block for the data could not be allocated
    LockFailed,    // the block could not be locked
    ReadFailed,    // the data could not be read into the block
};

class PrinterQuery {
public:
    virtual ~PrinterQuery() = default;
    // The default printer, from the print dialog run without showing itself.
    // False when it returns none. Gives back whatever the dialog returned.
    virtual bool DefaultPrinter(DefaultPrinterNames& names) = 0;
    // Opens the printer by its device name and reads the status of its
    // level-2 data; releases everything it took before returning.
    virtual PrinterReadResult ReadStatus(const char* device, uint32_t& status) = 0;
};

// Bit 2 set and the port exactly "FILE:" (case-sensitive).
bool RefusesFilePort(uint32_t checkFlags, const char* port);
// Bit 4 set and the status exactly "not available" (no other bit with it).
bool RefusesPrinterStatus(uint32_t checkFlags, uint32_t status);
// The error number of a failed read; 0 for PrinterReadResult::Read.
int32_t ErrorForReadResult(PrinterReadResult result);

// Runs the check for the given PrintOutCheckFlags: 0 when printing may go
// ahead, else the error number. Flags 0 ask nothing at all. A printer on
// the file port is refused before it is opened.
int32_t RunPrinterCheck(uint32_t checkFlags, PrinterQuery& query);
