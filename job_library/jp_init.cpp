// JP_init, the host's first call into the library. It runs under the library
// lock like every export. Nothing may be thrown across it: an exception is
// logged and the call fails.
#define JOBPORT_BUILDING_DLL
#include "jobport.h"

#include <cstdio>
#include <exception>

#include "library_lock_win32.h"
#include "setup/clog_file.h"
#include "setup/library_init.h"
#include "setup/setup_platform_win32.h"

extern "C" int __stdcall JP_init(const char* caller)
{
    const LibraryLockHolder lock;
    try {
        return InitLibrary(caller, Win32SetupPlatform());
    } catch (const std::exception& e) {
        char line[300];
        std::snprintf(line, sizeof line, "<<SYSTEM Error>> JP_Init: %s", e.what());
        gLog.WriteLog(0, line);
    } catch (...) {
        gLog.WriteLog(0, "<<SYSTEM Error>> JP_Init: unknown exception");
    }
    gLog.WriteLog(1020, " NG JP_Init");
    return 0;
}
