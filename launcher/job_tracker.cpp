#include "job_tracker.h"

EndedJob JobTracker::GroupArrives(uint32_t jobId, uint32_t firstPage)
{
    EndedJob ended;
    const bool startsJob = m_current == 0 || jobId != m_current || firstPage == 1;
    if (startsJob && m_current != 0)
        ended = EndedJob{m_current, jobId == m_current};
    m_current = jobId;
    return ended;
}

EndedJob JobTracker::NoJobLeft()
{
    EndedJob ended;
    if (m_current != 0)
        ended = EndedJob{m_current, false};
    m_current = 0;
    return ended;
}
