// The launcher's claim on the id of the job it prints, from the job's first
// group until it deletes the job's settings file: until then no host process
// of the user issues the id again, so no other job's settings file takes
// the name while this job still needs it or before it is deleted.
#pragma once
#include <cstdint>

#include "win32_shared/kernel_handles_win32.h"

class JobIdClaim {
public:
    // Keeps the claim of jobId (made by the library that handed the job
    // over, or made here) unless it is the job already claimed; the claim of
    // an earlier job goes.
    void Take(uint32_t jobId);
    // Gives the claim of jobId back.
    void Release(uint32_t jobId);

private:
    uint32_t m_jobId = 0;
    KernelHandle m_claim;
};
