#include "printer_choice_win32.h"

#include <windows.h>
#include <winspool.h>

#include <cstddef>

#include "jobport_readers/ansi_code_page.h"
#include "launcher_log_win32.h"
#include "win32_shared/driver_devmode_win32.h"
#include "win32_shared/spooler_handles_win32.h"
#include "win32_shared/user_printers_win32.h"

namespace {

bool OpenNamedPrinter(const std::string& name, PrinterHandle& printer)
{
    HANDLE opened = nullptr;
    const bool ok = OpenPrinterA(const_cast<char*>(name.c_str()), &opened, nullptr) != FALSE;
    printer.Reset(ok ? opened : nullptr);
    return ok;
}

std::string DefaultPrinter()
{
    DWORD size = 0;
    GetDefaultPrinterA(nullptr, &size);
    if (size == 0)
        return std::string();
    std::vector<char> name(size + 1, '\0');
    if (!GetDefaultPrinterA(name.data(), &size))
        return std::string();
    return name.data();
}

DEVMODEA* AsDevMode(std::vector<uint8_t>& bytes) { return reinterpret_cast<DEVMODEA*>(bytes.data()); }

// The stored printer's name as the user's printer list spells it; empty,
// with a log line, when it is none of the user's printers (then it is never
// opened: a name such as "\\host\share" would send the user's credentials
// to that host) or the list cannot be read.
std::string ListedStoredPrinter(const std::string& stored)
{
    std::vector<std::string> printers;
    DWORD error = ERROR_SUCCESS;
    if (!ListUserPrinters(printers, error)) {
        LogLine("the user's printers cannot be listed (error " + std::to_string(error) +
                "): the default printer is used instead of the chosen printer \"" + stored + "\"");
        return std::string();
    }
    const std::string* listed = FindListedPrinter(stored, printers, AnsiLeadByteTest());
    if (!listed) {
        LogLine("the chosen printer \"" + stored +
                "\" is not one of this user's printers: the default printer is used");
        return std::string();
    }
    return *listed;
}

// The stored device mode cut to what the driver may take: its private part
// only when the file is whole, names this printer and the driver's private
// part still has the same size.
bool UsableStoredDevMode(const StoredChoice& choice, const std::string& printerName,
                         WORD driverExtra, std::vector<uint8_t>& stored)
{
    const std::string& path = choice.devModeFile;
    stored = choice.devMode;
    const StoredDevModeParts parts =
        choice.devModeTooLarge
            ? OversizedStoredDevMode()
            : InspectStoredDevMode(stored.data(), stored.size(), printerName, AnsiLeadByteTest());
    if (!parts.usable) {
        LogLine("stored device mode " + path + " is not used (" +
                DescribeStoredDevModeFault(parts.fault) + "): the printer's defaults are used");
        return false;
    }
    size_t keep = parts.Length();
    if (!parts.complete) {
        keep = parts.publicSize;
        LogLine("stored device mode " + path + ": " + DescribeStoredDevModeFault(parts.fault) +
                ": only its public settings are used");
    } else if (parts.privateSize != driverExtra) {
        keep = parts.publicSize;
        LogLine("stored device mode " + path +
                " was made for another driver version: only its public settings are used");
    }
    stored.resize(keep);
    AsDevMode(stored)->dmDriverExtra = static_cast<WORD>(keep - parts.publicSize);
    return true;
}

// The driver's device mode for the printer, merged with the stored one when
// the printer is the stored choice's.
void MakeDevMode(HANDLE printer, const std::string& name, const StoredChoice* stored,
                 std::vector<uint8_t>& devMode)
{
    std::vector<uint8_t> current;
    if (!DriverDevMode(printer, name, nullptr, current)) {
        LogFailure("DocumentProperties (defaults)", name);
        devMode.clear();
        return;
    }
    devMode = current;

    std::vector<uint8_t> usable;
    if (stored && UsableStoredDevMode(*stored, name, AsDevMode(current)->dmDriverExtra, usable)) {
        std::vector<uint8_t> merged;
        if (DriverDevMode(printer, name, AsDevMode(usable), merged))
            devMode.swap(merged);
        else
            LogFailure("DocumentProperties (stored device mode)", stored->devModeFile);
    }

    DEVMODEA* mode = AsDevMode(devMode);
    mode->dmCopies = 1;
    mode->dmFields |= DM_COPIES;
    if (mode->dmSize >= offsetof(DEVMODEA, dmCollate) + sizeof mode->dmCollate) {
        mode->dmCollate = DMCOLLATE_FALSE;
        mode->dmFields |= DM_COLLATE;
    }
}

// The printer's port, which DeviceCapabilities asks for; empty when unknown.
std::string PortOf(HANDLE printer)
{
    DWORD needed = 0;
    GetPrinterA(printer, 5, nullptr, 0, &needed);
    if (needed < sizeof(PRINTER_INFO_5A))
        return std::string();
    std::vector<BYTE> buffer(needed);
    const PRINTER_INFO_5A* info = reinterpret_cast<const PRINTER_INFO_5A*>(buffer.data());
    if (!GetPrinterA(printer, 5, buffer.data(), needed, &needed) || !info->pPortName)
        return std::string();
    return info->pPortName;
}

// Whether the device mode asks for two-sided printing and the printer can.
bool PrintsTwoSided(HANDLE printer, const std::string& name, const std::vector<uint8_t>& devMode)
{
    if (devMode.size() < offsetof(DEVMODEA, dmDuplex) + sizeof(short))
        return false;
    const DEVMODEA* mode = reinterpret_cast<const DEVMODEA*>(devMode.data());
    if (mode->dmSize < offsetof(DEVMODEA, dmDuplex) + sizeof mode->dmDuplex ||
        !(mode->dmFields & DM_DUPLEX) ||
        (mode->dmDuplex != DMDUP_VERTICAL && mode->dmDuplex != DMDUP_HORIZONTAL))
        return false;
    const std::string port = PortOf(printer);
    if (DeviceCapabilitiesA(name.c_str(), port.empty() ? nullptr : port.c_str(), DC_DUPLEX,
                            nullptr, nullptr) == 1)
        return true;
    LogLine("the device mode of \"" + name +
            "\" asks for two-sided printing, which the printer cannot do: one-sided");
    return false;
}

}  // namespace

bool ChoosePrinter(const StoredChoice& stored, ChosenPrinter& chosen, std::string& reason)
{
    chosen = ChosenPrinter();
    PrinterHandle printer;
    const StoredChoice* devModeSource = nullptr;
    if (!stored.printer.name.empty()) {
        const std::string listed = ListedStoredPrinter(stored.printer.name);  // logs when empty
        if (!listed.empty()) {
            if (OpenNamedPrinter(listed, printer)) {
                chosen.name = listed;
                devModeSource = &stored;
            } else {
                LogFailure("OpenPrinter (the chosen printer; the default printer is used)", listed);
            }
        }
    }
    if (chosen.name.empty()) {
        const std::string name = DefaultPrinter();
        if (name.empty()) {
            reason = "no printer is chosen and there is no default printer";
            return false;
        }
        if (!OpenNamedPrinter(name, printer)) {
            const DWORD error = GetLastError();
            reason = "the default printer \"" + name + "\" cannot be opened (error " +
                     std::to_string(error) + ")";
            LogLine(reason);
            return false;
        }
        chosen.name = name;
    }
    MakeDevMode(printer.Get(), chosen.name, devModeSource, chosen.devMode);
    chosen.twoSided = PrintsTwoSided(printer.Get(), chosen.name, chosen.devMode);
    return true;
}
