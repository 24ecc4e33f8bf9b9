// The exported job interface. Each export runs the job engine under the
// library lock and turns its result into the host's 1 or 0; nothing may be
// thrown across them. Before a successful JP_init every export fails at
// once: no folder, log or page file is touched and no box is shown.
#define JOBPORT_BUILDING_DLL
#include "jobport.h"

#include <cstdint>

#include "jobs/held_page_locks_win32.h"
#include "jobs/job_engine.h"
#include "library_lock_win32.h"
#include "setup/error_reporter.h"
#include "setup/library_init.h"
#include "setup/error_table.h"

namespace {

// Runs one engine operation under the library lock; an exception that
// escaped it is reported as a system error and the call fails. Before a
// successful JP_init only `refused` runs and the call fails.
template <typename Operation, typename Refused>
int Guarded(Operation operation, Refused refused) noexcept
{
    const LibraryLockHolder lock;
    if (!LibraryIsReady()) {
        refused();
        return 0;
    }
    try {
        return operation() ? 1 : 0;
    } catch (...) {
        try {
            ReportError(kErrorSystem, 0);
        } catch (...) {
        }
        return 0;
    }
}

template <typename Operation>
int Guarded(Operation operation) noexcept
{
    return Guarded(operation, [] {});
}

// Pages can leave their job without being handed over when a job ends (an
// abort that keeps them, a group that could not be written) or a page fails
// (a job ended by its page limit): those pages are no longer held.
bool ReleasingDroppedPages(bool result, bool jobEnded)
{
    if (!result || jobEnded)
        UnlockPagesNoLongerHeld(HeldPages());
    return result;
}

}  // namespace

extern "C" int __stdcall JP_StartJob(int* jobIdOut, unsigned int copies)
{
    // The id goes straight to the host's variable, so an id that was issued
    // stays there even when the job then fails; before JP_init it gets 0.
    return Guarded([&] { return StartJob(reinterpret_cast<uint32_t*>(jobIdOut), copies); },
                   [&] {
                       if (jobIdOut)
                           *jobIdOut = 0;
                   });
}

extern "C" int __stdcall JP_SendData(int jobId, const char* pageFilePath)
{
    return Guarded([&] {
        return ReleasingDroppedPages(SendData(static_cast<uint32_t>(jobId), pageFilePath), false);
    });
}

extern "C" int __stdcall JP_EndJob(int jobId)
{
    return Guarded(
        [&] { return ReleasingDroppedPages(EndJob(static_cast<uint32_t>(jobId)), true); });
}

extern "C" int __stdcall JP_AbortJob(int jobId)
{
    return Guarded(
        [&] { return ReleasingDroppedPages(AbortJob(static_cast<uint32_t>(jobId)), true); });
}

CJOBPORT_DLL& CJOBPORT_DLL::operator=(const CJOBPORT_DLL& other)
{
    m_nValue = other.m_nValue;
    return *this;
}
