// When the pages of a job go to the launcher and in which groups: pages of
// the current job by its print method as they arrive, pages of other jobs
// held until their job becomes current, the rest when a job ends.
// A hand-over writes the group's page-list file, then posts LM_PRINT.
#pragma once
#include <cstdint>
#include <string>

#include "job_table.h"

// Keeps page `path` of job jobId in its DataTable.
bool HoldPage(uint32_t jobId, const std::string& path);

// Applies the job's print method to page number `page`, which has just
// arrived for the current job.
bool ApplyPrintMethod(JobRecord& job, uint32_t page, const std::string& path);

// Hands all held pages over as one group.
bool PrintOutAllHeld(uint32_t jobId);
// Hands each held page over as a group of its own.
bool PrintOutEachHeld(uint32_t jobId);
// Forgets every held page of the job.
bool ResetDataTable(uint32_t jobId);

// Releases what a job holds once it has become current or has ended while
// current: by its method, or all at once for an ended job when
// b2ndJobPrintbyMethod is 0 or the method holds the whole job.
bool PrintOutHoldedData(uint32_t jobId);
