#include "error_table.h"

namespace {

struct NumberedRow {
    int32_t number;
    ErrorRow row;
};

const ErrorRow kUndefinedError = {nullptr, 20, true, ErrorBox::General};

ErrorRow Text(unsigned id) { return {nullptr, id, true, ErrorBox::General}; }
ErrorRow Fixed(const char* text) { return {text, 0, true, ErrorBox::General}; }
ErrorRow NoStop(unsigned id) { return {nullptr, id, false, ErrorBox::None}; }
ErrorRow Silent() { return {nullptr, 0, true, ErrorBox::General}; }

const NumberedRow kRows[] = {
    {kErrorSystem, Fixed("system error BUG")},
    {kErrorJobCount, Fixed("Job count illegal")},
    {kErrorPrintSettings, Fixed("error GetpSetting")},
    {kErrorPageNotStored, Text(11)},
    {kErrorNoJobRecord, Text(16)},
    {kErrorDataTableShort, Text(19)},
    {kErrorMethodOnPage, Text(17)},
    {kErrorMethodOnPrintOut, Text(26)},
    {kErrorPostFailed, NoStop(28)},
    {kErrorNoLauncherToPost, NoStop(29)},
    {kErrorIdNotOpen, NoStop(15)},
    {kErrorPageWithoutLauncher, Text(22)},
    {kErrorLauncherCommandLine, Text(14)},
    {kErrorRecordNotCreated, Text(8)},
    {kErrorJobLimit, Text(3)},
    {kErrorCopies, Text(2)},
    {kErrorPagesLimit, Text(18)},
    {kErrorPageListNotWritten, Text(12)},
    {kErrorHandoffName, Text(23)},
    {kErrorHandoffOpen, Text(24)},
    {kErrorHandoffWrite, Text(25)},
    {35, Text(21)},
    {kErrorMethodUndecided, Text(5)},
    {kErrorHeldPageNotDeleted, NoStop(27)},
    {kErrorLauncherNotCreated, Text(1)},
    {kErrorLauncherNotReady, Text(7)},
    {kErrorPairNotHandedOver, Silent()},
    {kErrorFourNotHandedOver, Silent()},
    {kErrorNextJobNotCurrent, Silent()},
    {kErrorPrinterBlockAlloc, Text(32)},
    {65, Text(33)},
    {kErrorNoDefaultPrinter, Text(34)},
    {kErrorPrinterNotOpened, Text(35)},
    {kErrorPrinterBlockLock, Text(36)},
    {kErrorPortIsFile, {nullptr, 37, true, ErrorBox::Port}},
    {kErrorPrinterNotAvailable, {nullptr, 39, true, ErrorBox::NotAvailable}},
    {99, NoStop(12)},
};

}  // namespace

ErrorRow LookupErrorRow(int32_t errorNumber)
{
    for (const NumberedRow& r : kRows)
        if (r.number == errorNumber)
            return r.row;
    return kUndefinedError;
}
