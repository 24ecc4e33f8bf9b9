#include "job_id_claim_win32.h"

#include <windows.h>

#include <utility>

#include "jobport_readers/temp_folder_win32.h"
#include "shared_formats/handoff_file_name.h"
#include "win32_shared/named_claim_win32.h"

void JobIdClaim::Take(uint32_t jobId)
{
    if (jobId == m_jobId)
        return;
    m_claim.Reset();
    m_jobId = jobId;
    char folder[MAX_PATH + 1];
    if (!ReadTempFolder(folder, sizeof folder))
        return;
    // The library may still hold the claim; it goes only when both let go.
    KernelHandle claim = KeepJobIdClaimNamed(JobIdClaimName(folder, jobId));
    m_claim = std::move(claim);
}

void JobIdClaim::Release(uint32_t jobId)
{
    if (jobId != m_jobId)
        return;
    m_claim.Reset();
    m_jobId = 0;
}
