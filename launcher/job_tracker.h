// When a job has ended. The library never says so: a job's groups arrive in
// page order and jobs never interleave, so a job has ended when the next
// job's first group arrives, or when no job is left (LM_SUSPEND) or the
// launcher is told to end (LM_DELETE). Only then may the job's settings file
// go, as every group of the job reads it.
#pragma once
#include <cstdint>

struct EndedJob {
    uint32_t jobId = 0;           // 0: no job ended
    bool keepSettings = false;    // a group of it could not be printed: its files stay together
};

class JobTracker {
public:
    // A group of jobId starting at firstPage is about to be printed; returns
    // the job that ended before it. A group that starts at page 1 always
    // starts a job. When the ended job has the same id, the library has
    // already written the new job's settings file under the same name, so
    // nothing of the old job is left to delete (jobId 0 is returned).
    EndedJob GroupArrives(uint32_t jobId, uint32_t firstPage);

    // The group announced last could not be printed.
    void GroupFailed();

    // No job is open any more: the current job, if any, has ended.
    EndedJob NoJobLeft();

private:
    uint32_t m_current = 0;
    bool m_failed = false;
};
