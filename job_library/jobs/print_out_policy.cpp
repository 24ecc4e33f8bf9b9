#include "print_out_policy.h"

#include <new>
#include <vector>

#include "job_effects.h"
#include "log_text.h"
#include "setup/error_table.h"
#include "setup/library_config.h"
#include "shared_formats/launcher_messages.h"

namespace {

void Report(int32_t errorNumber, uint32_t jobId)
{
    Effects().ReportError(errorNumber, jobId);
}

// Writes the page-list file of group (jobId, first). When it cannot be
// written the half-written file is deleted and nothing is posted for it.
bool WritePageList(uint32_t jobId, uint32_t first, const std::vector<std::string>& paths)
{
    if (Effects().WritePageListFile(jobId, first, paths))
        return true;
    Report(kErrorPageListNotWritten, jobId);
    Effects().DeleteHandoffFile(jobId, first);
    return false;
}

// Writes the group made of the first `count` held pages of the table.
bool WriteHeldGroup(uint32_t jobId, uint32_t first, const DataTable& table, size_t count)
{
    int32_t error = 0;
    std::vector<std::string> paths;
    if (count > table.Held()) {
        error = 6;
    } else {
        try {
            paths.reserve(count);
            for (size_t i = 0; i < count; ++i)
                paths.push_back(table.Entry(i));
        } catch (const std::bad_alloc&) {
            error = kErrorPageListNotWritten;
        }
    }
    if (error != 0) {
        Report(error, jobId);
        Effects().DeleteHandoffFile(jobId, first);
        return false;
    }
    return WritePageList(jobId, first, paths);
}

// Tells the launcher about a written group. The poster starts a launcher
// that has gone again and reports what it cannot mend. A group whose message
// could not be posted is not handed over: its page list is deleted and its
// pages stay where they are, so nothing is counted as printed that never
// reached a launcher.
bool PostGroup(uint32_t jobId, uint32_t first, const char* logText)
{
    Effects().WriteLog(JobLogNumber(jobId, first), logText);
    if (Effects().PostToLauncher(jobId, first, LM_PRINT)) {
        if (JobRecord* job = FindJob(jobId))
            job->groupHandedOver = true;
        return true;
    }
    Effects().DeleteHandoffFile(jobId, first);
    return false;
}

bool PrintOutSingleArrival(uint32_t jobId, uint32_t page, const std::string& path)
{
    std::vector<std::string> paths;
    try {
        paths.push_back(path);
    } catch (const std::bad_alloc&) {
        Report(kErrorPageListNotWritten, jobId);
        return false;
    }
    if (!WritePageList(jobId, page, paths))
        return false;
    return PostGroup(jobId, page, "==>Luncher : Print Out Data by 1job 1page instantly");
}

bool HoldForGroup(JobRecord& job, uint32_t page, const std::string& path)
{
    const uint32_t groupSize = PagesPerGroup(job.printMethod);
    const int32_t groupError = groupSize == 2 ? kErrorPairNotHandedOver : kErrorFourNotHandedOver;
    if (!HoldPage(job.jobId, path)) {
        Report(groupError, job.jobId);
        return false;
    }
    if (job.HeldPages() % groupSize != 0) {
        Effects().WriteLog(JobLogNumber(job.jobId, page),
                           groupSize == 2 ? "     Printout after receive 2pages:Data Hold"
                                          : "     Printout after receive 4pages:Data Hold");
        return true;
    }
    if (!PrintOutAllHeld(job.jobId)) {
        Report(groupError, job.jobId);
        return false;
    }
    return true;
}

// Hands over every complete group of the held pages; an ended job also sends
// the incomplete rest as one last group.
bool PrintOutHeldGroups(JobRecord& job)
{
    const uint32_t jobId = job.jobId;
    const uint32_t groupSize = PagesPerGroup(job.printMethod);
    uint32_t first = job.FirstHeldPage();
    for (uint32_t groups = job.HeldPages() / groupSize; groups > 0; --groups) {
        if (!WriteHeldGroup(jobId, first, job.dataTable, groupSize))
            return false;
        if (!PostGroup(jobId, first,
                       groupSize == 2 ? "==>Luncher : Print Out Holded Data by 1Job 2 Page"
                                      : "==>Luncher : Print Out Holded Data by 1Job 4 Page"))
            return false;
        job.dataTable.Advance(groupSize);
        first += groupSize;
    }
    if (job.HeldPages() != 0) {
        if (!job.ended)
            return true;  // the rest waits for the pages that complete its group
        Effects().WriteLog(JobLogNumber(jobId, first),
                           groupSize == 2 ? "             Remain Holded Data(less 2 Page)"
                                          : "             Remain Holded Data(less 4 Page)");
        if (!PrintOutAllHeld(jobId))
            return false;
    }
    return ResetDataTable(jobId);
}

}  // namespace

