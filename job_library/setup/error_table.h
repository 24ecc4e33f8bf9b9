// What each error number of the library writes and whether it stops the job.
#pragma once
#include <cstdint>

// The library's error numbers, as its debug log and message table know them.
enum ErrorNumber : int32_t {
    kErrorSystem = 1,                 // a record that must exist is missing
    kErrorJobCount = 2,               // gJobCnt already 0 when a job is removed
    kErrorPrintSettings = 3,          // the job's print settings cannot be written
    kErrorPageNotStored = 4,          // a held page cannot be stored
    kErrorNoJobRecord = 5,            // a job id has no JobRecord
    kErrorDataTableShort = 6,         // fewer pages held than counted
    kErrorMethodOnPage = 7,           // no valid print method when a page arrives
    kErrorMethodOnPrintOut = 8,       // no valid print method when held pages go out
    kErrorPostFailed = 9,             // posting a launcher message failed
    kErrorNoLauncherToPost = 10,      // a message was due while no launcher runs
    kErrorIdNotOpen = 15,             // the job id is not open
    kErrorPageWithoutLauncher = 16,   // a page arrives while no launcher runs
    kErrorLauncherCommandLine = 17,   // the launcher's command line cannot be formed
    kErrorRecordNotCreated = 18,      // a JobRecord cannot be created
    kErrorJobLimit = 20,              // JobLimit jobs are open already
    kErrorCopies = 21,                // copies 0 or above CopiesLimit
    kErrorPagesLimit = 22,            // PagesLimit pages sent or held
    kErrorPageListNotWritten = 31,    // a page list cannot be written
    kErrorHandoffName = 32,           // a hand-off file's name cannot be formed
    kErrorHandoffOpen = 33,           // a hand-off file cannot be opened
    kErrorHandoffWrite = 34,          // a line cannot be written to a hand-off file
    kErrorMethodUndecided = 36,       // the print method cannot be decided
    kErrorHeldPageNotDeleted = 37,    // JP_AbortJob cannot delete a held page
    kErrorLauncherNotCreated = 40,    // the launcher process cannot be created
    kErrorLauncherNotReady = 41,      // the launcher is not ready within ChildTimeOut
    kErrorPairNotHandedOver = 50,     // a group of 2 pages cannot be handed over
    kErrorFourNotHandedOver = 51,     // a group of 4 pages cannot be handed over
    kErrorNextJobNotCurrent = 52,     // the current job cannot be moved on
    // The printer check's refusals.
    kErrorPrinterBlockAlloc = 61,     // block for the printer data not allocated
    kErrorNoDefaultPrinter = 66,      // the print dialog returned no default printer
    kErrorPrinterNotOpened = 67,      // printer not opened, or its data size unknown
    kErrorPrinterBlockLock = 68,      // block for the printer data not locked
    kErrorPortIsFile = 70,            // the default printer prints into a file
    kErrorPrinterNotAvailable = 71,   // data not read, or the spooler says not available
};

enum class ErrorBox { None, General, Port, NotAvailable };

struct ErrorRow {
    const char* fixedText;  // line text, or null when the line comes from the string table
    unsigned stringId;      // string id when fixedText is null; 0 with no text: no line
    bool stopsJob;
    ErrorBox box;
};

// The row for an error number; unknown numbers (0 included) give the
// "Undefined ErrorNo." row.
ErrorRow LookupErrorRow(int32_t errorNumber);
