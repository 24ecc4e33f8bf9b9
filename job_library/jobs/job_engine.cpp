#include "job_engine.h"

#include <new>
#include <string>

#include "job_counter.h"
#include "job_effects.h"
#include "job_id_table.h"
#include "job_table.h"
#include "launcher_state.h"
#include "log_text.h"
#include "print_method.h"
#include "print_out_policy.h"
#include "setup/error_table.h"
#include "setup/library_config.h"
#include "shared_formats/launcher_messages.h"

namespace {

const char kSeparatorLine[] = "------------------------------";

void Log(int32_t number, const char* text)
{
    Effects().WriteLog(number, text);
}

void Log(int32_t number, const std::string& text)
{
    Effects().WriteLog(number, text.c_str());
}

void Report(int32_t errorNumber, uint32_t jobId)
{
    Effects().ReportError(errorNumber, jobId);
}

// Last resort of the entry functions: nothing may leave them.
void ReportUnexpected(int32_t errorNumber, uint32_t jobId) noexcept
{
    try {
        Report(errorNumber, jobId);
    } catch (...) {
    }
}

// The count the "jobcnt=" lines show: what is left once this job has gone.
int CountAfterThisJob()
{
    return static_cast<int>(gJobCnt.Count()) - 1;
}

// Empties the table, giving back the ids its jobs claimed.
void ClearJobTable()
{
    for (const JobRecord& job : gJobTable.Records())
        Effects().ReleaseJobId(job.jobId);
    gJobTable.Clear();
}

bool CreateRecord(uint32_t id, uint32_t copies, bool onlyJob)
{
    try {
        if (onlyJob)
            ClearJobTable();
        gJobTable.Append(id, copies);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

// Makes the job after leftId current once leftId has left the table. With no
// job left the launcher is told to suspend and *next is null.
bool MakeNextJobCurrent(uint32_t leftId, JobRecord** next)
{
    *next = nullptr;
    const uint32_t nextId = JobIdTable::IdAfter(leftId);
    gJobIdTable.SetCurrentJob(nextId);
    if (gJobCnt.Count() == 0) {
        Log(0, kSeparatorLine);
        Log(0, "==>Luncher : Suspend MSG post");
        Effects().PostToLauncher(0, 0, LM_SUSPEND);
        return true;
    }
    // Jobs print in the order they were started: the oldest job left
    // follows. Mostly it has the next id; not when that id was aborted while
    // it waited, was skipped, or was issued again after a later JP_init
    // started the ids at 1 while older jobs were still open.
    JobRecord* job = gJobTable.Head();
    if (!job) {
        Report(kErrorSystem, nextId);
        return false;
    }
    gJobIdTable.SetCurrentJob(job->jobId);
    *next = job;
    return true;
}

// Undoes a job that failed in StartJob after its id was issued: it is no
// longer counted, its record goes and its id stays closed. A current job
// leaves as if aborted at once, so no later job waits behind it.
void TakeBackStartedJob(uint32_t id)
{
    gJobIdTable.SetOpen(id, false);
    JobRecord* job = FindJob(id);
    if (!job) {
        gJobCnt.Decrement();
        Effects().ReleaseJobId(id);
        return;
    }
    if (gJobIdTable.IsCurrentJob(id)) {
        job->ended = true;
        AdvanceCurrentJob(id);
    } else {
        RemoveJob(id);
    }
}

// The next id under which no page list waits and that no job in the table
// holds: a job of an earlier library in this process, or one issued 255 jobs
// ago, may still have groups waiting for the launcher under it, and their
// page lists and settings file must not be overwritten. A settings file
// alone is a left-over and is overwritten. After a whole round of ids taken
// the last one is used all the same.
uint32_t IssueJobId()
{
    uint32_t id = gJobIdTable.NextJobId();
    for (uint32_t tries = 1; tries < JobIdTable::kMaxId; ++tries) {
        const char* format = nullptr;
        if (FindJob(id) || Effects().PageListsWait(id))
            format = "  ID=%d skipped: a group of a job with this id still waits";
        else if (!Effects().ClaimJobId(id))
            format = "  ID=%d skipped: another program's job holds this id";
        else
            break;
        Log(JobLogNumber(id), FormatLogText(format, static_cast<int>(id)));
        id = gJobIdTable.NextJobId();
    }
    return id;
}


// Undoes a JP_StartJob that fails: once the job is counted, the count; once
// its id is issued, the whole job (TakeBackStartedJob). Nothing once the job
// is opened, or after the engine was reset as a whole.
class StartUndo {
public:
    StartUndo() = default;
    StartUndo(const StartUndo&) = delete;
    StartUndo& operator=(const StartUndo&) = delete;
    ~StartUndo()
    {
        if (!m_counted || m_done)
            return;
        if (m_id != 0)
            TakeBackStartedJob(m_id);
        else
            gJobCnt.Decrement();
    }

    void Counted() { m_counted = true; }
    void Issued(uint32_t id) { m_id = id; }
    void Done() { m_done = true; }

private:
    bool m_counted = false;
    uint32_t m_id = 0;
    bool m_done = false;
};

// The launcher is started for the first job, or told to resume. Without a
// launcher the engine starts from nothing again.
bool WakeLauncher()
{
    if (gbLuncherExist == 1) {
        Log(0, kSeparatorLine);
        Log(0, "==>Luncher : Resume MSG post");
        Effects().PostToLauncher(0, 0, LM_RESUME);
        return true;
    }
    gbLuncherExist = Effects().CreateLauncher() ? 1 : 0;
    if (gbLuncherExist == 1)
        return true;
    gJobIdTable.ResetJobIds();
    gJobCnt.Reset();
    ClearJobTable();
    return false;
}

bool StartJobSteps(uint32_t* idOut, uint32_t copies)
{
    Log(0, "---{ JP_StartJob() was Called");
    if (!idOut) {
        Report(kErrorSystem, 0);
        return false;
    }
    *idOut = 0;
    if (!gJobCnt.IncrementWithLimit(gConfig.JobLimit)) {
        Report(kErrorJobLimit, 0);
        return false;
    }
    StartUndo undo;
    undo.Counted();
    if (copies == 0 || copies > gConfig.CopiesLimit) {
        Report(kErrorCopies, 0);
        return false;
    }
    const int32_t printerError = Effects().CheckPrinter(gConfig.PrintOutCheckFlags);
    if (printerError != 0) {
        Report(printerError, 0);
        return false;
    }

    const uint32_t id = IssueJobId();
    *idOut = id;
    undo.Issued(id);
    Log(JobLogNumber(id), FormatLogText("  Copies:%d ID=%d was returned. gJobCnt:%d",
                                        static_cast<int>(copies), static_cast<int>(id),
                                        static_cast<int>(gJobCnt.Count())));

    const bool onlyJob = gJobCnt.Count() == 1;
    if (!onlyJob && !gJobTable.Tail()) {
        Report(kErrorSystem, 0);
        return false;
    }
    if (!CreateRecord(id, copies, onlyJob)) {
        Report(kErrorRecordNotCreated, 0);
        return false;
    }
    if (onlyJob) {
        // The only job is the current one, also when ids before it were taken back.
        gJobIdTable.SetCurrentJob(id);
        if (!WakeLauncher()) {
            undo.Done();
            return false;
        }
    }

    JobRecord* job = FindJob(id);
    if (!job) {
        Report(kErrorSystem, id);
        return false;
    }
    gConfig.PrintAfterReceivedAllData = Effects().ReadPrintAfterReceivedAllData();
    job->hasSettings = Effects().ReadPrintSetting(job->settings);
    if (!DecidePrintMethod(gConfig.PrintAfterReceivedAllData, job->GetpSetting(), copies,
                           &job->printMethod)) {
        // Open for the moment so that the report shows its box; it closes the id.
        gJobIdTable.SetOpen(id, true);
        Report(kErrorMethodUndecided, id);
        return false;
    }
    const PrintSettings* settings = job->GetpSetting();
    if (!settings)
        Report(kErrorPrintSettings, id);
    if (!settings || !Effects().WriteJobSettingsFile(id, copies, *settings)) {
        Effects().DeleteHandoffFile(id, 0);
        return false;
    }

    gJobIdTable.SetOpen(id, true);
    undo.Done();
    Log(1020, " OK JP_StartJob");
    return true;
}

// The record of job id for JP_EndJob and JP_AbortJob, or null after
// reporting why there is none: its id is not open (checked when checkOpen)
// or no record holds it.
JobRecord* JobToEnd(uint32_t id, bool checkOpen)
{
    if (checkOpen && !gJobIdTable.IsOpen(id)) {
        Report(kErrorIdNotOpen, id);
        return nullptr;
    }
    JobRecord* job = FindJob(id);
    if (!job)
        Report(kErrorNoJobRecord, id);
    return job;
}

bool EndJobSteps(uint32_t id, bool checkOpen)
{
    Log(JobLogNumber(id), FormatLogText("---} JP_EndJob(%d):jobcnt=%d", static_cast<int>(id),
                                        CountAfterThisJob()));
    JobRecord* job = JobToEnd(id, checkOpen);
    if (!job)
        return false;
    job->ended = true;
    // A job that is not current keeps its id open and its pages held until
    // the jobs before it have gone.
    const bool result = gJobIdTable.IsCurrentJob(id) ? AdvanceCurrentJob(id) : true;
    Log(1020, result ? " OK JP_EndJob" : " NG JP_EndJob");
    return result;
}

// An error that closed the id of a job still in the table leaves the host no
// way to end it: it is ended here, as at the page limit, so that what it
// holds goes out and the jobs behind it are not held for ever.
void EndIfStopped(uint32_t id)
{
    const JobRecord* job = FindJob(id);
    if (job && !job->ended && !gJobIdTable.IsOpen(id))
        EndJobSteps(id, false);
}

void LogSendData(uint32_t id, const std::string& path)
{
    Log(JobLogNumber(id),
        FormatLogText("---- JP_SendData(%d,%s)", static_cast<int>(id), path.c_str()));
}

// Refuses a page before anything moves, so that a refused page stays with
// the host. The checks and their errors are those that follow the move.
bool AcceptsPageFor(uint32_t id, const std::string& hostPath)
{
    if (!gJobIdTable.IsOpen(id)) {
        LogSendData(id, hostPath);
        Report(kErrorIdNotOpen, id);
        return false;
    }
    if (gbLuncherExist == 0) {
        LogSendData(id, hostPath);
        Report(kErrorPageWithoutLauncher, id);
        EndIfStopped(id);
        return false;
    }
    JobRecord* job = FindJob(id);
    if (!job) {
        LogSendData(id, hostPath);
        Report(kErrorNoJobRecord, id);
        return false;
    }
    if (job->receivedPages >= gConfig.PagesLimit) {
        LogSendData(id, hostPath);
        Report(kErrorPagesLimit, id);
        EndJobSteps(id, false);
        return false;
    }
    return true;
}

bool SendDataSteps(uint32_t id, const char* path)
{
    if (id == 0) {
        Log(0, "<<Error>> JP_SendData() Illegal Call. May be JP_StartJob returned FALSE");
        return false;
    }
    const std::string hostPath = path ? path : "";
    if (!AcceptsPageFor(id, hostPath))
        return false;

    // A page that cannot be moved whole is refused and stays with the host;
    // the job stays open for the pages that follow.
    std::string pagePath;
    std::string refusalLine;
    int32_t errorCode = 0;
    if (!Effects().MovePageFile(hostPath, pagePath, refusalLine, &errorCode)) {
        LogSendData(id, hostPath);
        Log(errorCode, refusalLine);
        return false;
    }
    LogSendData(id, pagePath);

    JobRecord* job = FindJob(id);  // found by AcceptsPageFor; the move changed no job
    if (!job) {
        Report(kErrorNoJobRecord, id);
        return false;
    }
    const uint32_t page = ++job->receivedPages;
    bool accepted;
    if (gJobIdTable.IsCurrentJob(id)) {
        accepted = ApplyPrintMethod(*job, page, pagePath);
    } else {
        Log(JobLogNumber(id, page), "   Not Current Job => Data Hold");
        accepted = HoldPage(id, pagePath);
    }
    if (!accepted) {
        EndIfStopped(id);
        return false;
    }
    Log(1020, " OK JP_SendData");
    return true;
}

bool AbortJobSteps(uint32_t id)
{
    if (id == 0) {
        Log(0, "JP_AbortJob() Called with Illegal ID . May be JP_StartJob returned FALSE");
        return false;
    }
    Log(JobLogNumber(id), FormatLogText("---} JP_AbortJob(%d):jobcnt=%d", static_cast<int>(id),
                                        CountAfterThisJob()));
    JobRecord* job = JobToEnd(id, true);
    if (!job)
        return false;
    job->ended = true;
    const uint32_t held = job->HeldPages();
    if (gConfig.RemainScanedDataOnPC != 0) {
        Log(JobLogNumber(id, held), "    remain all data");
    } else {
        for (uint32_t i = 1; i <= held; ++i) {
            const std::string& path = job->dataTable.Entry(i - 1);
            const bool deleted = Effects().DeletePageFile(path);
            if (!deleted)
                Report(kErrorHeldPageNotDeleted, id);
            Log(JobLogNumber(id, i),
                FormatLogText(deleted ? "  File \"%s\" was Deleted without Print(AbortJob)"
                                      : "  File \"%s\" was NOT Deleted",
                              path.c_str()));
        }
    }
    job->dataTable.Clear();

    const bool result = gJobIdTable.IsCurrentJob(id) ? AdvanceCurrentJob(id) : RemoveJob(id);
    Log(1020, result ? " OK JP_AbortJob" : " NG JP_AbortJob");
    return result;
}

}  // namespace

void ResetJobState()
{
    gbLuncherExist = 0;
    gJobCnt.Reset();
    gJobIdTable.ResetJobIds();
    ClearJobTable();
}

void RestartJobIds() { gJobIdTable.RestartIdSequence(); }

void ForgetJobsAtUnload()
{
    try {
        for (const JobRecord& job : gJobTable.Records()) {
            if (!job.groupHandedOver)
                Effects().DeleteHandoffFile(job.jobId, 0);
        }
    } catch (...) {
    }
}

bool StartJob(uint32_t* idOut, uint32_t copies)
{
    try {
        return StartJobSteps(idOut, copies);
    } catch (...) {
        ReportUnexpected(kErrorSystem, 0);
        return false;
    }
}

bool SendData(uint32_t id, const char* path)
{
    try {
        return SendDataSteps(id, path);
    } catch (const std::bad_alloc&) {
        ReportUnexpected(kErrorPageNotStored, id);
        return false;
    } catch (...) {
        ReportUnexpected(kErrorSystem, id);
        return false;
    }
}

bool EndJob(uint32_t id)
{
    if (id == 0) {
        Log(0, "JP_EndJob() Called with Illegal ID . May be JP_StartJob returned FALSE");
        return false;
    }
    try {
        return EndJobSteps(id, true);
    } catch (...) {
        ReportUnexpected(kErrorSystem, id);
        return false;
    }
}

bool AbortJob(uint32_t id)
{
    try {
        return AbortJobSteps(id);
    } catch (...) {
        ReportUnexpected(kErrorSystem, id);
        return false;
    }
}

std::vector<std::string> HeldPages()
{
    std::vector<std::string> paths;
    for (const JobRecord& job : gJobTable.Records()) {
        for (size_t i = 0; i < job.dataTable.Held(); ++i)
            paths.push_back(job.dataTable.Entry(i));
    }
    return paths;
}

bool RemoveJob(uint32_t id)
{
    JobRecord* job = FindJob(id);
    if (!job) {
        Report(kErrorSystem, id);
        return false;
    }
    if (!gJobCnt.Decrement()) {
        Report(kErrorJobCount, id);
        return false;
    }
    gJobIdTable.SetOpen(id, false);
    // A job that handed a group over leaves its settings file to the
    // launcher; any other job's settings file would never be deleted.
    if (!job->groupHandedOver)
        Effects().DeleteHandoffFile(id, 0);
    gJobTable.Remove(id);
    // The launcher has claimed the id by the time it prints the job's first
    // group, whose page list waits until then.
    Effects().ReleaseJobId(id);
    return true;
}

bool AdvanceCurrentJob(uint32_t id)
{
    bool result = true;
    // Every round removes one record, so the rounds end with the table.
    for (size_t rounds = gJobTable.Size() + 1; rounds > 0; --rounds) {
        if (!PrintOutHoldedData(id)) {
            // What could not be handed over stays in the data folder; the job
            // leaves all the same, so the jobs behind it are not held for ever.
            Report(kErrorNextJobNotCurrent, id);
            result = false;
        }
        if (!RemoveJob(id)) {
            Report(kErrorNextJobNotCurrent, id);
            return false;
        }
        JobRecord* next = nullptr;
        if (!MakeNextJobCurrent(id, &next))
            return false;
        if (!next)
            return result;
        id = next->jobId;
        if (next->ended)
            continue;  // ended while it waited: out and removed at once
        if (PrintOutHoldedData(id))
            return result;
        Report(kErrorNextJobNotCurrent, id);
        if (gJobIdTable.IsOpen(id))
            return false;
        // The error closed the new current job's id, so the host can no
        // longer end it: it ends here.
        next->ended = true;
        result = false;
    }
    return false;
}
