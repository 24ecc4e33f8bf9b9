// KESTRO.EXE: the launcher that prints what the library hands over. Started
// by the library as  <installation folder>\KESTRO.EXE "<path of KESTRO.cfg>".
// It reads its set-up, opens its log, creates its window and is ready for
// messages at once; a second thread prints.
#include <windows.h>

#include <string>

#include "command_line.h"
#include "command_queue.h"
#include "jobport_readers/ansi_code_page.h"
#include "jobport_readers/ansi_code_page_win32.h"
#include "jobport_readers/profile_reader_win32.h"
#include "jobport_readers/registry_reader_win32.h"
#include "launcher_log_win32.h"
#include "launcher_setup.h"
#include "launcher_window_win32.h"
#include "print_guard_setup.h"
#include "print_worker_win32.h"
#include "win32_shared/dll_search_win32.h"

namespace {

std::string TempFolderWithoutSeparator()
{
    char folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(sizeof folder, folder);
    const std::string text(folder, length < sizeof folder ? length : 0);
    return text.substr(0, LengthWithoutTrailingSeparators(text, kBackslash, AnsiLeadByteTest()));
}

// "Tessary.cfg" in the launcher's own folder, the installation folder the
// settings program is installed in; empty when the program's path does not
// fit a path buffer.
std::string TessaryCfgPath()
{
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return std::string();
    const std::string program(path, length);
    const size_t folderEnd = EndOfLastSeparator(program, kBackslash, AnsiLeadByteTest());
    if (folderEnd == 0)
        return std::string();
    return program.substr(0, folderEnd) + kTessaryCfgFileName;
}

// The print guard's name for the printing thread; why there is none goes to
// the log once, with the other start-up notes.
void FindPrintGuard(LauncherSetup& setup, ProfileReader& profile)
{
    const std::string cfg = TessaryCfgPath();
    const DWORD attributes =
        cfg.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(cfg.c_str());
    const bool found =
        attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    const PrintGuardName guard =
        ReadPrintGuardName(cfg.empty() ? std::string(kTessaryCfgFileName) : cfg, found, profile);
    setup.printGuardName = guard.name;
    if (!guard.note.empty())
        setup.notes.push_back(guard.note);
}

int RunLauncher(HINSTANCE instance, bool dllSearchRestricted)
{
    InstallAnsiCodePage();  // before any path is split
    const std::string cfgPath = ConfigPathFromCommandLine(GetCommandLineA());
    Win32ProfileReader profile;
    Win32RegistryReader registry;
    LauncherSetup setup = ReadLauncherSetup(cfgPath, profile, registry);
    FindPrintGuard(setup, profile);

    OpenLauncherLog(setup.logFolder.empty() ? TempFolderWithoutSeparator() : setup.logFolder);
    LogLine("------------------------------ KESTRO started, process " +
            std::to_string(GetCurrentProcessId()) + ", configuration \"" + cfgPath + "\"");
    if (!cfgPath.empty() && GetFileAttributesA(cfgPath.c_str()) == INVALID_FILE_ATTRIBUTES)
        LogLine("configuration file not found: defaults used");
    for (const std::string& note : setup.notes)
        LogLine(note);
    if (!dllSearchRestricted)
        LogLine("this Windows cannot limit where DLLs are loaded from to the system and program "
                "folders (no SetDefaultDllDirectories): only the current folder is left out");
    LogLine("settings folder \"" + setup.settingsFolder + "\"");
    if (!setup.printGuardName.empty())
        LogLine("print guard \"" + setup.printGuardName + "\", waited for up to " +
                std::to_string(setup.printGuardWaitMs) + " ms");

    CommandQueue queue;
    PrintWorker worker(setup, queue);
    if (!CreateLauncherWindow(instance, queue))
        return 1;
    worker.Start();

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    // The window queued End when it was destroyed; this one ends the thread
    // if the loop ended some other way.
    LauncherCommand end;
    end.kind = LauncherCommand::End;
    queue.Push(end);
    worker.Join();
    LogLine("KESTRO ended");
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    // Before anything can load a DLL (the printer driver, WIC's codecs).
    const bool dllSearchRestricted = RestrictDllSearch();
    try {
        return RunLauncher(instance, dllSearchRestricted);
    } catch (...) {
        OutputDebugStringA("KESTRO: ended by an unexpected error\n");
        return 2;
    }
}
