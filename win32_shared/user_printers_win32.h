// The printers the user can print on: the local printers and the user's own
// printer connections, as the spooler lists them (EnumPrinters level 4,
// which the spooler answers from its own records without asking a server).
#pragma once
#include <windows.h>
#include <winspool.h>

#include <string>
#include <vector>

// Their names, in the spooler's order. False, with the system's error code,
// when the list cannot be read.
inline bool ListUserPrinters(std::vector<std::string>& names, DWORD& error)
{
    names.clear();
    error = ERROR_SUCCESS;
    const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    // No list of names nears this; a larger size asked for is refused.
    const DWORD kAnswerLimit = 16u << 20;
    std::vector<BYTE> answer;
    DWORD needed = 0;
    DWORD returned = 0;
    // A printer added between the size query and the read asks for more:
    // the read is tried again a few times.
    for (int attempt = 0; attempt < 4; ++attempt) {
        if (EnumPrintersA(flags, nullptr, 4, answer.empty() ? nullptr : answer.data(),
                          static_cast<DWORD>(answer.size()), &needed, &returned)) {
            if (returned > answer.size() / sizeof(PRINTER_INFO_4A)) {
                error = ERROR_INVALID_DATA;  // more entries than the answer holds
                return false;
            }
            const PRINTER_INFO_4A* printers =
                reinterpret_cast<const PRINTER_INFO_4A*>(answer.data());
            for (DWORD i = 0; i < returned; ++i)
                if (printers[i].pPrinterName)
                    names.push_back(printers[i].pPrinterName);
            return true;
        }
        error = GetLastError();
        if (error != ERROR_INSUFFICIENT_BUFFER || needed <= answer.size() || needed > kAnswerLimit)
            return false;
        answer.assign(needed, 0);
    }
    return false;
}
