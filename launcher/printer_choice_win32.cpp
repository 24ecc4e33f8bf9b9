#include "printer_choice_win32.h"

#include <windows.h>
#include <winspool.h>

#include <cstddef>

#include "launcher_log_win32.h"
#include "win32_shared/spooler_handles_win32.h"

namespace {

bool OpenNamedPrinter(const std::string& name, HANDLE& printer)
{
    printer = nullptr;
    return OpenPrinterA(const_cast<char*>(name.c_str()), &printer, nullptr) != FALSE;
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

// The stored device mode cut to what the driver may take: its private part
// only when the driver's private part still has the same size.
bool UsableStoredDevMode(const StoredChoice& choice, WORD driverExtra, std::vector<uint8_t>& stored)
{
    const std::string& path = choice.devModeFile;
    stored = choice.devMode;
    const StoredDevModeParts parts = InspectStoredDevMode(stored.data(), stored.size());
    if (!parts.usable) {
        LogLine("stored device mode " + path + " is missing or damaged: the printer's defaults are used");
        return false;
    }
    size_t keep = parts.publicSize + parts.privateSize;
    if (parts.privateSize != driverExtra) {
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
    devMode.clear();
    char* printerName = const_cast<char*>(name.c_str());
    const LONG size = DocumentPropertiesA(nullptr, printer, printerName, nullptr, nullptr, 0);
    if (size < static_cast<LONG>(offsetof(DEVMODEA, dmFields) + sizeof(DWORD))) {
        LogFailure("DocumentProperties (size)", name);
        return;
    }
    std::vector<uint8_t> current(static_cast<size_t>(size), 0);
    if (DocumentPropertiesA(nullptr, printer, printerName, AsDevMode(current), nullptr,
                            DM_OUT_BUFFER) != IDOK) {
        LogFailure("DocumentProperties (defaults)", name);
        return;
    }
    devMode = current;

    std::vector<uint8_t> usable;
    if (stored && UsableStoredDevMode(*stored, AsDevMode(current)->dmDriverExtra, usable)) {
        std::vector<uint8_t> merged(static_cast<size_t>(size), 0);
        if (DocumentPropertiesA(nullptr, printer, printerName, AsDevMode(merged),
                                AsDevMode(usable), DM_IN_BUFFER | DM_OUT_BUFFER) == IDOK)
            devMode = merged;
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

}  // namespace

bool ChoosePrinter(const StoredChoice& stored, ChosenPrinter& chosen, std::string& reason)
{
    chosen = ChosenPrinter();
    HANDLE opened = nullptr;
    const StoredChoice* devModeSource = nullptr;
    if (!stored.printer.name.empty()) {
        if (OpenNamedPrinter(stored.printer.name, opened)) {
            chosen.name = stored.printer.name;
            devModeSource = &stored;
        } else {
            LogFailure("OpenPrinter (the chosen printer; the default printer is used)",
                       stored.printer.name);
        }
    }
    if (chosen.name.empty()) {
        const std::string name = DefaultPrinter();
        if (name.empty()) {
            reason = "no printer is chosen and there is no default printer";
            return false;
        }
        if (!OpenNamedPrinter(name, opened)) {
            const DWORD error = GetLastError();
            reason = "the default printer \"" + name + "\" cannot be opened (error " +
                     std::to_string(error) + ")";
            LogLine(reason);
            return false;
        }
        chosen.name = name;
    }
    const PrinterHandle printer(opened);
    MakeDevMode(printer.Get(), chosen.name, devModeSource, chosen.devMode);
    return true;
}
