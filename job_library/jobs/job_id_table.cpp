#include "job_id_table.h"

JobIdTable gJobIdTable;

uint32_t JobIdTable::NextJobId()
{
    m_last = IdAfter(m_last);
    return m_last;
}

void JobIdTable::SetCurrentJob(uint32_t n)
{
    m_current = (n > kMaxId) ? 1 : n;
}

bool JobIdTable::IsOpen(uint32_t id) const
{
    return id >= 1 && id <= kMaxId && m_open[id] == 1;
}

void JobIdTable::SetOpen(uint32_t id, bool open)
{
    // Entry 0 stands for "no job" and is never opened.
    if (id >= 1 && id <= kMaxId)
        m_open[id] = open ? 1 : 0;
}

void JobIdTable::ResetJobIds()
{
    m_last = 0;
    m_current = 1;
    for (int32_t& flag : m_open)
        flag = 0;
}
