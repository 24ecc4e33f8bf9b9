// The device mode a printer's driver gives, alone or with a stored one
// merged in. The driver takes from a stored device mode only what it
// accepts and answers in its own current layout.
#pragma once
#include <windows.h>
#include <winspool.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// DocumentProperties for the open printer named name: its current device
// mode (stored null), or stored merged into it (DM_IN_BUFFER |
// DM_OUT_BUFFER). devMode gets the answer's dmSize + dmDriverExtra bytes.
// False when the driver refuses or answers with an impossible size.
inline bool DriverDevMode(HANDLE printer, const std::string& name, const DEVMODEA* stored,
                          std::vector<uint8_t>& devMode)
{
    devMode.clear();
    char* printerName = const_cast<char*>(name.c_str());
    const LONG size = DocumentPropertiesA(nullptr, printer, printerName, nullptr, nullptr, 0);
    const size_t header = offsetof(DEVMODEA, dmDriverExtra) + sizeof(WORD);
    if (size < static_cast<LONG>(header))
        return false;
    std::vector<uint8_t> answer(static_cast<size_t>(size), 0);
    DEVMODEA* mode = reinterpret_cast<DEVMODEA*>(answer.data());
    const DWORD how = stored ? DM_IN_BUFFER | DM_OUT_BUFFER : DM_OUT_BUFFER;
    if (DocumentPropertiesA(nullptr, printer, printerName, mode, const_cast<DEVMODEA*>(stored),
                            how) != IDOK)
        return false;
    const size_t length = size_t(mode->dmSize) + mode->dmDriverExtra;
    if (mode->dmSize < header || length > answer.size())
        return false;
    answer.resize(length);
    devMode.swap(answer);
    return true;
}
