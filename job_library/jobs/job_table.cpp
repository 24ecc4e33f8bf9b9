#include "job_table.h"

JobTable gJobTable;

bool DataTable::Append(const std::string& path)
{
    if (!IsStorablePath(path))
        return false;
    m_entries.push_back(path);
    return true;
}

void DataTable::Advance(size_t count)
{
    if (count >= m_entries.size())
        m_entries.clear();
    else
        m_entries.erase(m_entries.begin(), m_entries.begin() + static_cast<std::ptrdiff_t>(count));
}

JobRecord* JobTable::FindJob(uint32_t id)
{
    for (JobRecord& record : m_records)
        if (record.jobId == id)
            return &record;
    return nullptr;
}

JobRecord& JobTable::Append(uint32_t id, uint32_t copies)
{
    m_records.emplace_back(id, copies);
    return m_records.back();
}

bool JobTable::Remove(uint32_t id)
{
    for (auto it = m_records.begin(); it != m_records.end(); ++it) {
        if (it->jobId == id) {
            m_records.erase(it);
            return true;
        }
    }
    return false;
}
