// folder_guard.exe: the NSIS installer's helper for the product's folders
// below the common application data folder (who may do what in each:
// secured_folders.h) and for the print settings given to Setup.
//
//   folder_guard secure BASE PRODUCT
//       PRODUCT is a path below BASE, such as "TRVX\Quillmate". Looks at
//       every folder first: when one is a link, a file or a folder of an
//       untrusted owner, it names each and changes nothing. Otherwise it
//       creates what is missing and gives each product folder its
//       permissions, one line per folder.
//   folder_guard remove BASE PRODUCT [settings]
//       For the uninstaller: deletes the programs' logs (with "settings" the
//       stored print settings too), then every folder left empty. It never
//       enters a link or a folder that is not Setup's own.
//   folder_guard settings-check FILE
//       Checks a print settings file and the device-mode file it names
//       beside it; says what is wrong, changing nothing.
//   folder_guard settings-install FILE BASE PRODUCT [replace]
//       Checks them again and writes them into the product's settings
//       folder, unless the station has print settings of its own there;
//       with "replace" those are replaced.
//
// Exit codes: 0 done; 2 wrong use; 3 a folder is not Setup's own (nothing
// changed); 4 a folder could not be examined, created or given its
// permissions, or a settings file not written; 5 the settings file is not
// sound (nothing changed).
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "data_folders_win32.h"
#include "deployed_settings_win32.h"
#include "folder_access_win32.h"

namespace {

void SayOnStdout(const std::string& line)
{
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

int Usage()
{
    SayOnStdout("usage: folder_guard secure BASE PRODUCT | remove BASE PRODUCT [settings] | "
                "settings-check FILE | settings-install FILE BASE PRODUCT [replace]");
    return kGuardWrongUse;
}

// The settings file at path, or kGuardBadSettings with its problem said.
int CheckSettings(const std::wstring& path, SettingsBundle* bundle)
{
    *bundle = ReadDeployedSettings(path);
    if (bundle->Sound())
        return kGuardDone;
    SayOnStdout("The print settings file " + ToAnsi(path) + " cannot be installed: " +
                bundle->problem + ".");
    return kGuardBadSettings;
}

int Run(int count, wchar_t** arguments)
{
    if (count < 3)
        return Usage();
    const std::wstring command = arguments[1];
    SettingsBundle bundle;
    if (command == L"settings-check" && count == 3) {
        const int checked = CheckSettings(arguments[2], &bundle);
        if (checked == kGuardDone)
            for (const BundleFile& file : bundle.files)
                SayOnStdout("Sound: " + file.name);
        return checked;
    }
    const bool install = command == L"settings-install";
    const int placeAt = install ? 3 : 2;
    std::vector<Place> places;
    if (count < placeAt + 2)
        return Usage();
    if (!PlanPlaces(arguments[placeAt], arguments[placeAt + 1], &places)) {
        SayOnStdout("folder_guard: PRODUCT must be a path of plain folder names below BASE.");
        return kGuardWrongUse;
    }
    const int rest = count - placeAt - 2;
    const std::wstring option = rest == 1 ? arguments[count - 1] : L"";
    if (command == L"secure" && rest == 0)
        return SecurePlaces(places, AdministratorSid(), SayOnStdout);
    if (command == L"remove" && (rest == 0 || option == L"settings")) {
        RemovePlaces(places, rest == 1, AdministratorSid(), SayOnStdout);
        return kGuardDone;
    }
    if (install && (rest == 0 || option == L"replace")) {
        const int checked = CheckSettings(arguments[2], &bundle);
        if (checked != kGuardDone)
            return checked;
        const Place* folder = PlaceOf(places, ProgramFiles::StoredSettings);
        const SettingsWrite written =
            WriteDeployedSettings(folder->path, bundle, rest == 1, SayOnStdout);
        return written == SettingsWrite::Failed ? kGuardFailed : kGuardDone;
    }
    return Usage();
}

// Only the system's folder may supply a DLL loaded from now on (the
// program runs from a temporary folder). Looked up, as Windows 7 has it only
// with an update.
void LoadDllsOnlyFromTheSystem()
{
    typedef BOOL(WINAPI * SetDefaultDllDirectoriesCall)(DWORD);
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    const auto call = kernel ? reinterpret_cast<SetDefaultDllDirectoriesCall>(reinterpret_cast<void*>(
                                   GetProcAddress(kernel, "SetDefaultDllDirectories")))
                             : nullptr;
    if (call)
        call(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace

int wmain(int count, wchar_t** arguments)
{
    LoadDllsOnlyFromTheSystem();
    try {
        return Run(count, arguments);
    } catch (...) {
        SayOnStdout("folder_guard: out of memory.");
        return kGuardFailed;
    }
}
