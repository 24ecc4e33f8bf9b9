#include "app/printer_store_win32.h"

#include <windows.h>
#include <winspool.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "app/app_exception.h"
#include "app/file_version.h"
#include "app/format_text.h"
#include "app/printer_slots.h"
#include "app/tessary_app_win32.h"
#include "framework/file_win32.h"
#include "shared_formats/devnames_block.h"
#include "shared_formats/plain_decimal.h"
#include "shared_formats/printer_names.h"
#include "shared_formats/stored_devmode.h"
#include "win32_shared/ansi_lead_byte_win32.h"
#include "win32_shared/driver_devmode_win32.h"
#include "win32_shared/gdi_handles_win32.h"
#include "win32_shared/spooler_handles_win32.h"
#include "win32_shared/user_printers_win32.h"

namespace {

// The spooler answers into this many bytes first; a larger size it asks
// for is given once, up to the limit, which no printer description nears.
const DWORD kSpoolerAnswerSize = 65536;
const DWORD kSpoolerAnswerLimit = 16u << 20;

[[noreturn]] void ThrowSystemError(DWORD code = GetLastError())
{
    throw new CAppException(static_cast<uint32_t>(code));
}

std::string LanguageText(const char* key)
{
    return TessaryApp().GetConfigText("Language", key, "");
}

// The printer named; empty, with the reason in GetLastError(), when it
// cannot be opened. An empty name would open the print server instead of a
// printer.
PrinterHandle OpenNamedPrinter(const std::string& name)
{
    if (name.empty()) {
        SetLastError(ERROR_INVALID_PRINTER_NAME);
        return PrinterHandle();
    }
    HANDLE printer = nullptr;
    if (!OpenPrinterA(const_cast<char*>(name.c_str()), &printer, nullptr))
        return PrinterHandle();
    return PrinterHandle(printer);
}

// A spooler query answered into a zeroed buffer; a failure throws the
// system text.
template <typename Query>
std::vector<BYTE> AskSpooler(Query query)
{
    std::vector<BYTE> answer(kSpoolerAnswerSize, 0);
    DWORD needed = 0;
    if (query(answer.data(), static_cast<DWORD>(answer.size()), &needed))
        return answer;
    DWORD error = GetLastError();
    if (error == ERROR_INSUFFICIENT_BUFFER && needed > answer.size() &&
        needed <= kSpoolerAnswerLimit) {
        answer.assign(needed, 0);
        if (query(answer.data(), needed, &needed))
            return answer;
        error = GetLastError();
    }
    ThrowSystemError(error);
}

// The printer's level-2 description (PRINTER_INFO_2A at the start).
std::vector<BYTE> PrinterDetails(HANDLE printer)
{
    return AskSpooler([printer](BYTE* buffer, DWORD size, DWORD* needed) {
        return GetPrinterA(printer, 2, buffer, size, needed);
    });
}

// The printer's own default device mode: dmSize + dmDriverExtra bytes.
struct DevModeBytes {
    const BYTE* data = nullptr;  // null: the printer gave none
    size_t length = 0;
};

// The device mode a printer description points at, taken only when the
// whole of it lies inside the description.
DevModeBytes DefaultDevMode(const std::vector<BYTE>& details)
{
    const PRINTER_INFO_2A* info = reinterpret_cast<const PRINTER_INFO_2A*>(details.data());
    const uintptr_t begin = reinterpret_cast<uintptr_t>(details.data());
    const uintptr_t end = begin + details.size();
    const uintptr_t at = reinterpret_cast<uintptr_t>(info->pDevMode);
    DevModeBytes devMode;
    if (!info->pDevMode || at < begin || end - at < kDevModeHeaderSize)
        return devMode;
    const size_t length = size_t(info->pDevMode->dmSize) + info->pDevMode->dmDriverExtra;
    if (end - at < length)
        return devMode;
    devMode.data = reinterpret_cast<const BYTE*>(info->pDevMode);
    devMode.length = length;
    return devMode;
}

uint16_t DriverExtraOf(const BYTE* devMode)
{
    return reinterpret_cast<const DEVMODEA*>(devMode)->dmDriverExtra;
}

// The user's printers: local ones and the user's own connections. A list
// that cannot be read throws the system's text.
std::vector<std::string> UserPrinters()
{
    std::vector<std::string> printers;
    DWORD error = ERROR_SUCCESS;
    if (!ListUserPrinters(printers, error))
        ThrowSystemError(error);
    return printers;
}

// The stored device mode merged into the printer's current one by its
// driver; false when the driver refuses it.
bool MergedDevMode(HANDLE printer, const std::string& name, const std::vector<uint8_t>& stored,
                   std::vector<uint8_t>& merged)
{
    return DriverDevMode(printer, name, reinterpret_cast<const DEVMODEA*>(stored.data()), merged);
}

// A movable, zeroed global block holding a copy of size bytes.
GlobalBlock CopyToGlobalBlock(const void* data, size_t size)
{
    GlobalBlock block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size));
    if (!block)
        ThrowSystemError();
    const GlobalLockScope lock(block.Get());
    if (!lock.Data())
        ThrowSystemError();
    std::memcpy(lock.Data(), data, size);
    return block;
}

