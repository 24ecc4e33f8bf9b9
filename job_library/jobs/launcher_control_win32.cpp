#include "launcher_control_win32.h"

#include <cstring>
#include <new>

#include "handed_over_groups.h"
#include "jobport_readers/temp_folder_win32.h"
#include "launcher_command_line.h"
#include "launcher_rules.h"
#include "launcher_state.h"
#include "launcher_window_win32.h"
#include "log_text.h"
#include "setup/clog_file.h"
#include "setup/error_reporter.h"
#include "setup/error_table.h"
#include "setup/library_config.h"
#include "shared_formats/handoff_file_name.h"
#include "shared_formats/launcher_messages.h"
#include "win32_shared/kernel_handles_win32.h"

namespace {

const char kSeparatorLine[] = "------------------------------";

// The launcher in use, and what its last successful start was given, so that
// a launcher that has gone can be started again the same way.
struct LauncherInUse {
    HWND window = nullptr;
    DWORD processId = 0;
    bool restartable = false;
    char installDir[kLauncherProgramPathSize] = {};
    char configPath[kLauncherCommandLineSize] = {};
};

LauncherInUse gLauncher;

// Every group posted to a launcher that was not told to end, so that a new
// launcher can be given those it has not printed.
HandedOverGroups gHandedOver;

// Looks for a group's page list in the temporary folder, as the library
// wrote it. The caller's last error is kept: it may still be reported.
class TempFolderPageLists : public PageListPresence {
public:
    TempFolderPageLists() { m_ready = ReadTempFolder(m_folder, sizeof m_folder); }

    bool PageListExists(const HandedOverGroup& group) const override
    {
        char path[MAX_PATH + 32];
        if (!m_ready || !HandoffFileName(m_folder, group.jobId, group.firstPage, path, sizeof path))
            return false;
        const DWORD error = GetLastError();
        const DWORD attributes = GetFileAttributesA(path);
        SetLastError(error);
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    }

private:
    char m_folder[MAX_PATH + 1] = {};
    bool m_ready = false;
};

bool CopyWhole(char* field, size_t size, const char* text)
{
    const size_t n = strnlen(text, size);
    if (n >= size)
        return false;
    std::memcpy(field, text, n + 1);
    return true;
}

void RememberStart(const char* installDir, const char* configPath)
{
    gLauncher.restartable = CopyWhole(gLauncher.installDir, sizeof gLauncher.installDir, installDir) &&
                            CopyWhole(gLauncher.configPath, sizeof gLauncher.configPath, configPath);
}

bool CanReadFile(const char* path)
{
    KernelHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file);
}

// Ends a launcher that did not start as it must, passing on its exit code.
// The error code of the failed step is kept for the error line.
void EndLauncherProcess(HANDLE process)
{
    const DWORD error = GetLastError();
    DWORD exitCode = 0;
    GetExitCodeProcess(process, &exitCode);
    TerminateProcess(process, exitCode);
    SetLastError(error);
}

// Creates the process, waits until it is idle and has its window. The
// launcher is ended before error 41 is reported, so it cannot come up while
// the cannot-print box is shown.
bool RunLauncherProcess(const char* program, char* commandLine, const char* installDir)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    const DWORD created = GetTickCount();
    // The program is named on its own as well: an installation folder with
    // blanks would otherwise be searched piece by piece ("C:\Program.exe").
    // It runs in its own folder, not in the host's current one, whose DLLs
    // and files any user may have put there.
    if (!CreateProcessA(program, commandLine, nullptr, nullptr, FALSE, 0, nullptr, installDir,
                        &startup, &info)) {
        ReportError(kErrorLauncherNotCreated, 0);
        return false;
    }
    KernelHandle process(info.hProcess);
    KernelHandle thread(info.hThread);
    thread.Close();

    if (WaitForInputIdle(process.Get(), gConfig.ChildTimeOut) != 0) {
        EndLauncherProcess(process.Get());
        ReportError(kErrorLauncherNotReady, 0);
        return false;
    }
    WriteLog(0, FormatLogText(" OK CreateProcess()  dwProcessId:%x, dwThreadId:%x, gbLuncherExist=%d",
                              static_cast<unsigned>(info.dwProcessId),
                              static_cast<unsigned>(info.dwThreadId),
                              static_cast<int>(gbLuncherExist))
                    .c_str());

    const DWORD timeLeft = WindowSearchTimeLeft(gConfig.ChildTimeOut, GetTickCount() - created);
    const HWND window = WaitForLauncherWindow(info.dwProcessId, timeLeft);
    if (!window) {
        // Messages would have no target: the launcher counts as not started.
        WriteLog(0, "==>Luncher : KESTRO.EXE has no window");
        EndLauncherProcess(process.Get());
        ReportError(kErrorLauncherNotReady, 0);
        return false;
    }
    gLauncher.window = window;
    gLauncher.processId = info.dwProcessId;
    return true;
}

bool StartLauncher(const char* installDir, const char* configPath)
{
    gbLuncherExist = 0;
    gLauncher.window = nullptr;
    gLauncher.processId = 0;

    if (!configPath || !CanReadFile(configPath))
        return false;
    // Without the installation folder the program path would be
    // "\KESTRO.EXE" at the root of the current drive.
    if (!installDir || installDir[0] == '\0') {
        WriteLog(0, "==>Luncher : no installation folder was read by JP_init");
        ReportError(kErrorLauncherNotCreated, 0);
        return false;
    }

    char program[kLauncherProgramPathSize];
    char commandLine[kLauncherCommandLineSize];
    if (!FormLauncherProgramPath(installDir, program) ||
        !FormLauncherCommandLine(installDir, configPath, commandLine)) {
        WriteLog(0, "==>Luncher : path of KESTRO.EXE or its command line is too long");
        ReportError(kErrorLauncherCommandLine, 0);
        return false;
    }
    WriteLog(0, FormatLogText("==>Luncher : Create Luncher  %s", commandLine).c_str());

    const bool started = RunLauncherProcess(program, commandLine, installDir);
    gbLuncherExist = started ? 1 : 0;
    return started;
}

