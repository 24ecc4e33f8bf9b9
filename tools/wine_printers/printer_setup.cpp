#include "printer_setup.h"

#include <windows.h>
#include <winspool.h>

#include <string>
#include <vector>

#include "win32_shared/kernel_handles_win32.h"
#include "win32_shared/loaded_module_win32.h"
#include "win32_shared/spooler_handles_win32.h"

namespace wine_printers {

const char kPostScriptDriver[] = "Wine PostScript Driver";

namespace {

// Wine's PostScript driver: the module that draws and the one that configures.
const char kPostScriptModule[] = "wineps.drv";
const char kPpdFileName[] = "generic.ppd";
// The PPD is resource 1 of this type in winspool.drv.
const char kPpdResourceType[] = "PPDFILE";
// Version 3 drivers keep their files in this sub-folder of the driver directory.
const char kDriverVersionFolder[] = "\\3";

bool Fail(std::string& error, const std::string& what, DWORD code = GetLastError())
{
    error = what + " (Windows error " + std::to_string(code) + ")";
    return false;
}

std::string Text(const char* s) { return s ? s : ""; }

bool WritePpd(const std::string& path, std::string& error)
{
    const LoadedModule spooler(LoadLibraryExA("winspool.drv", nullptr, LOAD_LIBRARY_AS_DATAFILE));
    if (!spooler.Get())
        return Fail(error, "cannot load winspool.drv");
    HRSRC resource = FindResourceA(spooler.Get(), MAKEINTRESOURCEA(1), kPpdResourceType);
    HGLOBAL loaded = resource ? LoadResource(spooler.Get(), resource) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = resource ? SizeofResource(spooler.Get(), resource) : 0;
    if (!data || size == 0)
        return Fail(error, "winspool.drv carries no PPD resource");

    // An existing PPD of the same size is the one written before.
    WIN32_FILE_ATTRIBUTE_DATA existing;
    if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &existing) &&
        existing.nFileSizeHigh == 0 && existing.nFileSizeLow == size)
        return true;

    const KernelHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return Fail(error, "cannot create " + path);
    DWORD written = 0;
    if (!WriteFile(file.Get(), data, size, &written, nullptr) || written != size)
        return Fail(error, "cannot write " + path);
    return true;
}

bool RegisterDriver(std::string& error)
{
    DRIVER_INFO_3A driver;
    ZeroMemory(&driver, sizeof driver);
    driver.cVersion = 3;
    driver.pName = const_cast<char*>(kPostScriptDriver);
    driver.pDriverPath = const_cast<char*>(kPostScriptModule);
    driver.pDataFile = const_cast<char*>(kPpdFileName);
    driver.pConfigFile = const_cast<char*>(kPostScriptModule);
    if (AddPrinterDriverA(nullptr, 3, reinterpret_cast<LPBYTE>(&driver)))
        return true;
    if (GetLastError() == ERROR_PRINTER_DRIVER_ALREADY_INSTALLED)
        return true;
    return Fail(error, "AddPrinterDriver failed");
}

}  // namespace

bool InstallPostScriptDriver(std::string& error)
{
    char directory[MAX_PATH] = {};
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(directory),
                                    sizeof directory, &needed))
        return Fail(error, "GetPrinterDriverDirectory failed");
    const std::string folder = std::string(directory) + kDriverVersionFolder;
    if (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        return Fail(error, "cannot create " + folder);
    return WritePpd(folder + "\\" + kPpdFileName, error) && RegisterDriver(error);
}

bool AddPrinterOnPort(const std::string& name, const std::string& port, std::string& error,
                const std::string& driver)
{
    if (driver.empty() && !InstallPostScriptDriver(error))
        return false;
    if (!RemovePrinter(name, error))
        return false;

    PRINTER_INFO_2A info;
    ZeroMemory(&info, sizeof info);
    info.pPrinterName = const_cast<char*>(name.c_str());
    info.pPortName = const_cast<char*>(port.c_str());
    info.pDriverName = const_cast<char*>(driver.empty() ? kPostScriptDriver : driver.c_str());
    info.pPrintProcessor = const_cast<char*>("WinPrint");
    info.pDatatype = const_cast<char*>("RAW");
    const PrinterHandle added(AddPrinterA(nullptr, 2, reinterpret_cast<LPBYTE>(&info)));
    if (!added)
        return Fail(error, "AddPrinter failed for \"" + name + "\"");
    return true;
}

bool RemovePrinter(const std::string& name, std::string& error)
{
    PRINTER_DEFAULTSA defaults;
    ZeroMemory(&defaults, sizeof defaults);
    defaults.DesiredAccess = PRINTER_ALL_ACCESS;
    HANDLE opened = nullptr;
    if (!OpenPrinterA(const_cast<char*>(name.c_str()), &opened, &defaults)) {
        const DWORD code = GetLastError();
        if (code == ERROR_INVALID_PRINTER_NAME)
            return true;  // nothing to remove
        return Fail(error, "OpenPrinter failed for \"" + name + "\"", code);
    }
    const PrinterHandle printer(opened);
    if (!DeletePrinter(printer.Get()))
        return Fail(error, "DeletePrinter failed for \"" + name + "\"");
    return true;
}

bool RemoveAllPrinters(std::string& error)
{
    std::vector<PrinterEntry> printers;
    if (!ListPrinters(printers, error))
        return false;
    for (const PrinterEntry& printer : printers) {
        if (!RemovePrinter(printer.name, error))
            return false;
    }
    return true;
}

bool MakeDefaultPrinter(const std::string& name, std::string& error)
{
    SetLastError(ERROR_SUCCESS);
    if (!SetDefaultPrinterA(name.c_str()))
        return Fail(error, "cannot make \"" + name + "\" the default printer");
    return true;
}

std::string DefaultPrinterName()
{
    char name[MAX_PATH + 1] = {};
    DWORD size = sizeof name;
    if (!GetDefaultPrinterA(name, &size))
        return std::string();
    return name;
}

bool ListPrinters(std::vector<PrinterEntry>& printers, std::string& error)
{
    printers.clear();
    DWORD needed = 0;
    DWORD count = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count);
    // Printers may come and go between the two calls: try again with the new size.
    for (int attempt = 0; attempt < 3; ++attempt) {
        std::vector<BYTE> buffer(needed ? needed : 1);
        if (EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(),
                          static_cast<DWORD>(buffer.size()), &needed, &count)) {
            const PRINTER_INFO_2A* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
            for (DWORD i = 0; i < count; ++i)
                printers.push_back({Text(info[i].pPrinterName), Text(info[i].pPortName),
                                    Text(info[i].pDriverName)});
            return true;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER)
            break;
    }
    return Fail(error, "EnumPrinters failed");
}

}  // namespace wine_printers