// One of the dialog's global blocks, locked while the save runs.
class LockedDialogBlock {
public:
    explicit LockedDialogBlock(HGLOBAL block) : m_lock(block)
    {
        if (!block)
            ThrowSystemError(ERROR_INVALID_HANDLE);
        if (!m_lock.Data())
            ThrowSystemError();
        m_size = GlobalSize(block);
    }
    uint8_t* Bytes() const { return static_cast<uint8_t*>(m_lock.Data()); }
    size_t Size() const { return m_size; }

private:
    GlobalLockScope m_lock;
    size_t m_size = 0;
};

// The selected printer cannot be opened any more: its slot is emptied and
// the dialog stays on the default printer.
void ForgetVanishedPrinter(int slot, const std::string& devModePath,
                           const std::string& devNamesPath)
{
    CTessaryApp& app = TessaryApp();
    DeleteFileA(devModePath.c_str());
    DeleteFileA(devNamesPath.c_str());
    app.WriteSetting(kPrinterSection, kSelectPrinterNameKey, "");
    app.WriteSetting(kPrinterSection, kSelectPrinterNoKey, "");
    app.WriteSetting(kPrinterSection, DevModeKey(slot), "");
    app.WriteSetting(kPrinterSection, VersionKey(slot), "");
    app.ShowMessage(LanguageText("DeletePrinterMsg"), MB_OK);
}

}  // namespace

std::string GetDriverVersion(const std::string& printerName)
{
    const PrinterHandle printer(OpenNamedPrinter(printerName));
    if (!printer)
        ThrowSystemError();
    const std::vector<BYTE> answer = AskSpooler([&printer](BYTE* buffer, DWORD size, DWORD* needed) {
        return GetPrinterDriverA(printer.Get(), nullptr, 2, buffer, size, needed);
    });
    const DRIVER_INFO_2A* driver = reinterpret_cast<const DRIVER_INFO_2A*>(answer.data());
    return driver->pDriverPath ? GetFileVersionString(driver->pDriverPath) : std::string();
}

