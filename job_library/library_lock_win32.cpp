#include "library_lock_win32.h"

#include <windows.h>

namespace {

// Owns the critical section for the life of the module.
class CriticalSection {
public:
    CriticalSection() { InitializeCriticalSection(&m_section); }
    ~CriticalSection() { DeleteCriticalSection(&m_section); }
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    void Enter() { EnterCriticalSection(&m_section); }
    void Leave() { LeaveCriticalSection(&m_section); }

private:
    CRITICAL_SECTION m_section;
};

// Constructed by the module's static initialisation, which the C runtime
// runs before it calls DllMain with DLL_PROCESS_ATTACH, and destroyed after
// DllMain's DLL_PROCESS_DETACH: no export can run outside its life.
//
// DllMain's DLL_PROCESS_DETACH (which may post LM_DELETE) does not take it.
// It runs under the loader lock: at FreeLibrary no host thread may still be
// inside the library (its code is about to go), and at process exit the other
// threads have already been ended, one of them perhaps while it held this
// lock, so waiting for it there could hang the exit for ever.
CriticalSection gLibrarySection;

}  // namespace

LibraryLockHolder::LibraryLockHolder() { gLibrarySection.Enter(); }

LibraryLockHolder::~LibraryLockHolder() { gLibrarySection.Leave(); }
