// When a job has ended. The library never says so: a job's groups arrive in
// page order and jobs never interleave, so a job has ended when the next
// job's first group arrives, or when no job is left (LM_SUSPEND) or the
// launcher is told to end (LM_DELETE). Only then may the job's settings file
// go, as every group of the job reads it, and only then is the user told
// what of the job was not printed.
#pragma once
#include <cstdint>

struct EndedJob {
    uint32_t jobId = 0;           // 0: no job ended
    bool settingsFileGone = false;  // the next job took over the settings file's name
};

class JobTracker {
public:
    // A group of jobId starting at firstPage is about to be printed; returns
    // the job that ended before it. A group that starts at page 1 always
    // starts a job. When the ended job has the same id, the library has
    // already written the new job's settings file under the same name, so
    // the old job's settings file is gone already (settingsFileGone).
    EndedJob GroupArrives(uint32_t jobId, uint32_t firstPage);

    // No job is open any more: the current job, if any, has ended.
    EndedJob NoJobLeft();

private:
    uint32_t m_current = 0;
};