bool LauncherWindowExists()
{
    return IsLauncherWindow(gLauncher.window, gLauncher.processId);
}

// Posts to the launcher's window only while it exists and belongs to the
// launcher: a null window would put the message into the calling thread's
// own queue, a reused handle would give it to another program.
bool PostToLauncherWindow(uint32_t message, uint32_t wParam, uint32_t lParam)
{
    if (!LauncherWindowExists()) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return false;
    }
    if (!PostMessageA(gLauncher.window, message, wParam, lParam))
        return false;
    WriteLog(0, FormatLogText(" OK PostMessage(%x,%d,%d,%d)",
                              static_cast<unsigned>(reinterpret_cast<uintptr_t>(gLauncher.window)),
                              static_cast<int>(message), static_cast<int>(wParam),
                              static_cast<int>(lParam))
                    .c_str());
    return true;
}

void RememberHandedOver(uint32_t message, uint32_t jobId, uint32_t firstPage)
{
    if (message != LM_PRINT)
        return;
    HandedOverGroup group;
    group.jobId = jobId;
    group.firstPage = firstPage;
    // The group that will not be posted again, if any: the oldest one when
    // too many wait, this one when there is no memory to remember it.
    HandedOverGroup lost = group;
    const char* reason = nullptr;
    try {
        if (gHandedOver.Remember(group, TempFolderPageLists(), &lost))
            reason = "too many groups wait";
    } catch (const std::bad_alloc&) {
        reason = "no memory";
    }
    if (reason)
        WriteLog(0, FormatLogText("==>Luncher : %s, (%d,%d) will not be posted again", reason,
                                  static_cast<int>(lost.jobId), static_cast<int>(lost.firstPage))
                        .c_str());
}

// Posts and, for LM_PRINT, remembers the group.
bool PostAndRemember(uint32_t message, uint32_t wParam, uint32_t lParam)
{
    if (!PostToLauncherWindow(message, wParam, lParam))
        return false;
    RememberHandedOver(message, wParam, lParam);
    return true;
}

// True when groups handed to a launcher that has gone still wait for printing.
bool GroupsWait()
{
    gHandedOver.ForgetPrinted(TempFolderPageLists());
    return !gHandedOver.Groups().empty();
}

// Tells a launcher that has just started, in their order, about the groups
// its predecessor received but did not print (their page lists still
// exist). The group it was printing when it died may print twice; none is
// lost. `pending` is a group about to be posted anyway (none: job id 0).
bool PostWaitingGroupsAgain(const HandedOverGroup& pending)
{
    gHandedOver.ForgetPrinted(TempFolderPageLists());
    for (const HandedOverGroup& group : gHandedOver.Groups()) {
        if (group == pending)
            continue;
        WriteLog(0, FormatLogText("==>Luncher : post again (%d,%d)", static_cast<int>(group.jobId),
                                  static_cast<int>(group.firstPage))
                        .c_str());
        if (!PostToLauncherWindow(LM_PRINT, group.jobId, group.firstPage)) {
            ReportError(kErrorPostFailed, 0);
            return false;
        }
    }
    return true;
}

HandedOverGroup PendingGroup(uint32_t message, uint32_t wParam, uint32_t lParam)
{
    HandedOverGroup group;
    if (message == LM_PRINT) {
        group.jobId = wParam;
        group.firstPage = lParam;
    }
    return group;
}

}  // namespace

bool CreateLauncher(const char* installDir, const char* configPath) noexcept
{
    if (!StartLauncher(installDir, configPath))
        return false;
    RememberStart(installDir, configPath);
    // Groups are left over only when a launcher died and could not be
    // started again then: this one prints them first.
    PostWaitingGroupsAgain(HandedOverGroup());
    return true;
}

bool PostToLauncher(uint32_t wParam, uint32_t lParam, uint32_t message) noexcept
{
    if (gbLuncherExist == 0) {
        ReportError(kErrorNoLauncherToPost, 0);
        return false;
    }
    if (PostAndRemember(message, wParam, lParam))
        return true;
    ReportError(kErrorPostFailed, 0);

    // A launcher that has ended (crashed, closed by the user) would take no
    // further page: start it again, hand it the groups it had not printed,
    // then this message.
    if (LauncherWindowExists() || !gLauncher.restartable ||
        !RestartsLauncherWhenGone(message, GroupsWait()))
        return false;
    WriteLog(0, "==>Luncher : KESTRO.EXE has gone, Create Luncher again");
    if (!StartLauncher(gLauncher.installDir, gLauncher.configPath))
        return false;
    if (!PostWaitingGroupsAgain(PendingGroup(message, wParam, lParam)))
        return false;
    if (PostAndRemember(message, wParam, lParam))
        return true;
    ReportError(kErrorPostFailed, 0);
    return false;
}

void DeleteLauncher() noexcept
{
    WriteLog(0, "==>Luncher : Delete KESTRO.EXE");
    const bool posted = PostToLauncher(0, 0, LM_DELETE);
    if (posted) {
        gbLuncherExist = 0;
        // The launcher prints what it holds before it ends.
        gHandedOver.Clear();
    }
    WriteLog(0, posted ? " OK DeleteLuncher" : " NG DeleteLuncher");
    WriteLog(0, kSeparatorLine);
}

HWND LauncherWindow() noexcept { return gLauncher.window; }

DWORD LauncherProcessId() noexcept { return gLauncher.processId; }
