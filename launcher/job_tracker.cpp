#include "job_tracker.h"

EndedJob JobTracker::GroupArrives(uint32_t jobId, uint32_t firstPage)
{
    EndedJob ended;
    const bool startsJob = m_current == 0 || jobId != m_current || firstPage == 1;
    if (startsJob) {
        if (m_current != 0 && jobId != m_current)
            ended = EndedJob{m_current, m_failed};
        m_failed = false;
    }
    m_current = jobId;
    return ended;
}

void JobTracker::GroupFailed() { m_failed = true; }

EndedJob JobTracker::NoJobLeft()
{
    EndedJob ended;
    if (m_current != 0)
        ended = EndedJob{m_current, m_failed};
    m_current = 0;
    m_failed = false;
    return ended;
}