bool HoldPage(uint32_t jobId, const std::string& path)
{
    JobRecord* job = FindJob(jobId);
    if (!job) {
        Report(kErrorSystem, jobId);
        return false;
    }
    bool stored = false;
    try {
        stored = job->dataTable.Append(path);
    } catch (const std::bad_alloc&) {
        stored = false;
    }
    if (!stored) {
        Report(kErrorPageNotStored, jobId);
        return false;
    }
    if (job->HeldPages() > gConfig.PagesLimit) {
        Report(kErrorPagesLimit, jobId);
        return false;
    }
    return true;
}

bool ApplyPrintMethod(JobRecord& job, uint32_t page, const std::string& path)
{
    switch (job.printMethod) {
    case PRINT_EACH_PAGE:
        return PrintOutSingleArrival(job.jobId, page, path);
    case PRINT_PER_2_PAGES:
    case PRINT_PER_4_PAGES:
        return HoldForGroup(job, page, path);
    case PRINT_AFTER_ENDJOB:
        Effects().WriteLog(JobLogNumber(job.jobId, page),
                           "     Printout after receive EndJob:Data Hold");
        return HoldPage(job.jobId, path);
    default:
        Report(kErrorMethodOnPage, job.jobId);
        return false;
    }
}

bool PrintOutAllHeld(uint32_t jobId)
{
    JobRecord* job = FindJob(jobId);
    if (!job) {
        Report(kErrorNoJobRecord, jobId);
        return false;
    }
    const uint32_t held = job->HeldPages();
    if (held == 0)
        return true;
    const uint32_t first = job->FirstHeldPage();
    if (!WriteHeldGroup(jobId, first, job->dataTable, held))
        return false;
    if (!PostGroup(jobId, first, "==>Luncher : Print Out ALL Holded Data by 1Job"))
        return false;
    return ResetDataTable(jobId);
}

bool PrintOutEachHeld(uint32_t jobId)
{
    JobRecord* job = FindJob(jobId);
    if (!job) {
        Report(kErrorNoJobRecord, jobId);
        return false;
    }
    uint32_t page = job->FirstHeldPage();
    for (uint32_t held = job->HeldPages(); held > 0; --held) {
        if (!WriteHeldGroup(jobId, page, job->dataTable, 1))
            return false;
        if (!PostGroup(jobId, page, "==>Luncher : Print Out ALL Holded Data by 1Job 1Page"))
            return false;
        job->dataTable.Advance(1);
        ++page;
    }
    return ResetDataTable(jobId);
}

bool ResetDataTable(uint32_t jobId)
{
    JobRecord* job = FindJob(jobId);
    if (!job) {
        Report(kErrorNoJobRecord, jobId);
        return false;
    }
    job->dataTable.Clear();
    return true;
}

bool PrintOutHoldedData(uint32_t jobId)
{
    JobRecord* job = FindJob(jobId);
    if (!job) {
        Report(kErrorNoJobRecord, jobId);
        return false;
    }
    if (job->HeldPages() == 0)
        return true;
    const uint8_t method = job->printMethod;
    if (method == PRINT_AFTER_ENDJOB && !job->ended)
        return true;
    if (job->ended && (gConfig.b2ndJobPrintbyMethod == 0 || method == PRINT_AFTER_ENDJOB))
        return PrintOutAllHeld(jobId);
    if (method == PRINT_EACH_PAGE)
        return PrintOutEachHeld(jobId);
    if (method == PRINT_PER_2_PAGES || method == PRINT_PER_4_PAGES)
        return PrintOutHeldGroups(*job);
    Report(kErrorMethodOnPrintOut, jobId);
    return false;
}
