#include "job_counter.h"

JobCounter gJobCnt;

bool JobCounter::IncrementWithLimit(uint32_t limit)
{
    if (m_count >= limit)
        return false;
    ++m_count;
    return true;
}

bool JobCounter::Decrement()
{
    if (m_count == 0)
        return false;
    --m_count;
    return true;
}
