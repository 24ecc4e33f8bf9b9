// Library entry point: on load, the Win32 diagnostics, the code page's
// lead-byte test and the job effects are installed; on unload, the settings
// files of jobs that never handed a group over go, and a launcher that still
// counts as running is told to end.
#include <windows.h>

#include "jobport_readers/ansi_code_page_win32.h"
#include "jobs/job_effects.h"
#include "jobs/job_effects_win32.h"
#include "jobs/job_engine.h"
#include "jobs/launcher_control_win32.h"
#include "jobs/launcher_state.h"
#include "setup/diagnostics_win32.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(instance);
        InstallWin32Diagnostics();
        InstallAnsiCodePage();
        SetJobEffects(&Win32JobEffects());
    } else if (reason == DLL_PROCESS_DETACH) {
        // Without the library lock: see library_lock_win32.cpp.
        ForgetJobsAtUnload();
        if (gbLuncherExist == 1)
            DeleteLauncher();
    }
    return TRUE;
}
