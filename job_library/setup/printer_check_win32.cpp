#include "printer_check_win32.h"

#include <windows.h>
#include <commdlg.h>
#include <winspool.h>

#include "devnames_reader.h"
#include "printer_check.h"
#include "win32_shared/spooler_handles_win32.h"

namespace {

#if defined(_WIN32) && !defined(_WIN64)
// The record the print dialog expects on 32-bit Windows.
static_assert(sizeof(PRINTDLGA) == 66, "PRINTDLGA must be the 66-byte 32-bit record");
#endif

class Win32PrinterQuery : public PrinterQuery {
public:
    bool DefaultPrinter(DefaultPrinterNames& names) override
    {
        PRINTDLGA dialog;
        ZeroMemory(&dialog, sizeof dialog);
        dialog.lStructSize = sizeof dialog;
        dialog.Flags = PD_RETURNDEFAULT;
        const BOOL found = PrintDlgA(&dialog);
        // Owned whatever the result, so that nothing the dialog returned stays behind.
        const GlobalBlock devNames(dialog.hDevNames);
        const GlobalBlock devMode(dialog.hDevMode);
        if (!found || !devNames)
            return false;

        const GlobalLockScope lock(devNames.Get());
        if (!lock.Data())
            return false;
        return ReadDevNames(lock.Data(), GlobalSize(devNames.Get()), names);
    }

    PrinterReadResult ReadStatus(const char* device, uint32_t& status) override
    {
        PRINTER_DEFAULTSA defaults;
        ZeroMemory(&defaults, sizeof defaults);
        HANDLE opened = nullptr;
        // OpenPrinterA takes a non-const name but does not change it.
        const BOOL ok = OpenPrinterA(const_cast<char*>(device), &opened, &defaults);
        const PrinterHandle printer(opened);
        if (!ok || !printer)
            return PrinterReadResult::OpenFailed;

        DWORD size = 0;
        GetPrinterA(printer.Get(), 2, nullptr, 0, &size);
        if (size == 0)
            return PrinterReadResult::NoDataSize;

        const GlobalBlock block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size));
        if (!block)
            return PrinterReadResult::AllocFailed;
        const GlobalLockScope lock(block.Get());
        if (!lock.Data())
            return PrinterReadResult::LockFailed;

        DWORD needed = 0;
        if (!GetPrinterA(printer.Get(), 2, static_cast<LPBYTE>(lock.Data()), size, &needed))
            return PrinterReadResult::ReadFailed;
        status = static_cast<const PRINTER_INFO_2A*>(lock.Data())->Status;
        return PrinterReadResult::Read;
    }
};

}  // namespace

int32_t CheckPrinter(uint32_t checkFlags)
{
    Win32PrinterQuery query;
    return RunPrinterCheck(checkFlags, query);
}