void LoadStoredPrinter(CPrintSetupDialog& dialog)
{
    CTessaryApp& app = TessaryApp();
    const std::vector<std::string> printers = UserPrinters();
    if (printers.empty())
        throw new CAppException(LanguageText("NoPrinterMsg"));

    const std::string stored = app.GetSetting(kPrinterSection, kSelectPrinterNameKey, "");
    if (stored.empty())
        return;  // nothing stored: the dialog stays on the default printer
    const int slot = PlainDecimal(app.GetSetting(kPrinterSection, kSelectPrinterNoKey, ""));
    const std::string folder = app.GetSystemDataDirectory();
    const std::string devModePath = folder + DevModeFileName(slot);
    const std::string devNamesPath = folder + DevNamesFileName(slot);

    // Only one of the user's own printers is opened, by the name the
    // system lists: a stored name such as "\\host\share" that the user
    // never connected to would send the user's credentials to that host.
    const std::string* listed = FindListedPrinter(stored, printers, IsAnsiLeadByte);
    if (!listed) {
        ForgetVanishedPrinter(slot, devModePath, devNamesPath);
        return;
    }
    const std::string name = *listed;

    // The device mode the dialog gets, exactly dmSize + dmDriverExtra bytes.
    std::vector<uint8_t> devMode;
    {
        const PrinterHandle printer(OpenNamedPrinter(name));
        if (!printer) {
            ForgetVanishedPrinter(slot, devModePath, devNamesPath);
            return;
        }
        std::vector<uint8_t> storedDevMode;
        const bool withinBound = ReadFileUpTo(devModePath, kMaxStoredDevModeSize, storedDevMode);
        const std::string savedVersion = app.GetSetting(kPrinterSection, VersionKey(slot), "");
        const std::vector<BYTE> details = PrinterDetails(printer.Get());
        const DevModeBytes current = DefaultDevMode(details);
        if (!current.data)
            ThrowSystemError(ERROR_INVALID_DATA);
        const std::string currentVersion = GetDriverVersion(name);

        // A file that is too large, cut short, out of bounds or another
        // printer's counts as a driver change: it is never read past its end
        // or its bound, and only its header's length of it is used. So does
        // one the driver refuses to merge into its current device mode.
        const StoredDevModeParts parts =
            withinBound ? InspectStoredDevMode(storedDevMode.data(), storedDevMode.size(), name,
                                               IsAnsiLeadByte)
                        : OversizedStoredDevMode();
        bool changed = DriverChanged(savedVersion, currentVersion, parts, DriverExtraOf(current.data));
        if (!changed) {
            storedDevMode.resize(parts.Length());
            changed = !MergedDevMode(printer.Get(), name, storedDevMode, devMode);
        }
        if (changed) {
            app.ShowMessage(LanguageText("DifferentPrinterVersion"), MB_OK);
            WriteWholeFile(devModePath, current.data, current.length);
            app.WriteSetting(kPrinterSection, VersionKey(slot), currentVersion);
            devMode.assign(current.data, current.data + current.length);
        }
    }

    GlobalBlock devModeBlock = CopyToGlobalBlock(devMode.data(), devMode.size());
    const std::vector<uint8_t> devNames = BuildDeviceOnlyDevNamesBlock(name);
    GlobalBlock devNamesBlock = CopyToGlobalBlock(devNames.data(), devNames.size());
    // Not used by the dialog itself; a printer without one leaves it empty.
    CreatedDc dc(CreateDCA(nullptr, name.c_str(), nullptr,
                           reinterpret_cast<const DEVMODEA*>(devMode.data())));
    dialog.ReplaceDevMode(devModeBlock.Release());
    dialog.ReplaceDevNames(devNamesBlock.Release());
    dialog.ReplaceDC(dc.Release());
}

void SaveSelectedPrinter(CPrintSetupDialog& dialog)
{
    CTessaryApp& app = TessaryApp();
    const LockedDialogBlock devMode(dialog.DevMode());
    const LockedDialogBlock devNames(dialog.DevNames());
    DevNamesText names;
    if (devMode.Size() < kDevModeHeaderSize ||
        !ReadDevNamesBlock(devNames.Bytes(), devNames.Size(), names))
        ThrowSystemError(ERROR_INVALID_DATA);
    // Taken before dmDriverExtra may be adjusted below, and kept.
    const size_t length = DevModeSaveLength(devMode.Bytes(), devMode.Size());

    const PrinterHandle printer(OpenNamedPrinter(names.device));
    if (!printer)
        ThrowSystemError();
    const std::vector<BYTE> details = PrinterDetails(printer.Get());
    const DevModeBytes current = DefaultDevMode(details);
    DEVMODEA* chosen = reinterpret_cast<DEVMODEA*>(devMode.Bytes());
    if (current.data && chosen->dmDriverExtra != DriverExtraOf(current.data))
        chosen->dmDriverExtra = DriverExtraOf(current.data);
    const std::string version = GetDriverVersion(names.device);

    const int slot = ChoosePrinterSlot(names.device, [&app](const std::string& key,
                                                            const std::string& def) {
        return app.GetSetting(kPrinterSection, key, def);
    });
    const std::string folder = app.GetSystemDataDirectory();
    WriteWholeFile(folder + DevModeFileName(slot), devMode.Bytes(), length);
    const std::vector<uint8_t> block = BuildDevNamesBlock(names.driver, names.device, names.port);
    if (block.empty())
        throw new CAppException("The printer's driver and device names are too long.");
    WriteWholeFile(folder + DevNamesFileName(slot), block.data(), block.size());

    app.WriteSetting(kPrinterSection, kSelectPrinterNameKey, names.device);
    app.WriteSetting(kPrinterSection, kSelectPrinterNoKey, FormatText("%d", slot));
    app.WriteSetting(kPrinterSection, DevModeKey(slot), names.device);
    app.WriteSetting(kPrinterSection, VersionKey(slot), version);
}
